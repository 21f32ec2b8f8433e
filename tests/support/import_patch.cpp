#include "import_patch.h"

static void *ImageAddress(HMODULE module, DWORD rva)
{
    return reinterpret_cast<BYTE *>(module) + rva;
}

void *PatchImport(HMODULE module, const char *dllName, const char *functionName, void *replacement)
{
    auto *dos = static_cast<IMAGE_DOS_HEADER *>(ImageAddress(module, 0));
    auto *nt = static_cast<IMAGE_NT_HEADERS *>(ImageAddress(module, dos->e_lfanew));
    const IMAGE_DATA_DIRECTORY &directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0)
        return nullptr;

    auto *descriptor = static_cast<IMAGE_IMPORT_DESCRIPTOR *>(ImageAddress(module, directory.VirtualAddress));
    for (; descriptor->Name != 0; ++descriptor) {
        if (lstrcmpiA(static_cast<const char *>(ImageAddress(module, descriptor->Name)), dllName) != 0)
            continue;
        auto *names = static_cast<IMAGE_THUNK_DATA *>(ImageAddress(module, descriptor->OriginalFirstThunk));
        auto *addresses = static_cast<IMAGE_THUNK_DATA *>(ImageAddress(module, descriptor->FirstThunk));
        for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto *byName = static_cast<IMAGE_IMPORT_BY_NAME *>(
                ImageAddress(module, static_cast<DWORD>(names->u1.AddressOfData)));
            if (lstrcmpA(reinterpret_cast<const char *>(byName->Name), functionName) != 0)
                continue;
            DWORD oldProtection;
            VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, PAGE_READWRITE, &oldProtection);
            void *original = reinterpret_cast<void *>(addresses->u1.Function);
            addresses->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, oldProtection, &oldProtection);
            return original;
        }
    }
    return nullptr;
}

HMODULE LibraryModule()
{
    return GetModuleHandleA("velk_testing.dll");
}

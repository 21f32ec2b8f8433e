// Where the face bitmaps are found: ".\face\" under the current directory,
// as hosts have always shipped them, then the "face" folder beside the
// module that holds the library, which a host started from a shortcut or a
// file association with another working folder still finds. Wide paths
// throughout, so that an install folder whose name the ANSI code page cannot
// hold works as well.
#include "skin.h"

static const wchar_t WorkingFaceFolder[] = L".\\face\\";
static const wchar_t ModuleFaceFolder[] = L"face\\";

// Appends text at path[at]; false, leaving a terminated path, when it does
// not fit.
static bool AppendPath(wchar_t *path, size_t capacity, size_t at, const wchar_t *text)
{
    for (; *text != L'\0'; ++text, ++at) {
        if (at + 1 >= capacity) {
            path[at] = L'\0';
            return false;
        }
        path[at] = *text;
    }
    path[at] = L'\0';
    return true;
}

static bool IsFile(const wchar_t *path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The folder of this module, with its closing backslash; the length, or 0
// when the name does not fit.
static size_t ModuleFolder(wchar_t *path, size_t capacity)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&FindFaceFile), &module))
        return 0;
    const DWORD size = capacity < MAXDWORD ? static_cast<DWORD>(capacity) : MAXDWORD;
    const DWORD length = GetModuleFileNameW(module, path, size);
    // A name cut short fills the whole buffer.
    if (length == 0 || length >= size)
        return 0;
    size_t folder = length;
    while (folder > 0 && path[folder - 1] != L'\\' && path[folder - 1] != L'/')
        --folder;
    return folder;
}

bool FindFaceFile(const wchar_t *fileName, wchar_t *path, size_t capacity)
{
    if (capacity == 0)
        return false;
    if (AppendPath(path, capacity, 0, WorkingFaceFolder) &&
        AppendPath(path, capacity, lstrlenW(WorkingFaceFolder), fileName) && IsFile(path))
        return true;
    const size_t folder = ModuleFolder(path, capacity);
    if (folder != 0 && AppendPath(path, capacity, folder, ModuleFaceFolder) &&
        AppendPath(path, capacity, folder + lstrlenW(ModuleFaceFolder), fileName) && IsFile(path))
        return true;
    path[0] = L'\0';
    return false;
}

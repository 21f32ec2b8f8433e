// Replaces entries of a loaded module's import address table, so that a test
// can watch or steer the system calls that module makes.
#ifndef VELK_TESTS_IMPORT_PATCH_H
#define VELK_TESTS_IMPORT_PATCH_H

#include <windows.h>

// Points the module's import of dllName!functionName at replacement and
// returns the address it held, or null if the module does not import it.
void *PatchImport(HMODULE module, const char *dllName, const char *functionName, void *replacement);

// Patches for the lifetime of the object and restores on destruction.
struct ScopedImportPatch {
    HMODULE module;
    const char *dllName;
    const char *functionName;
    void *original;

    ScopedImportPatch(HMODULE module, const char *dllName, const char *functionName, void *replacement)
        : module(module), dllName(dllName), functionName(functionName),
          original(PatchImport(module, dllName, functionName, replacement))
    {
    }
    ~ScopedImportPatch()
    {
        if (original != nullptr)
            PatchImport(module, dllName, functionName, original);
    }
    ScopedImportPatch(const ScopedImportPatch &) = delete;
    ScopedImportPatch &operator=(const ScopedImportPatch &) = delete;
};

// The module that holds the library's code in the test programs.
HMODULE LibraryModule();

#endif

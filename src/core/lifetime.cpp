// Keeping the library loaded while anything of it is in use.
//
// A skinned window, a pass-through and the thread-wide hook each run the
// library's code at the system's call, long after the host's last call of an
// export. A host that unloads the library under them (plug-in hosts do)
// would crash at the window's next message. So the library holds a module
// reference of its own, taken at the first use and given back when the last
// use goes; the host's FreeLibrary then only unloads it once nothing of it
// is left, and unloads it at once when the host released everything first.
//
// Giving the reference back is the delicate part: FreeLibrary of the
// library's own module, from its own code, unmaps that code under the caller
// when it drops the last reference.
// - From an export (Enskin), the reference goes at once. The caller is
//   running the export through a module it has loaded, so its own reference
//   keeps the code mapped until the export has returned.
// - From a window procedure (a window destroyed while skinned, a
//   pass-through leaving), the caller may hold nothing: the host may have
//   called FreeLibrary long before. The reference goes to a short-lived
//   thread instead, which holds one more reference of its own, waits until
//   the releasing thread has had GiveBackDelay to run the last instructions
//   of the window procedure back out of the library, gives the library's
//   reference back and ends with FreeLibraryAndExitThread, which never
//   returns into the unmapped code. The delay is a margin, not a proof, as
//   with COM's delayed unloading of in-process servers: a thread held up for
//   longer than that in those last few instructions could still be unmapped
//   under; every record lives until the last message that holds it has let
//   it go, so nothing longer than the procedure's return remains.
#include "skin.h"

static SRWLOCK holdLock = SRWLOCK_INIT;
static LONG uses = 0;                   // live records and installed hooks
static HMODULE ownReference = nullptr;  // the library's reference while it is held
static bool giverWaiting = false;       // a giving-back thread is waiting
static DWORD unusedSince = 0;           // GetTickCount when the last use went in a window procedure

static const DWORD GiveBackDelay = 100;  // milliseconds

// The module that holds this code, with one more reference on it.
static HMODULE TakeModuleReference()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&uses), &module);
    return module;
}

void HoldLibrary()
{
    AcquireSRWLockExclusive(&holdLock);
    if (uses++ == 0 && ownReference == nullptr)
        ownReference = TakeModuleReference();
    ReleaseSRWLockExclusive(&holdLock);
}

void LetGoLibrary()
{
    AcquireSRWLockExclusive(&holdLock);
    --uses;
    ReleaseSRWLockExclusive(&holdLock);
}

// Runs on a thread of its own, holding threadReference. A use that comes
// back meanwhile keeps the library's reference; one that went again less
// than GiveBackDelay ago is waited for once more.
static DWORD WINAPI GiveBackLater(void *threadReference)
{
    for (;;) {
        Sleep(GiveBackDelay);
        HMODULE unused = nullptr;
        AcquireSRWLockExclusive(&holdLock);
        const bool idle = uses == 0 && ownReference != nullptr;
        const bool waitAgain = idle && GetTickCount() - unusedSince < GiveBackDelay;
        if (idle && !waitAgain) {
            unused = ownReference;
            ownReference = nullptr;
        }
        if (!waitAgain)
            giverWaiting = false;
        ReleaseSRWLockExclusive(&holdLock);
        // This thread's own reference keeps the code in place.
        if (unused != nullptr)
            FreeLibrary(unused);
        if (!waitAgain)
            break;
    }
    FreeLibraryAndExitThread(static_cast<HMODULE>(threadReference), 0);
}

void GiveBackLibraryIfUnused(GivenBackFrom from)
{
    HMODULE now = nullptr;
    bool startGiver = false;
    AcquireSRWLockExclusive(&holdLock);
    if (uses == 0 && ownReference != nullptr) {
        if (from == GIVEN_BACK_FROM_EXPORT) {
            now = ownReference;
            ownReference = nullptr;
        } else {
            unusedSince = GetTickCount();
            startGiver = !giverWaiting;
            giverWaiting = true;
        }
    }
    ReleaseSRWLockExclusive(&holdLock);
    if (now != nullptr) {
        FreeLibrary(now);
        return;
    }
    if (!startGiver)
        return;
    // Taken while the library's own reference still holds the code.
    HMODULE threadReference = TakeModuleReference();
    HANDLE thread =
        threadReference != nullptr ? CreateThread(nullptr, 0, GiveBackLater, threadReference, 0, nullptr) : nullptr;
    if (thread != nullptr) {
        CloseHandle(thread);
        return;
    }
    // Without a thread the library keeps its reference and stays loaded,
    // which is safe; a later use and release tries again.
    if (threadReference != nullptr)
        FreeLibrary(threadReference);
    AcquireSRWLockExclusive(&holdLock);
    giverWaiting = false;
    ReleaseSRWLockExclusive(&holdLock);
}

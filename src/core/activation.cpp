// The exports, the thread-wide creation hook and the library entry point.
#include "skin.h"

#include "../../include/velk.h"

// Set while thread-wide skinning is on; also the handle CallNextHookEx needs.
// Only one thread at a time has it, so switching on and off is claimed under
// the lock: hookOwner is the thread that switched on, or is switching on.
static HHOOK creationHook = nullptr;
static DWORD hookOwner = 0;
static SRWLOCK hookLock = SRWLOCK_INIT;

// Visits a window and, through a nested enumeration, everything below it.
// The nesting reaches deep windows more than once, which attach and detach
// shrug off.
static BOOL CALLBACK EnumAttachProc(HWND hwnd, LPARAM attach)
{
    if (attach != 0)
        AttachWindow(hwnd);
    else
        DetachWindow(hwnd);
    EnumChildWindows(hwnd, EnumAttachProc, attach);
    return TRUE;
}

// A CBT hook runs only when a window is made, not for every message of the
// thread. The window gets its skin before its first message; its set-up
// waits for its WM_CREATE. A hook further down the chain may still refuse
// the window, which then ends without a message, so it is asked first.
static LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT refused = CallNextHookEx(creationHook, code, wParam, lParam);
    if (code == HCBT_CREATEWND && refused == 0)
        AttachCreatingWindow(reinterpret_cast<HWND>(wParam));
    return refused;
}

static INT_PTR EnskinThread()
{
    const DWORD thread = GetCurrentThreadId();
    AcquireSRWLockExclusive(&hookLock);
    const bool taken = hookOwner != 0;
    if (!taken)
        hookOwner = thread;
    ReleaseSRWLockExclusive(&hookLock);
    if (taken)
        return 0;

    EnumThreadWindows(thread, EnumAttachProc, 1);
    HHOOK hook = SetWindowsHookExW(WH_CBT, CreationHookProc, nullptr, thread);
    AcquireSRWLockExclusive(&hookLock);
    creationHook = hook;
    if (hook == nullptr)
        hookOwner = 0;
    ReleaseSRWLockExclusive(&hookLock);
    return reinterpret_cast<INT_PTR>(hook);
}

// Releases the calling thread's windows and removes the hook wherever it was
// installed.
static INT_PTR ReleaseThread()
{
    AcquireSRWLockExclusive(&hookLock);
    HHOOK hook = creationHook;
    creationHook = nullptr;
    if (hook != nullptr)
        hookOwner = 0;
    ReleaseSRWLockExclusive(&hookLock);
    if (hook == nullptr)
        return 0;
    EnumThreadWindows(GetCurrentThreadId(), EnumAttachProc, 0);
    return UnhookWindowsHookEx(hook);
}

extern "C" INT_PTR WINAPI Enskin(HWND window, int enable)
{
    if (window != nullptr) {
        if (enable != 0)
            return reinterpret_cast<INT_PTR>(AttachWindow(window));
        return reinterpret_cast<INT_PTR>(DetachWindow(window));
    }
    switch (enable) {
    case 1:
        return EnskinThread();
    case 0:
        return ReleaseThread();
    default:
        return 0;
    }
}

extern "C" HBRUSH WINAPI DlgInit(int)
{
    return CreateSolidBrush(CurrentFace()->dialogFrame);
}

extern "C" BOOL WINAPI EnskinFace(LPCWSTR folder)
{
    return SwitchFace(folder) ? TRUE : FALSE;
}

// Each thread keeps its own index of its records, in a thread-local slot
// taken at load and given back at unload.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(module);
        StartRegistry();
    } else if (reason == DLL_PROCESS_DETACH) {
        EndRegistry();
        // At process exit the system takes everything back at once.
        if (reserved == nullptr)
            FreeLoadedFaces();
    }
    return TRUE;
}

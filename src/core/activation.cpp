// The exports, the thread-wide creation hook and the library entry point.
#include "skin.h"

#include "../../include/velk.h"

// Set while thread-wide skinning is on; also the handle CallNextHookEx needs.
// Only one thread at a time has it, so switching on and off is claimed under
// the lock: hookOwner is the thread that switched on, or is switching on.
static HHOOK creationHook = nullptr;
static DWORD hookOwner = 0;
static SRWLOCK hookLock = SRWLOCK_INIT;

// Switches one window; changed counts the windows whose skin came or went.
static BOOL CALLBACK AttachOne(HWND hwnd, LPARAM changed)
{
    if (AttachWindow(hwnd, REPAINT_BY_CALLER) != nullptr)
        ++*reinterpret_cast<int *>(changed);
    return TRUE;
}

static BOOL CALLBACK DetachOne(HWND hwnd, LPARAM changed)
{
    if (FindSkinnedWindow(hwnd) != nullptr) {
        DetachWindow(hwnd, REPAINT_BY_CALLER);
        ++*reinterpret_cast<int *>(changed);
    }
    return TRUE;
}

// A top-level window and everything below it: EnumChildWindows reaches every
// descendant by itself (a nested enumeration per window visited a tree's
// lower windows once per level above them). Switching a window costs
// little; repainting it is nearly all of the time, so the windows are
// switched without a repaint each and the top-level window is invalidated
// once with all of them: they show their new look at the thread's next
// paint, as after any invalidation, and a repaint that the host or the
// system asks for in between shows it already.
static BOOL CALLBACK SwitchTopLevel(HWND hwnd, LPARAM attach)
{
    int changed = 0;
    const WNDENUMPROC visit = attach != 0 ? AttachOne : DetachOne;
    visit(hwnd, reinterpret_cast<LPARAM>(&changed));
    EnumChildWindows(hwnd, visit, reinterpret_cast<LPARAM>(&changed));
    if (changed != 0 && IsWindow(hwnd))
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
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

    EnumThreadWindows(thread, SwitchTopLevel, 1);
    // The hook is a use of the library for as long as it is installed.
    HoldLibrary();
    HHOOK hook = SetWindowsHookExW(WH_CBT, CreationHookProc, nullptr, thread);
    if (hook == nullptr)
        LetGoLibrary();
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
    EnumThreadWindows(GetCurrentThreadId(), SwitchTopLevel, 0);
    const BOOL unhooked = UnhookWindowsHookEx(hook);
    LetGoLibrary();
    return unhooked;
}

static INT_PTR EnskinNow(HWND window, int enable)
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

// The library's reference goes with the last window and hook the host
// releases here; see lifetime.cpp.
extern "C" INT_PTR WINAPI Enskin(HWND window, int enable)
{
    const INT_PTR result = EnskinNow(window, enable);
    GiveBackLibraryIfUnused(GIVEN_BACK_FROM_EXPORT);
    return result;
}

extern "C" HBRUSH WINAPI DlgInit(int)
{
    return CreateSolidBrush(CurrentFace()->dialogFrame);
}

extern "C" BOOL WINAPI EnskinFace(LPCWSTR folder)
{
    return SwitchFace(folder) ? TRUE : FALSE;
}

extern "C" int WINAPI EnskinProgramColours(void)
{
    return AnswerProgramColoursFromFace();
}

// Each thread keeps its own index of its records, in a thread-local slot
// taken at load and given back at unload.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(module);
        StartRegistry();
        FollowSystemColours();
    } else if (reason == DLL_PROCESS_DETACH) {
        EndRegistry();
        // At process exit the system takes everything back at once.
        if (reserved == nullptr)
            FreeLoadedFaces();
    }
    return TRUE;
}

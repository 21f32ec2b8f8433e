// The exports, the thread-wide creation hook and the library entry point.
#include "skin.h"

#include "../../include/velk.h"

// Set while thread-wide skinning is on; also the handle CallNextHookEx needs.
static HHOOK creationHook = nullptr;

static const COLORREF DialogBrushColour = 0x00FF350B;

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

// Runs before the window procedure, so a window created while thread-wide
// skinning is on already has its skin when its own WM_CREATE arrives.
static LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *call = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code >= 0 && call->message == WM_CREATE)
        AttachWindow(call->hwnd);
    return CallNextHookEx(creationHook, code, wParam, lParam);
}

static INT_PTR EnskinThread()
{
    if (creationHook != nullptr)
        return 0;
    const DWORD thread = GetCurrentThreadId();
    EnumThreadWindows(thread, EnumAttachProc, 1);
    creationHook = SetWindowsHookExA(WH_CALLWNDPROC, CreationHookProc, nullptr, thread);
    return reinterpret_cast<INT_PTR>(creationHook);
}

static INT_PTR ReleaseThread()
{
    if (creationHook == nullptr)
        return 0;
    EnumThreadWindows(GetCurrentThreadId(), EnumAttachProc, 0);
    const BOOL removed = UnhookWindowsHookEx(creationHook);
    creationHook = nullptr;
    return removed;
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
    return CreateSolidBrush(DialogBrushColour);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(module);
    return TRUE;
}

// The menus of a window skinned on its own: while the window's menu loop
// runs, the popup menus the thread makes are skinned with it. The system
// makes the first popup of a context menu before it tells the owner that
// the loop starts, and every later one (submenus, a menu bar's drop-downs)
// after that.
#include "menus.h"

static bool IsPopupMenuWindow(HWND hwnd)
{
    wchar_t className[16];
    return GetClassNameW(hwnd, className, ARRAYSIZE(className)) != 0 &&
           lstrcmpiW(className, PopupMenuClass.className) == 0;
}

static LRESULT CALLBACK MenuLoopHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT refused = CallNextHookEx(nullptr, code, wParam, lParam);
    const HWND hwnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && refused == 0 && IsPopupMenuWindow(hwnd))
        AttachCreatingWindow(hwnd);
    return refused;
}

static BOOL CALLBACK AttachShownMenu(HWND hwnd, LPARAM owner)
{
    if (GetWindow(hwnd, GW_OWNER) == reinterpret_cast<HWND>(owner) && IsPopupMenuWindow(hwnd))
        AttachWindow(hwnd);
    return TRUE;
}

void FollowMenuLoop(SkinnedWindow *owner, bool entering)
{
    if (entering && owner->menuLoopHook == nullptr) {
        EnumThreadWindows(GetCurrentThreadId(), AttachShownMenu, reinterpret_cast<LPARAM>(owner->hwnd));
        owner->menuLoopHook = SetWindowsHookExW(WH_CBT, MenuLoopHookProc, nullptr, GetCurrentThreadId());
    } else if (!entering && owner->menuLoopHook != nullptr) {
        UnhookWindowsHookEx(owner->menuLoopHook);
        owner->menuLoopHook = nullptr;
    }
}

// What the frame kinds share: a message handled first, by the control or by
// the default procedure, and the skin painted over the result.
#include "controls.h"

LRESULT PaintAfter(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, HandledBy handler,
                   void (*paint)(SkinnedWindow *))
{
    const HWND hwnd = rec->hwnd;
    const LRESULT result = handler == HANDLED_BY_DEFAULT ? DefWindowProcA(hwnd, msg, wParam, lParam)
                                                         : ForwardMessage(rec, msg, wParam, lParam);
    // The handling may have ended in host code that released the window.
    rec = FindSkinnedWindow(hwnd);
    if (rec != nullptr)
        paint(rec);
    return result;
}

// Edits and combo boxes redraw only their client area when enabled or
// disabled, so the frame is repainted once the control has taken the change.
LRESULT FollowEnabledState(SkinnedWindow *rec, bool enabled, WPARAM wParam, LPARAM lParam,
                           void (*paintFrame)(SkinnedWindow *))
{
    if (enabled)
        rec->state &= ~DWORD{SKS_DISABLED};
    else
        rec->state |= SKS_DISABLED;
    return PaintAfter(rec, WM_ENABLE, wParam, lParam, HANDLED_BY_CONTROL, paintFrame);
}

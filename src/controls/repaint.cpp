// What the frame kinds share: following the enabled state.
#include "controls.h"

#include "../scroll/scroll.h"

// Edits and combo boxes redraw only their client area when enabled or
// disabled, so the frame and an Edit's own scroll bars are repainted once
// the control has taken the change.
LRESULT FollowEnabledState(SkinnedWindow *rec, bool enabled, WPARAM wParam, LPARAM lParam)
{
    if (enabled)
        rec->state &= ~DWORD{SKS_DISABLED};
    else
        rec->state |= SKS_DISABLED;
    const LRESULT result = HandleThenRepaint(rec, WM_ENABLE, wParam, lParam, HANDLED_BY_CONTROL);
    if (!rec->released)
        RepaintFrameBarsNow(rec);
    return result;
}

// What several kinds share: following the enabled state, a set-up that
// needs the control made, and the control's paint of places the skin leaves
// to it.
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

// Controls make their own state at WM_CREATE and answer nothing before it:
// a set-up that talks to the control skips a window attached at its
// creation (rec->setUpPending) and runs here, once the control has made it.
LRESULT CreateThenSetUp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_CREATE, wParam, lParam);
    if (result != -1 && !rec->released)
        rec->skinClass->setUp(rec, GetWindowLongW(rec->hwnd, GWL_STYLE));
    return result;
}

// The control paints into the DC the message brings, as WM_PRINTCLIENT
// would, but without the erase and frame messages printing sends.
void LetControlPaint(SkinnedWindow *rec, HDC dc, HRGN kept)
{
    const int saved = SaveDC(dc);
    ExtSelectClipRgn(dc, kept, RGN_AND);
    ForwardMessage(rec, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
}

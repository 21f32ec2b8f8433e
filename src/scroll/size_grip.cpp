// Size boxes and size grips (the Open dialog's, a host's SBS_SIZEGRIP): the
// standard control fills its square in the system's face colour. The skin
// draws the parent's background there instead, and a grip's dots in the
// face's grip colour; sizing stays the control's.
#include "scroll.h"

static void PaintSizeGripKind(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    RECT client;
    GetClientRect(hwnd, &client);
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, ClientAreaIn(hwnd, window), false);
    DrawParentBackground(hwnd, dc);
    if ((GetWindowLongW(hwnd, GWL_STYLE) & SBS_SIZEGRIP) != 0)
        DrawSizeGrip(dc, client, WindowDpi(hwnd));
    EndBackBuffer(&buffer);
}

const SkinClass SizeGripClass = {L"ScrollBar", nullptr, CK_SIZEGRIP, nullptr, nullptr, 0, PaintSizeGripKind, nullptr,
                                 nullptr, PAINTS_INSTEAD, PAINT_WITHOUT_FRAME, nullptr, nullptr};

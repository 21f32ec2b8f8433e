// Tooltips, plain and balloon: the control draws its background and text in
// the face's colours (TTM_SETTIPBKCOLOR, TTM_SETTIPTEXTCOLOR), and the skin
// draws the border over the control's: the window's edge for a plain tip,
// the edge of its region for a balloon.
#include "controls.h"

#include <commctrl.h>

static const ColourMessage TooltipColours[] = {
    {TTM_GETTIPBKCOLOR, TTM_SETTIPBKCOLOR, 0, true, &Face::tooltipBackground, COLOR_INFOBK, CLR_DEFAULT},
    {TTM_GETTIPTEXTCOLOR, TTM_SETTIPTEXTCOLOR, 0, true, &Face::tooltipText, COLOR_INFOTEXT, CLR_DEFAULT},
};
static const ColourMessages TooltipColourTable = {TooltipColours, ARRAYSIZE(TooltipColours)};

// The border stays one pixel, as wide as the system's WS_BORDER it covers.
static const int BorderWidth = 1;

void PaintTooltipBorder(SkinnedWindow *rec, HDC dc, const RECT &window)
{
    HBRUSH border = CreateSolidBrush(CurrentFace()->tooltipBorder);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(rec->hwnd, region) != ERROR) {
        OffsetRgn(region, window.left, window.top);
        FrameRgn(dc, region, border, BorderWidth, BorderWidth);
    } else {
        FrameRect(dc, &window, border);
    }
    DeleteObject(region);
    DeleteObject(border);
}

static void SetUpTooltip(SkinnedWindow *rec, LONG)
{
    if (!rec->setUpPending)
        SetUpColourMessages(rec, TooltipColourTable);
}

static void TearDownTooltip(SkinnedWindow *rec)
{
    TearDownColourMessages(rec, TooltipColourTable);
}

// A face switch shows from the next paint.
static void FollowTooltipColours(SkinnedWindow *rec)
{
    FollowFaceColours(rec, TooltipColourTable);
}

LRESULT HandleTooltipMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return CreateThenSetUp(rec, wParam, lParam);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

const SkinClass TooltipClass = {TOOLTIPS_CLASSW, nullptr, CK_TOOLTIP, HandleTooltipMessage, SetUpTooltip,
                                sizeof(ColourBlock), PaintTooltipBorder, TearDownTooltip, nullptr, PAINTS_OVER,
                                PAINT_COVERS_FRAME | PAINT_EDGE_ONLY, FollowTooltipColours, nullptr};

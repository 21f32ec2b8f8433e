// Scroll-bar controls: layout and painting.
#include "scroll.h"

// The thumb rests in the hot colours; the chevron bit on the vertical thumb
// has no effect under the gripper.
const ScrollBarLook VerticalBarLook = {
    SBP_UP,
    SBP_DOWN,
    SPF_UP | SPF_CHEVRON,
    SPF_DOWN | SPF_CHEVRON,
    SPF_FRAMED | SPF_TRACK,
    SPF_TRACK,
    SPF_GRIPPER | SPF_CHEVRON | SPF_HOT,
    SPF_GRIPPER | SPF_CHEVRON | SPF_PRESSED,
};
const ScrollBarLook HorizontalBarLook = {
    SBP_LEFT,
    SBP_RIGHT,
    SPF_LEFT | SPF_CHEVRON,
    SPF_RIGHT | SPF_CHEVRON,
    SPF_FRAMED | SPF_TRACK | SPF_HORZ,
    SPF_TRACK | SPF_HORZ,
    SPF_GRIPPER | SPF_HORZ | SPF_HOT,
    SPF_GRIPPER | SPF_CHEVRON | SPF_HORZ | SPF_PRESSED,
};

// Design sizes, drawn at the window's DPI. The thumb has a fixed length
// whatever the page size, halved in a channel shorter than that.
static const int ThumbLength = 30;
// How far the placed thumb is drawn in from the channel: along the bar, then
// across it.
static const int VerticalThumbInsetAlong = 1;
static const int VerticalThumbInsetAcross = 2;
static const int HorizontalThumbInsetAlong = 1;
static const int HorizontalThumbInsetAcross = 3;
// A horizontal thumb in an empty channel is still this wide before its inset.
static const int HorizontalEmptyThumbWidth = 3;

bool ReadScrollInfo(HWND hwnd, SCROLLINFO *info)
{
    ZeroMemory(info, sizeof *info);
    info->cbSize = sizeof *info;
    info->fMask = SIF_ALL;
    return GetScrollInfo(hwnd, SB_CTL, info) != FALSE;
}

// Thumb length and its offset from the channel's start, or false when the
// range is empty or inverted. The range is widened to 64 bits, so that the
// full int span neither overflows nor divides by zero.
static bool PlaceAlongChannel(const ScrollBarState *bar, const SCROLLINFO *info, int channelLength, int dpi,
                              int *length, int *offset)
{
    const int pos = bar->dragging ? bar->dragPos : info->nPos;
    const int thumbLength = ScaleToDpi(ThumbLength, dpi);
    *length = channelLength >= thumbLength ? thumbLength : channelLength / 2;
    const long long range = static_cast<long long>(info->nMax) - info->nMin;
    if (range <= 0)
        return false;
    const double step = static_cast<double>(channelLength - *length) / static_cast<double>(range);
    *offset = static_cast<int>(step * static_cast<double>(static_cast<long long>(pos) - info->nMin));
    return true;
}

void PlaceVerticalThumb(SkinnedWindow *rec, const SCROLLINFO *info, const RECT *barRect)
{
    auto *bar = static_cast<ScrollBarState *>(rec->extraState);
    const RECT &channel = bar->channelRect;
    const int dpi = WindowDpi(rec->hwnd);
    int length, offset;
    if (!PlaceAlongChannel(bar, info, channel.bottom - channel.top, dpi, &length, &offset)) {
        SetRectEmpty(&bar->thumbRect);
        return;
    }
    const int top = channel.top + offset;
    SetRect(&bar->thumbRect, barRect->left, top, barRect->right, top + length);
    InflateRect(&bar->thumbRect, -ScaleToDpi(VerticalThumbInsetAcross, dpi), -ScaleToDpi(VerticalThumbInsetAlong, dpi));
}

void PlaceHorizontalThumb(SkinnedWindow *rec, const SCROLLINFO *info, const RECT *barRect)
{
    auto *bar = static_cast<ScrollBarState *>(rec->extraState);
    const RECT &channel = bar->channelRect;
    const int dpi = WindowDpi(rec->hwnd);
    int length, offset;
    if (!PlaceAlongChannel(bar, info, channel.right - channel.left, dpi, &length, &offset)) {
        SetRectEmpty(&bar->thumbRect);
        return;
    }
    const int left = channel.left + offset;
    SetRect(&bar->thumbRect, left, barRect->top, left + length, barRect->bottom);
    if (length == 0)
        bar->thumbRect.right = left + ScaleToDpi(HorizontalEmptyThumbWidth, dpi);
    InflateRect(&bar->thumbRect, -ScaleToDpi(HorizontalThumbInsetAlong, dpi),
                -ScaleToDpi(HorizontalThumbInsetAcross, dpi));
}

// The disabled look of each part, as the standard control shows it: every
// part of a disabled bar, and an arrow the host disabled with
// EnableScrollBar (ESB_DISABLE_*).
struct DisabledParts {
    DWORD bar;
    DWORD firstArrow;   // up or left
    DWORD secondArrow;  // down or right
};

static DisabledParts ReadDisabledParts(HWND hwnd)
{
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(hwnd, OBJID_CLIENT, &info))
        ZeroMemory(info.rgstate, sizeof info.rgstate);
    auto unavailable = [&](int index) {
        return (info.rgstate[index] & STATE_SYSTEM_UNAVAILABLE) != 0 ? DWORD{SPF_DISABLED} : 0;
    };
    // The bar's own entry (0) is not asked: Wine calls a bar with an empty
    // range unavailable, while the control draws its arrows enabled.
    const DWORD bar = IsWindowEnabled(hwnd) ? 0 : DWORD{SPF_DISABLED};
    // The arrow entries: 1 up or left, 5 down or right.
    return {bar, bar | unavailable(1), bar | unavailable(5)};
}

// Lays the bar out in window coordinates, then draws the asked parts
// straight into dc. A bar whose range is empty (a new control's, until the
// host sets one) shows its arrows and channel and no thumb, as the standard
// control does.
void PaintScrollBarParts(SkinnedWindow *rec, HDC dc, const RECT &window, int part)
{
    const HWND hwnd = rec->hwnd;
    const bool vertical = (GetWindowLongW(hwnd, GWL_STYLE) & SBS_VERT) != 0;
    SCROLLINFO info;
    const bool readable = ReadScrollInfo(hwnd, &info);
    const DisabledParts disabled = ReadDisabledParts(hwnd);
    // The queries went through the window's procedures.
    if (rec->released || !readable)
        return;

    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const RECT barRect = {0, 0, width, height};
    auto *bar = static_cast<ScrollBarState *>(rec->extraState);
    const ScrollBarLook &look = vertical ? VerticalBarLook : HorizontalBarLook;

    RECT *first, *second;
    if (vertical) {
        SetRect(&bar->upArrowRect, 0, 0, width, width);
        SetRect(&bar->downArrowRect, 0, height - width, width, height);
        SetRect(&bar->channelRect, 0, width, width, height - width);
        first = &bar->upArrowRect;
        second = &bar->downArrowRect;
    } else {
        SetRect(&bar->leftArrowRect, 0, 0, height, height);
        SetRect(&bar->rightArrowRect, width - height, 0, width, height);
        SetRect(&bar->channelRect, height, 0, width - height, height);
        first = &bar->leftArrowRect;
        second = &bar->rightArrowRect;
    }
    // A vertical bar too short for a thumb shows triangles on its arrows.
    const bool isShort = vertical && height < 2 * width;
    const DWORD arrowGlyph = isShort ? DWORD{SPF_TRIANGLE} : 0;

    const POINT origin = MoveOriginToWindow(dc, window);
    const int dpi = WindowDpi(hwnd);

    const DWORD firstHeld = bar->firstArrowHeld ? DWORD{SPF_PRESSED} : 0;
    const DWORD secondHeld = bar->secondArrowHeld ? DWORD{SPF_PRESSED} : 0;
    if (part == look.firstPart || part == SBP_ALL)
        PaintScrollPart(dc, *first, look.firstArrow | arrowGlyph | firstHeld | disabled.firstArrow, dpi);
    if (part == look.secondPart || part == SBP_ALL)
        PaintScrollPart(dc, *second, look.secondArrow | arrowGlyph | secondHeld | disabled.secondArrow, dpi);
    if (part == SBP_ALL)
        PaintScrollPart(dc, bar->channelRect, look.wholeChannel | disabled.bar, dpi);
    else if (!IsRectEmpty(&bar->thumbRect))
        PaintScrollPart(dc, bar->thumbRect, look.thumbChannel | disabled.bar, dpi);

    if (vertical)
        PlaceVerticalThumb(rec, &info, &barRect);
    else
        PlaceHorizontalThumb(rec, &info, &barRect);
    if (!isShort && !IsRectEmpty(&bar->thumbRect))
        PaintScrollPart(dc, bar->thumbRect, (bar->thumbHeld ? look.heldThumb : look.thumb) | disabled.bar, dpi);
    PutBackOrigin(dc, origin);
}

void PaintScrollBar(SkinnedWindow *rec, HDC dc, const RECT &window)
{
    PaintScrollBarParts(rec, dc, window, SBP_ALL);
}

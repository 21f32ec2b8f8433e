// Scroll-bar controls: the library's own mouse handling, thumb tracking and
// notifications to the parent.
#include "scroll.h"

#include <windowsx.h>

static ScrollBarState *BarOf(SkinnedWindow *rec)
{
    return static_cast<ScrollBarState *>(rec->extraState);
}

static bool IsVertical(HWND hwnd)
{
    return (GetWindowLongW(hwnd, GWL_STYLE) & SBS_VERT) != 0;
}

// The parent hears of every action; what it sets on the bar in answer comes
// back through the bar's own messages, which keep the standard control from
// drawing. Only the low 16 bits of a position fit, as with the standard
// control. Returns false when the parent destroyed or released the bar
// meanwhile.
static bool NotifyParent(SkinnedWindow *rec, HWND parent, bool vertical, WORD code, int position)
{
    SendMessageW(parent, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)),
                 reinterpret_cast<LPARAM>(rec->hwnd));
    return !rec->released;
}

// The pointer still holds the thumb at the point where it was grabbed.
static bool AtGrabPoint(const ScrollBarState *bar, bool vertical, int x, int y)
{
    return vertical ? y == bar->thumbRect.top + bar->grabY : x == bar->thumbRect.left + bar->grabX;
}

// The scroll position for the thumb's grab point at (x, y). An empty travel
// maps to nMin; the arithmetic is wide enough for the full int range.
static int DragPosition(const ScrollBarState *bar, bool vertical, int x, int y, const SCROLLINFO &info)
{
    const RECT &channel = bar->channelRect;
    const RECT &thumb = bar->thumbRect;
    int travel, offset;
    if (vertical) {
        travel = (channel.bottom - channel.top) - (thumb.bottom - thumb.top);
        offset = y - bar->grabY - channel.top;
    } else {
        travel = (channel.right - channel.left) - (thumb.right - thumb.left);
        offset = x - bar->grabX - channel.left;
    }
    if (travel <= 0)
        return info.nMin;
    const double ratio = static_cast<double>(offset) / travel;
    const double range = static_cast<double>(info.nMax) - info.nMin;
    const long long position = info.nMin + static_cast<long long>(range * ratio);
    if (position < info.nMin)
        return info.nMin;
    if (position > info.nMax)
        return info.nMax;
    return static_cast<int>(position);
}

static void ScrollBarButtonDown(SkinnedWindow *rec, int x, int y)
{
    const HWND hwnd = rec->hwnd;
    SetCapture(hwnd);
    if (rec->released)
        return;
    const bool vertical = IsVertical(hwnd);
    const HWND parent = GetParent(hwnd);
    const ScrollBarLook &look = vertical ? VerticalBarLook : HorizontalBarLook;
    ScrollBarState *bar = BarOf(rec);
    const POINT pointer = {x, y};

    if (PtInRect(&bar->thumbRect, pointer)) {
        SCROLLINFO info;
        const bool readable = ReadScrollInfo(hwnd, &info);
        if (rec->released)
            return;
        bar->thumbHeld = 1;
        bar->grabX = x - bar->thumbRect.left;
        bar->grabY = y - bar->thumbRect.top;
        // A drag starts from where the thumb stands now, not from where the
        // last drag left off: a repaint during the press then keeps the thumb
        // in place, and a first move to the last drag's position is reported.
        if (readable)
            bar->dragPos = info.nPos;
        if (!vertical)
            bar->dragging = 1;
        RepaintPartNow(rec, SBP_THUMB);
        return;
    }

    const RECT &first = vertical ? bar->upArrowRect : bar->leftArrowRect;
    const RECT &second = vertical ? bar->downArrowRect : bar->rightArrowRect;
    WORD code;
    int part;
    if (PtInRect(&second, pointer)) {
        bar->secondArrowHeld = 1;
        code = SB_LINEDOWN;
        part = look.secondPart;
    } else if (PtInRect(&first, pointer)) {
        bar->firstArrowHeld = 1;
        code = SB_LINEUP;
        part = look.firstPart;
    } else if (parent != nullptr && PtInRect(&bar->channelRect, pointer)) {
        const bool beforeThumb = vertical ? y < bar->thumbRect.top : x < bar->thumbRect.left;
        if (beforeThumb) {
            bar->firstArrowHeld = 1;
            code = SB_PAGEUP;
        } else {
            bar->secondArrowHeld = 1;
            code = SB_PAGEDOWN;
        }
        part = SBP_THUMB;
    } else {
        return;
    }

    if (NotifyParent(rec, parent, vertical, code, 0))
        RepaintPartNow(rec, part);
}

static void ScrollBarMouseMove(SkinnedWindow *rec, int x, int y)
{
    const HWND hwnd = rec->hwnd;
    const bool vertical = IsVertical(hwnd);
    const HWND parent = GetParent(hwnd);
    if (parent == nullptr)
        return;

    ScrollBarState *bar = BarOf(rec);
    if (bar->thumbHeld)
        bar->dragging = 1;
    if (!bar->dragging || AtGrabPoint(bar, vertical, x, y))
        return;

    SCROLLINFO info;
    const bool readable = ReadScrollInfo(hwnd, &info);
    if (rec->released || !readable)
        return;
    const int position = DragPosition(bar, vertical, x, y, info);
    if (position == bar->dragPos)
        return;

    if (!NotifyParent(rec, parent, vertical, SB_THUMBTRACK, position))
        return;
    bar->dragPos = position;
    RepaintPartNow(rec, SBP_THUMB);
}

// After a drag: report where the thumb was let go, then show the bar as the
// parent left it.
static void FinishDrag(SkinnedWindow *rec, bool vertical, HWND parent, int x, int y)
{
    const HWND hwnd = rec->hwnd;
    ScrollBarState *bar = BarOf(rec);
    bar->dragging = 0;
    bar->thumbHeld = 0;

    SCROLLINFO info;
    const bool readable = ReadScrollInfo(hwnd, &info);
    if (rec->released)
        return;
    // Released on the very spot the last track report placed the thumb: that
    // position still has to reach a parent that only acts on the release.
    int position = bar->dragPos;
    bool report = readable && info.nPos != position;
    if (readable && !AtGrabPoint(bar, vertical, x, y)) {
        position = DragPosition(bar, vertical, x, y, info);
        report = true;
    }
    if (report && parent != nullptr && !NotifyParent(rec, parent, vertical, SB_THUMBPOSITION, position))
        return;
    RepaintNow(rec);
}

// Without a drag: show the held thumb or arrow at rest again.
static void ReleaseHeldPart(SkinnedWindow *rec, bool vertical)
{
    ScrollBarState *bar = BarOf(rec);
    const ScrollBarLook &look = vertical ? VerticalBarLook : HorizontalBarLook;
    int part = 0;
    if (bar->thumbHeld)
        part = SBP_THUMB;
    else if (bar->firstArrowHeld)
        part = look.firstPart;
    else if (bar->secondArrowHeld)
        part = look.secondPart;
    bar->thumbHeld = 0;
    bar->firstArrowHeld = 0;
    bar->secondArrowHeld = 0;
    if (part != 0)
        RepaintPartNow(rec, part);
}

static void ScrollBarButtonUp(SkinnedWindow *rec, int x, int y)
{
    const HWND hwnd = rec->hwnd;
    ReleaseCapture();
    if (rec->released)
        return;
    const bool vertical = IsVertical(hwnd);
    const HWND parent = GetParent(hwnd);

    if (BarOf(rec)->dragging)
        FinishDrag(rec, vertical, parent, x, y);
    else
        ReleaseHeldPart(rec, vertical);
    ScrollBarState *bar = BarOf(rec);
    bar->thumbHeld = 0;
    bar->firstArrowHeld = 0;
    bar->secondArrowHeld = 0;
}

// A double click counts as one more press and release.
static void ScrollBarDoubleClick(SkinnedWindow *rec, int x, int y)
{
    ScrollBarButtonDown(rec, x, y);
    if (!rec->released)
        ScrollBarButtonUp(rec, x, y);
}

// Told to redraw, the standard control draws its own look straight onto the
// window: it gets the message without the redraw flag, and the library shows
// the result.
static LRESULT SetWithoutItsDrawing(SkinnedWindow *rec, UINT msg, BOOL redraw, LPARAM lParam)
{
    if (!redraw)
        return ForwardMessage(rec, msg, FALSE, lParam);
    return HandleThenRepaint(rec, msg, FALSE, lParam, HANDLED_BY_CONTROL);
}

LRESULT HandleScrollBarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        return DefaultMessage(rec, msg, wParam, lParam);
    case WM_MOUSEMOVE:
        ScrollBarMouseMove(rec, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        ScrollBarButtonDown(rec, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        ScrollBarButtonUp(rec, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        ScrollBarDoubleClick(rec, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case SBM_SETPOS:
    case SBM_SETSCROLLINFO:
        return SetWithoutItsDrawing(rec, msg, static_cast<BOOL>(wParam), lParam);
    case SBM_SETRANGEREDRAW:
        // The same range, set without the control's drawing.
        return HandleThenRepaint(rec, SBM_SETRANGE, wParam, lParam, HANDLED_BY_CONTROL);
    // Enabling the bar or its arrows has no redraw flag to take off; the
    // control's drawing is painted over at once.
    case SBM_ENABLE_ARROWS:
    case WM_ENABLE:
        return HandleThenRepaint(rec, msg, wParam, lParam, HANDLED_BY_CONTROL);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

// Size boxes and size grips are scroll-bar windows too, with no bar: a row
// of their own.
static const SkinClass *ScrollBarRowOfStyle(const SkinClass *row, LONG style)
{
    return (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0 ? &SizeGripClass : row;
}

const SkinClass ScrollBarClass = {L"ScrollBar", ScrollBarRowOfStyle, CK_SCROLLBAR, HandleScrollBarMessage, nullptr,
                                  sizeof(ScrollBarState), PaintScrollBar, nullptr, nullptr, PAINTS_INSTEAD,
                                  PAINT_WITHOUT_FRAME, nullptr, PaintScrollBarParts};

// Trackbars: the control never paints. The skin draws the parent's
// background, the channel and thumb as scroll bar parts, the selection range
// and the ticks; the control keeps its input, its messages and its
// notifications.
#include "scroll.h"

#include <commctrl.h>

// Design sizes, drawn at the window's DPI.
static const int TickLength = 4;
static const int TickWidth = 1;
// Between the thumb and the ticks beside it.
static const int TickGap = 1;

// The channel and thumb in the client area, along the control's axis: for a
// vertical trackbar the system reports the channel the horizontal way round
// on Windows (Wine reports it as drawn), so a channel wider than it is high
// is turned.
static RECT ChannelRect(HWND hwnd, bool vertical)
{
    RECT channel = {};
    SendMessageW(hwnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    if (vertical && channel.right - channel.left > channel.bottom - channel.top)
        channel = {channel.top, channel.left, channel.bottom, channel.right};
    return channel;
}

// Where a value lies along the channel: the thumb's centre at that value.
struct TrackAxis {
    int start;        // the channel's first pixel along the axis
    int length;       // the channel's length less the thumb's
    int half;         // half the thumb's length
    int low;
    int high;
};

static int PixelOfValue(const TrackAxis &axis, int value)
{
    if (axis.high <= axis.low)
        return axis.start + axis.half;
    const long long share = static_cast<long long>(value - axis.low) * axis.length / (axis.high - axis.low);
    return axis.start + axis.half + static_cast<int>(share);
}

// A tick at pixel along the axis, on one side of the thumb.
static void PaintTick(HDC dc, HBRUSH brush, int pixel, bool vertical, bool before, const RECT &thumb, int dpi)
{
    const int length = ScaleToDpi(TickLength, dpi);
    const int gap = ScaleToDpi(TickGap, dpi);
    const int width = ScaleToDpi(TickWidth, dpi);
    const int nearEdge = before ? (vertical ? thumb.left : thumb.top) - gap - length
                                : (vertical ? thumb.right : thumb.bottom) + gap;
    const RECT tick = vertical ? RECT{nearEdge, pixel, nearEdge + length, pixel + width}
                               : RECT{pixel, nearEdge, pixel + width, nearEdge + length};
    FillRect(dc, &tick, brush);
}

// The first and last ticks stand at the ends of the range; the control
// reports the values of the ones between. Their places are worked out here:
// Wine's TBM_GETTICPOS measures a vertical trackbar's ticks across it.
static void PaintTicks(HWND hwnd, HDC dc, LONG style, const TrackAxis &axis, const RECT &thumb, int dpi)
{
    if (style & TBS_NOTICKS)
        return;
    const bool vertical = (style & TBS_VERT) != 0;
    // TBS_TOP and TBS_LEFT are one bit, as are TBS_BOTTOM and TBS_RIGHT.
    const bool before = (style & (TBS_BOTH | TBS_TOP)) != 0;
    const bool after = (style & TBS_BOTH) != 0 || (style & TBS_TOP) == 0;
    HBRUSH brush = CreateSolidBrush(CurrentFace()->trackbarTick);
    const int count = static_cast<int>(SendMessageW(hwnd, TBM_GETNUMTICS, 0, 0));
    for (int i = -2; i < count - 2; ++i) {
        int pixel;
        if (i == -2)
            pixel = PixelOfValue(axis, axis.low);
        else if (i == -1)
            pixel = PixelOfValue(axis, axis.high);
        else
            pixel = PixelOfValue(axis, static_cast<int>(SendMessageW(hwnd, TBM_GETTIC, i, 0)));
        if (before)
            PaintTick(dc, brush, pixel, vertical, true, thumb, dpi);
        if (after)
            PaintTick(dc, brush, pixel, vertical, false, thumb, dpi);
    }
    DeleteObject(brush);
}

// The selection lies inside the channel, between the pixels of its ends.
static void PaintSelection(HWND hwnd, HDC dc, const TrackAxis &axis, const RECT &channel, bool vertical)
{
    const int start = static_cast<int>(SendMessageW(hwnd, TBM_GETSELSTART, 0, 0));
    const int end = static_cast<int>(SendMessageW(hwnd, TBM_GETSELEND, 0, 0));
    if (end <= start)
        return;
    const int from = PixelOfValue(axis, start);
    const int to = PixelOfValue(axis, end);
    RECT selection = channel;
    InflateRect(&selection, vertical ? -1 : 0, vertical ? 0 : -1);
    if (vertical) {
        selection.top = from;
        selection.bottom = to + 1;
    } else {
        selection.left = from;
        selection.right = to + 1;
    }
    HBRUSH brush = CreateSolidBrush(CurrentFace()->trackbarSelection);
    FillRect(dc, &selection, brush);
    DeleteObject(brush);
}

void PaintTrackbar(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const bool vertical = (style & TBS_VERT) != 0;
    const int dpi = WindowDpi(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, ClientAreaIn(hwnd, window), false);
    DrawParentBackground(hwnd, dc);

    const RECT channel = ChannelRect(hwnd, vertical);
    RECT thumb = {};
    SendMessageW(hwnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int thumbLength = vertical ? thumb.bottom - thumb.top : thumb.right - thumb.left;
    const TrackAxis axis = {vertical ? channel.top : channel.left,
                            (vertical ? channel.bottom - channel.top : channel.right - channel.left) - thumbLength,
                            thumbLength / 2, static_cast<int>(SendMessageW(hwnd, TBM_GETRANGEMIN, 0, 0)),
                            static_cast<int>(SendMessageW(hwnd, TBM_GETRANGEMAX, 0, 0))};

    const DWORD disabled = IsWindowEnabled(hwnd) ? 0 : DWORD{SPF_DISABLED};
    const DWORD across = vertical ? 0 : DWORD{SPF_HORZ};
    PaintScrollPart(dc, channel, SPF_TRACK | across | disabled, dpi);
    // On a dark background the channel's shades are close to it: a face may
    // give it a rim.
    const Face &face = *CurrentFace();
    if (!FollowsSystem(face, face.trackbarChannelRim)) {
        HBRUSH rim = CreateSolidBrush(face.trackbarChannelRim);
        FrameRect(dc, &channel, rim);
        DeleteObject(rim);
    }
    if (style & TBS_ENABLESELRANGE)
        PaintSelection(hwnd, dc, axis, channel, vertical);
    PaintTicks(hwnd, dc, style, axis, thumb, dpi);
    if ((style & TBS_NOTHUMB) == 0) {
        const DWORD pressed = GetCapture() == hwnd ? DWORD{SPF_PRESSED} : 0;
        PaintScrollPart(dc, thumb, SPF_GRIPPER | across | disabled | pressed | (rec->state & SKS_HOT), dpi);
    }
    if (GetFocus() == hwnd)
        DrawFocusRect(dc, &client);
    EndBackBuffer(&buffer);
}

// The thumb is hot while the pointer is over it; the change shows at once.
static void FollowHotThumb(SkinnedWindow *rec, bool hot)
{
    if (hot == ((rec->state & SKS_HOT) != 0))
        return;
    if (hot) {
        rec->state |= SKS_HOT;
        TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE, rec->hwnd, 0};
        TrackMouseEvent(&leave);
    } else {
        rec->state &= ~DWORD{SKS_HOT};
    }
    RepaintNow(rec);
}

static LRESULT TrackbarMouseMove(SkinnedWindow *rec, POINT at, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_MOUSEMOVE, wParam, lParam);
    if (rec->released)
        return result;
    RECT thumb = {};
    SendMessageW(rec->hwnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    FollowHotThumb(rec, PtInRect(&thumb, at) != FALSE);
    return result;
}

static LRESULT TrackbarMouseLeave(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    FollowHotThumb(rec, false);
    return ForwardMessage(rec, WM_MOUSELEAVE, wParam, lParam);
}

LRESULT HandleTrackbarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        return TrackbarMouseMove(rec, {(short)LOWORD(lParam), (short)HIWORD(lParam)}, wParam, lParam);
    case WM_MOUSELEAVE:
        return TrackbarMouseLeave(rec, wParam, lParam);
    case WM_ENABLE:
        return HandleThenRepaint(rec, msg, wParam, lParam, HANDLED_BY_CONTROL);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

const SkinClass TrackbarClass = {TRACKBAR_CLASSW, nullptr, CK_TRACKBAR, HandleTrackbarMessage, nullptr, 0,
                                 PaintTrackbar, nullptr, nullptr, PAINTS_INSTEAD, 0, nullptr, nullptr};

// The scroll bars a window has of its own (WS_VSCROLL, WS_HSCROLL): drawn in
// the non-client area with the scroll-bar kind's parts and looks, and
// tracked by the library instead of the system.
//
// Under Wine the system draws these bars in three places besides the default
// WM_NCPAINT: straight into the window DC from SetScrollInfo and
// EnableScrollBar, and from its own tracking loop. The core's frame paint
// keeps the system's off the bars and paints them after it (painting.cpp),
// the tracking loop is replaced by the one
// here, and the bars are painted again after every message whose handling
// changed them (a list box's LB_ADDSTRING sets its own scroll information).
#include "scroll.h"

#include <commctrl.h>
#include <windowsx.h>

// Parts of a bar, in the order they lie along it; the system's hit test
// order.
enum FrameBarPart {
    FBP_NOWHERE = 0,
    FBP_FIRST_ARROW = 1,
    FBP_FIRST_PAGE = 2,
    FBP_THUMB = 3,
    FBP_SECOND_PAGE = 4,
    FBP_SECOND_ARROW = 5,
};

// The part under the pointer, kept in the record's state while the bar is
// not tracked: its code and whether it lies on the horizontal bar.
const DWORD HotPartShift = 24;
const DWORD HotPartMask = 0x07000000;
const DWORD HotOnHorizontal = 0x08000000;
// Set while the library tracks a press on one of the bars: the loop paints
// the bars after each step itself.
const DWORD TrackingBar = 0x10000000;

// The system's timing of a held arrow or page: the first repeat, then each
// further one, in milliseconds.
const UINT FirstRepeatDelay = 200;
const UINT RepeatDelay = 50;
// Between the arrows the channel keeps at least this many pixels; a shorter
// bar shares the rest between its arrows.
const int MinimumChannel = 4;

// How far the thumb is drawn in from the stretch it covers, in design
// pixels: along the bar, then across it, as on the scroll-bar kind.
const int ThumbInsetAlong = 1;
const int VerticalThumbInsetAcross = 2;
const int HorizontalThumbInsetAcross = 3;

// One bar as the system has laid it out, in window coordinates.
struct FrameBar {
    int which;        // SB_VERT or SB_HORZ
    bool vertical;
    RECT rect;        // the whole bar
    int length;       // along the bar
    int arrow;        // each arrow's length along the bar
    int thumbPos;     // the thumb's start, from the bar's start
    int thumbSize;    // 0: no thumb
    bool disabled;    // the whole bar
    bool firstArrowDisabled;
    bool secondArrowDisabled;
};

// A press being tracked: the system's tracking state, in window coordinates.
struct FrameBarTrack {
    SkinnedWindow *rec;
    FrameBar bar;
    int part;             // the part pressed
    int partUnderPointer;
    POINT lastPoint;
    int clickPos;         // along the bar, at the press
    int lastMousePos;
    int startThumbPos;
    int thumbPos;         // where the dragged thumb is drawn
    UINT_PTR timer;       // 0: not repeating
};

static bool HasFrameBars(HWND hwnd)
{
    return (GetWindowLongW(hwnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

// A screen point in window coordinates, counted from the leading edge as the
// window DC counts them.
static POINT ScreenToWindowPoint(HWND hwnd, POINT screen)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    const bool mirrored = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    return {mirrored ? window.right - 1 - screen.x : screen.x - window.left, screen.y - window.top};
}

static RECT ScreenToWindowRect(HWND hwnd, const RECT &screen)
{
    const POINT a = ScreenToWindowPoint(hwnd, {screen.left, screen.top});
    const POINT b = ScreenToWindowPoint(hwnd, {screen.right - 1, screen.bottom - 1});
    return {a.x < b.x ? a.x : b.x, a.y, (a.x < b.x ? b.x : a.x) + 1, b.y + 1};
}

// The bar as the system lays it out; false for a bar the window does not
// show. The arrow length follows the system's rule, since Wine's
// dxyLineButton reports the thumb's size instead.
static bool LayOutFrameBar(HWND hwnd, int which, FrameBar *bar)
{
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(hwnd, which == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &info))
        return false;
    if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN))
        return false;
    bar->which = which;
    bar->vertical = which == SB_VERT;
    bar->rect = ScreenToWindowRect(hwnd, info.rcScrollBar);
    bar->length = bar->vertical ? bar->rect.bottom - bar->rect.top : bar->rect.right - bar->rect.left;
    const int arrow = GetSystemMetrics(SM_CXVSCROLL);
    if (bar->length <= 2 * arrow + MinimumChannel)
        bar->arrow = bar->length > MinimumChannel ? (bar->length - MinimumChannel) / 2 : 0;
    else
        bar->arrow = arrow;
    bar->thumbPos = info.xyThumbTop;
    bar->thumbSize = info.xyThumbBottom - info.xyThumbTop;
    bar->disabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0 || !IsWindowEnabled(hwnd);
    bar->firstArrowDisabled = bar->disabled || (info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) != 0;
    bar->secondArrowDisabled = bar->disabled || (info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) != 0;
    return !IsRectEmpty(&bar->rect);
}

// A stretch of the bar, from..to along it, across its whole width.
static RECT StretchOf(const FrameBar &bar, int from, int to)
{
    RECT r = bar.rect;
    if (bar.vertical) {
        r.top = bar.rect.top + from;
        r.bottom = bar.rect.top + to;
    } else {
        r.left = bar.rect.left + from;
        r.right = bar.rect.left + to;
    }
    return r;
}

static int AlongBar(const FrameBar &bar, POINT pt)
{
    return bar.vertical ? pt.y - bar.rect.top : pt.x - bar.rect.left;
}

// The system's hit test; while dragging, the pointer may stray well outside
// the bar and still count as on it.
static int HitFrameBar(const FrameBar &bar, POINT pt, bool dragging)
{
    RECT zone = bar.rect;
    if (dragging) {
        const int width = bar.vertical ? bar.rect.right - bar.rect.left : bar.rect.bottom - bar.rect.top;
        InflateRect(&zone, bar.vertical ? width * 8 : width * 2, bar.vertical ? width * 2 : width * 8);
    }
    if (!PtInRect(&zone, pt))
        return FBP_NOWHERE;
    const int along = AlongBar(bar, pt);
    if (along < bar.arrow)
        return FBP_FIRST_ARROW;
    if (along >= bar.length - bar.arrow)
        return FBP_SECOND_ARROW;
    if (bar.thumbPos == 0 || along < bar.thumbPos)
        return FBP_FIRST_PAGE;
    if (along >= bar.thumbPos + bar.thumbSize)
        return FBP_SECOND_PAGE;
    return FBP_THUMB;
}

// The position for a thumb whose start lies at thumbPos along the bar: the
// system's own arithmetic, so that a drag reports what it reports.
static int ThumbValue(HWND hwnd, const FrameBar &bar, int thumbPos)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (!GetScrollInfo(hwnd, bar.which, &info))
        return 0;
    const int arrow = GetSystemMetrics(SM_CXVSCROLL);
    const int travel = bar.length - 2 * arrow - bar.thumbSize;
    if (bar.length - 2 * arrow <= 0 || travel <= 0)
        return info.nMin;
    int pos = thumbPos - arrow;
    if (pos < 0)
        pos = 0;
    if (pos > travel)
        pos = travel;
    const int range = info.nPage == 0 ? info.nMax - info.nMin
                                      : info.nMax - info.nMin - static_cast<int>(info.nPage) + 1;
    return info.nMin + MulDiv(pos, range, travel);
}

// Parts drawn pressed or hot, and the thumb's place while it is dragged
// (-1: where the system placed it).
struct FrameBarLook {
    int pressedPart;
    int hotPart;
    int draggedThumbPos;
};

// The bar into dc, through a buffer so that the thumb never shows the
// channel beneath it.
static void PaintFrameBar(HDC target, const FrameBar &bar, const FrameBarLook &state, int dpi)
{
    const ScrollBarLook &look = bar.vertical ? VerticalBarLook : HorizontalBarLook;
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, bar.rect, false);
    POINT origin;
    OffsetWindowOrgEx(dc, bar.rect.left, bar.rect.top, &origin);

    // A bar too short for its full arrows shows triangles, as a short
    // scroll-bar control does.
    const int thickness = bar.vertical ? bar.rect.right - bar.rect.left : bar.rect.bottom - bar.rect.top;
    const DWORD glyph = bar.arrow < thickness ? DWORD{SPF_TRIANGLE} : 0;
    DWORD first = look.firstArrow | glyph;
    DWORD second = look.secondArrow | glyph;
    first |= bar.firstArrowDisabled ? DWORD{SPF_DISABLED}
             : state.pressedPart == FBP_FIRST_ARROW ? DWORD{SPF_PRESSED}
             : state.hotPart == FBP_FIRST_ARROW ? DWORD{SPF_HOT} : 0;
    second |= bar.secondArrowDisabled ? DWORD{SPF_DISABLED}
              : state.pressedPart == FBP_SECOND_ARROW ? DWORD{SPF_PRESSED}
              : state.hotPart == FBP_SECOND_ARROW ? DWORD{SPF_HOT} : 0;
    const DWORD channel = look.wholeChannel | (bar.disabled ? DWORD{SPF_DISABLED} : 0);

    PaintScrollPart(dc, StretchOf(bar, bar.arrow, bar.length - bar.arrow), channel, dpi);
    PaintScrollPart(dc, StretchOf(bar, 0, bar.arrow), first, dpi);
    PaintScrollPart(dc, StretchOf(bar, bar.length - bar.arrow, bar.length), second, dpi);
    if (bar.thumbSize > 0 && !bar.disabled) {
        const int pos = state.draggedThumbPos >= 0 ? state.draggedThumbPos : bar.thumbPos;
        RECT thumb = StretchOf(bar, pos, pos + bar.thumbSize);
        const int along = ScaleToDpi(ThumbInsetAlong, dpi);
        const int across = ScaleToDpi(bar.vertical ? VerticalThumbInsetAcross : HorizontalThumbInsetAcross, dpi);
        InflateRect(&thumb, bar.vertical ? -across : -along, bar.vertical ? -along : -across);
        PaintScrollPart(dc, thumb, state.pressedPart == FBP_THUMB ? look.heldThumb : look.thumb, dpi);
    }
    SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
    EndBackBuffer(&buffer);
}

static FrameBarLook LookAtRest(const SkinnedWindow *rec, int which)
{
    const bool horizontal = (rec->state & HotOnHorizontal) != 0;
    const int hot = static_cast<int>((rec->state & HotPartMask) >> HotPartShift);
    return {FBP_NOWHERE, horizontal == (which == SB_HORZ) ? hot : FBP_NOWHERE, -1};
}

// Where both bars meet: a piece of channel.
static RECT SizeBoxOf(const FrameBar &vertical, const FrameBar &horizontal)
{
    return {vertical.rect.left, horizontal.rect.top, vertical.rect.right, horizontal.rect.bottom};
}

// What a paint of the bars shows: both at rest, both at rest only where
// the system has drawn over them, or the tracked bar as tracked. A tracked
// paint carries the tracked bar's look above FRAME_BARS_TRACKED: whether it
// is the horizontal bar, the part drawn pressed, and the dragged thumb's
// position plus one (0: not dragged).
enum : int { FRAME_BARS_AT_REST, FRAME_BARS_WHERE_DRAWN_OVER, FRAME_BARS_TRACKED };
const int TrackedHorizontal = 0x4, TrackedPressedShift = 3, TrackedPressedMask = 0x7, TrackedThumbShift = 6;

static int TrackedPaint(const FrameBarTrack *track)
{
    int pressed = track->partUnderPointer == track->part ? track->part : FBP_NOWHERE;
    int dragged = -1;
    if (track->part == FBP_THUMB) {
        pressed = FBP_THUMB;
        dragged = track->thumbPos;
    }
    return FRAME_BARS_TRACKED | (track->bar.which == SB_HORZ ? TrackedHorizontal : 0) |
           (pressed << TrackedPressedShift) | ((dragged + 1) << TrackedThumbShift);
}

// Whether the system has drawn a bar since the skin last did. The system
// draws a bar whenever a control sets its scroll information with the
// redraw flag, changed or not, and every drawing of it covers the arrows: the
// first arrow's corner pixel then no longer shows the face's corner colour
// for the arrow's state.
static bool SystemDrewOver(SkinnedWindow *rec, HDC dc, const FrameBar &bar)
{
    const Face &face = *CurrentFace();
    const int set = bar.firstArrowDisabled                                       ? SET_DISABLED
                    : LookAtRest(rec, bar.which).hotPart == FBP_FIRST_ARROW ? SET_HOT
                                                                                 : SET_NORMAL;
    const COLORREF seen = GetPixel(dc, bar.rect.left, bar.rect.top);
    return seen != CLR_INVALID && seen != face.scrollCorners[set][0];
}

// Both bars and the size box into dc, where the window lies at window.
void PaintOwnScrollBars(SkinnedWindow *rec, HDC dc, const RECT &window, int paint)
{
    const HWND hwnd = rec->hwnd;
    const int dpi = WindowDpi(hwnd);
    FrameBar bars[2];
    const bool shown[2] = {LayOutFrameBar(hwnd, SB_VERT, &bars[0]), LayOutFrameBar(hwnd, SB_HORZ, &bars[1])};
    const POINT origin = MoveOriginToWindow(dc, window);
    const bool drawnOver = paint != FRAME_BARS_WHERE_DRAWN_OVER || (shown[0] && SystemDrewOver(rec, dc, bars[0])) ||
                           (shown[1] && SystemDrewOver(rec, dc, bars[1]));
    const int trackedWhich = (paint & TrackedHorizontal) != 0 ? SB_HORZ : SB_VERT;
    for (int i = 0; i < 2 && drawnOver; ++i) {
        if (!shown[i])
            continue;
        FrameBarLook look = LookAtRest(rec, bars[i].which);
        if ((paint & FRAME_BARS_TRACKED) != 0 && bars[i].which == trackedWhich) {
            look.hotPart = FBP_NOWHERE;
            look.pressedPart = (paint >> TrackedPressedShift) & TrackedPressedMask;
            look.draggedThumbPos = (paint >> TrackedThumbShift) - 1;
        }
        PaintFrameBar(dc, bars[i], look, dpi);
    }
    if (drawnOver && shown[0] && shown[1]) {
        const RECT box = SizeBoxOf(bars[0], bars[1]);
        PaintScrollPart(dc, box, SPF_TRACK, dpi);
    }
    PutBackOrigin(dc, origin);
}

static void RepaintFrameBars(SkinnedWindow *rec, const FrameBarTrack *track)
{
    RepaintWithNow(rec, PaintOwnScrollBars, track != nullptr ? TrackedPaint(track) : FRAME_BARS_AT_REST);
}

// ---- Tracking ----

// Tells the window, as the system does: the window's own bar names no
// control.
static bool NotifyWindow(FrameBarTrack *track, WORD code, int position)
{
    SkinnedWindow *rec = track->rec;
    SendMessageW(rec->hwnd, track->bar.vertical ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(code, static_cast<WORD>(position)), 0);
    return !rec->released && IsWindow(rec->hwnd);
}

// The bar after the window has answered: its thumb and arrows as it now
// stands, the pressed part as it was.
static void FollowBar(FrameBarTrack *track)
{
    FrameBar bar;
    if (LayOutFrameBar(track->rec->hwnd, track->bar.which, &bar))
        track->bar = bar;
    RepaintFrameBars(track->rec, track);
}

static WORD LineOrPageCode(int part)
{
    switch (part) {
    case FBP_FIRST_ARROW:
        return SB_LINEUP;
    case FBP_FIRST_PAGE:
        return SB_PAGEUP;
    case FBP_SECOND_PAGE:
        return SB_PAGEDOWN;
    default:
        return SB_LINEDOWN;
    }
}

static void StopRepeating(FrameBarTrack *track)
{
    if (track->timer != 0)
        KillTimer(nullptr, track->timer);
    track->timer = 0;
}

// An arrow or page held under the pointer acts again after a delay, then
// at the repeat rate, as long as the part stays under the pointer.
static bool ActOnHeldPart(FrameBarTrack *track, UINT delay)
{
    StopRepeating(track);
    if (!NotifyWindow(track, LineOrPageCode(track->part), 0))
        return false;
    track->timer = SetTimer(nullptr, 0, delay, nullptr);
    FollowBar(track);
    return true;
}

// A thumb is drawn within the channel wherever the pointer takes it.
static void KeepDraggedThumbInChannel(FrameBarTrack *track)
{
    const FrameBar &bar = track->bar;
    const int last = bar.length - bar.arrow - bar.thumbSize;
    if (track->thumbPos > last)
        track->thumbPos = last;
    if (track->thumbPos < bar.arrow)
        track->thumbPos = bar.arrow;
}

static bool DragThumbTo(FrameBarTrack *track, POINT pt)
{
    const FrameBar &bar = track->bar;
    int pos = track->clickPos;
    if (HitFrameBar(bar, pt, true) != FBP_NOWHERE) {
        const POINT clipped = {pt.x < bar.rect.left ? bar.rect.left : pt.x > bar.rect.right ? bar.rect.right : pt.x,
                               pt.y < bar.rect.top ? bar.rect.top : pt.y > bar.rect.bottom ? bar.rect.bottom : pt.y};
        pos = AlongBar(bar, clipped);
    }
    if (pos == track->lastMousePos)
        return true;
    track->lastMousePos = pos;
    track->thumbPos = track->startThumbPos + pos - track->clickPos;
    if (!NotifyWindow(track, SB_THUMBTRACK, ThumbValue(track->rec->hwnd, bar, track->thumbPos)))
        return false;
    KeepDraggedThumbInChannel(track);
    FollowBar(track);
    return true;
}

static bool TrackPointer(FrameBarTrack *track, POINT pt)
{
    track->lastPoint = pt;
    if (track->part == FBP_THUMB)
        return DragThumbTo(track, pt);
    const int under = HitFrameBar(track->bar, pt, true);
    const bool wasUnder = track->partUnderPointer == track->part;
    track->partUnderPointer = under;
    if (under != track->part) {
        StopRepeating(track);
    } else if (track->timer == 0) {
        return ActOnHeldPart(track, RepeatDelay);
    }
    if (wasUnder != (under == track->part))
        RepaintFrameBars(track->rec, track);
    return true;
}

static bool RepeatHeldPart(FrameBarTrack *track)
{
    track->partUnderPointer = HitFrameBar(track->bar, track->lastPoint, false);
    if (track->partUnderPointer != track->part) {
        StopRepeating(track);
        return true;
    }
    return ActOnHeldPart(track, RepeatDelay);
}

// The release: the capture goes first, then the thumb's final position and
// the end of the scroll, in the system's order.
static void FinishTrack(FrameBarTrack *track)
{
    StopRepeating(track);
    if (GetCapture() == track->rec->hwnd)
        ReleaseCapture();
    if (track->rec->released)
        return;
    if (track->part == FBP_THUMB &&
        !NotifyWindow(track, SB_THUMBPOSITION, ThumbValue(track->rec->hwnd, track->bar,
                                                          track->startThumbPos + track->lastMousePos -
                                                              track->clickPos)))
        return;
    if (!NotifyWindow(track, SB_ENDSCROLL, 0))
        return;
    RepaintFrameBars(track->rec, nullptr);
}

// A mouse message of the loop in window coordinates: client coordinates
// under the capture.
static POINT MessagePoint(HWND hwnd, const MSG &msg)
{
    POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ClientToScreen(hwnd, &pt);
    return ScreenToWindowPoint(hwnd, pt);
}

// The system's loop, with the library's drawing: mouse and repeat messages
// go to the bar, everything else on to its window.
static void RunTrackLoop(FrameBarTrack *track)
{
    const HWND hwnd = track->rec->hwnd;
    MSG msg;
    while (GetCapture() == hwnd && GetMessageW(&msg, nullptr, 0, 0)) {
        if (CallMsgFilterW(&msg, MSGF_SCROLLBAR))
            continue;
        bool kept = true;
        if (msg.message == WM_LBUTTONUP) {
            track->lastPoint = MessagePoint(hwnd, msg);
            FinishTrack(track);
            return;
        }
        if (msg.message == WM_MOUSEMOVE) {
            kept = TrackPointer(track, MessagePoint(hwnd, msg));
        } else if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == track->timer) {
            kept = RepeatHeldPart(track);
        } else {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            kept = !track->rec->released && IsWindow(hwnd);
        }
        if (!kept)
            break;
    }
    StopRepeating(track);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    RepaintFrameBars(track->rec, nullptr);
}

static LRESULT TrackFrameBar(SkinnedWindow *rec, int which, POINT screen)
{
    const HWND hwnd = rec->hwnd;
    FrameBarTrack track = {};
    track.rec = rec;
    if (!LayOutFrameBar(hwnd, which, &track.bar) || track.bar.disabled)
        return 0;
    const POINT pt = ScreenToWindowPoint(hwnd, screen);
    track.part = HitFrameBar(track.bar, pt, false);
    if (track.part == FBP_NOWHERE ||
        (track.part == FBP_FIRST_ARROW && track.bar.firstArrowDisabled) ||
        (track.part == FBP_SECOND_ARROW && track.bar.secondArrowDisabled))
        return 0;
    track.partUnderPointer = track.part;
    track.lastPoint = pt;
    track.clickPos = AlongBar(track.bar, pt);
    track.lastMousePos = track.clickPos;
    track.startThumbPos = track.bar.thumbPos;
    track.thumbPos = track.bar.thumbPos;
    rec->state = (rec->state & ~(HotPartMask | HotOnHorizontal)) | TrackingBar;
    SetCapture(hwnd);

    bool kept;
    if (track.part == FBP_THUMB) {
        kept = NotifyWindow(&track, SB_THUMBTRACK, ThumbValue(hwnd, track.bar, track.thumbPos));
        if (kept)
            RepaintFrameBars(rec, &track);
    } else {
        kept = ActOnHeldPart(&track, FirstRepeatDelay);
    }
    if (kept)
        RunTrackLoop(&track);
    StopRepeating(&track);
    rec->state &= ~TrackingBar;
    return 0;
}

// ---- Hover ----

// The part under the pointer shows hot until the pointer leaves it.
static LRESULT FrameBarsHover(SkinnedWindow *rec, WPARAM hitTest, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_NCMOUSEMOVE, hitTest, lParam);
    if (rec->released || !HasFrameBars(rec->hwnd))
        return result;
    DWORD hot = 0;
    FrameBar bar;
    if ((hitTest == HTVSCROLL || hitTest == HTHSCROLL) &&
        LayOutFrameBar(rec->hwnd, hitTest == HTVSCROLL ? SB_VERT : SB_HORZ, &bar)) {
        const POINT pt = ScreenToWindowPoint(rec->hwnd, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        hot = static_cast<DWORD>(HitFrameBar(bar, pt, false)) << HotPartShift;
        if (hot != 0 && hitTest == HTHSCROLL)
            hot |= HotOnHorizontal;
        TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE | TME_NONCLIENT, rec->hwnd, 0};
        TrackMouseEvent(&leave);
    }
    if (hot != (rec->state & (HotPartMask | HotOnHorizontal))) {
        rec->state = (rec->state & ~(HotPartMask | HotOnHorizontal)) | hot;
        RepaintFrameBars(rec, nullptr);
    }
    return result;
}

static LRESULT FrameBarsLeave(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_NCMOUSELEAVE, wParam, lParam);
    if (!rec->released && (rec->state & HotPartMask) != 0) {
        rec->state &= ~(HotPartMask | HotOnHorizontal);
        RepaintFrameBars(rec, nullptr);
    }
    return result;
}

// ---- Changes made by the window itself ----

// Messages after which a control may have set its scroll information, and
// so had the system draw its bars; the check costs nothing to a window
// without bars, and a little to one with them: the control's own messages, typing,
// scrolling, sizing, the mouse inside it, and painting (list views and tree
// views measure their items and set their bars as they paint).
static bool MayMoveBars(UINT msg)
{
    if ((msg >= EM_GETSEL && msg <= EM_GETIMESTATUS) || (msg >= LB_ADDSTRING && msg <= LB_MSGMAX) ||
        (msg >= LVM_FIRST && msg < TV_FIRST + 0x100))
        return true;
    switch (msg) {
    case WM_PAINT:
    case WM_SIZE:
    case WM_SETFONT:
    case WM_SETTEXT:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_TIMER:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_ENABLE:
    case WM_SETREDRAW:
    case WM_STYLECHANGED:
        return true;
    default:
        return false;
    }
}

// After a message that may have had the system draw: the bars are painted
// again where it did. A window that does not show itself is left alone.
static LRESULT ForwardKeepingBars(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, msg, wParam, lParam);
    if (!MayMoveBars(msg) || rec->released || (rec->state & TrackingBar) || !HasFrameBars(rec->hwnd))
        return result;
    RepaintWithNow(rec, PaintOwnScrollBars, FRAME_BARS_WHERE_DRAWN_OVER);
    return result;
}

static LRESULT FrameBarCommand(SkinnedWindow *rec, WPARAM command, LPARAM lParam)
{
    const WPARAM kind = command & 0xFFF0;
    if (kind != SC_VSCROLL && kind != SC_HSCROLL)
        return ForwardMessage(rec, WM_SYSCOMMAND, command, lParam);
    return TrackFrameBar(rec, kind == SC_VSCROLL ? SB_VERT : SB_HORZ, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

LRESULT HandleFrameBarsMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SYSCOMMAND:
        return FrameBarCommand(rec, wParam, lParam);
    case WM_NCMOUSEMOVE:
        return FrameBarsHover(rec, wParam, lParam);
    case WM_NCMOUSELEAVE:
        return FrameBarsLeave(rec, wParam, lParam);
    default:
        return ForwardKeepingBars(rec, msg, wParam, lParam);
    }
}

void RepaintFrameBarsNow(SkinnedWindow *rec)
{
    if (HasFrameBars(rec->hwnd))
        RepaintFrameBars(rec, nullptr);
}

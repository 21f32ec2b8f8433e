// Combo boxes, date-time pickers and month calendars: after each of the
// control's own paints, a two-ring flat frame and a chevron drop button are
// drawn over it.
#include "controls.h"

#include "../scroll/scroll.h"

static const COLORREF ComboOuterColour = 0x00BD9E7B;
// Disabled outer ring: the face colour darkened (DarkenedSysColor).
static const int ComboDisabledOuterSysColour = COLOR_BTNFACE;
// Inner ring and drop button outline: system brushes by state.
static const int ComboDisabledInnerSysColour = COLOR_BTNFACE;
static const int ComboInnerSysColour = COLOR_WINDOW;
static const DWORD ComboDropButtonFlags = SPF_DOWN | SPF_CHEVRON;
// The press feedback holds the thread for this long before the control
// sees the click.
static const DWORD DropButtonPressMilliseconds = 300;

// The drop button is as wide as a vertical scroll-bar thumb is high; a
// control taller than two of them (a month calendar) keeps its own look.
// The rings stand on the control's own border, whose width is the system's
// (SM_CXEDGE), so they stay one pixel each at every DPI.
static int DropButtonWidth()
{
    return GetSystemMetrics(SM_CYVTHUMB);
}

void PaintComboFrame(SkinnedWindow *rec)
{
    const HWND hwnd = rec->hwnd;
    RECT rect;
    GetWindowRect(hwnd, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    if (rect.bottom > 2 * DropButtonWidth())
        return;

    BackBuffer buffer = {};
    buffer.hwnd = hwnd;
    buffer.copyThrough = 1;
    HDC dc = BeginBackBuffer(&buffer);
    if (dc != nullptr) {
        const bool disabled = (rec->state & SKS_DISABLED) != 0;
        HBRUSH outer =
            CreateSolidBrush(disabled ? DarkenedSysColor(ComboDisabledOuterSysColour) : ComboOuterColour);
        FrameRect(dc, &rect, outer);
        DeleteObject(outer);

        HBRUSH inner = GetSysColorBrush(disabled ? ComboDisabledInnerSysColour : ComboInnerSysColour);
        InflateRect(&rect, -1, -1);
        FrameRect(dc, &rect, inner);
        InflateRect(&rect, -1, -1);
        rect.left = rect.right - DropButtonWidth();
        FrameRect(dc, &rect, inner);

        RECT button = rect;
        button.left += 1;
        PaintScrollPart(dc, button, rec->state | ComboDropButtonFlags, WindowDpi(hwnd));
    }
    EndBackBuffer(&buffer);
}

// The zone that answers a press is twice as wide as the drawn button.
int PressDropButton(SkinnedWindow *rec)
{
    RECT window;
    GetWindowRect(rec->hwnd, &window);
    const int width = window.right - window.left;
    const int zoneLeft = width - 2 * DropButtonWidth();
    const RECT zone = {zoneLeft > 0 ? zoneLeft : 0, 0, width, window.bottom - window.top};

    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(rec->hwnd, &cursor);
    if (!PtInRect(&zone, cursor))
        return 0;

    rec->state |= SKS_PRESSED;
    PaintComboFrame(rec);
    Sleep(DropButtonPressMilliseconds);
    rec->state &= ~DWORD{SKS_PRESSED};
    PaintComboFrame(rec);
    return 1;
}

static LRESULT ComboButtonDown(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    PressDropButton(rec);
    return ForwardMessage(rec, WM_LBUTTONDOWN, wParam, lParam);
}

static LRESULT ComboButtonUp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    rec->state &= ~DWORD{SKS_PRESSED};
    return HandleThenPaint(rec, WM_LBUTTONUP, wParam, lParam, HANDLED_BY_CONTROL, PaintComboFrame);
}

LRESULT HandleComboBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCLBUTTONDOWN:
        return 0;
    case WM_PAINT:
    case WM_NCPAINT:
        // The frame goes over whatever the control has just painted.
        return HandleThenPaint(rec, msg, wParam, lParam, HANDLED_BY_CONTROL, PaintComboFrame);
    case WM_LBUTTONDOWN:
        return ComboButtonDown(rec, wParam, lParam);
    case WM_LBUTTONUP:
        return ComboButtonUp(rec, wParam, lParam);
    case WM_ENABLE:
        return FollowEnabledState(rec, wParam != 0, wParam, lParam, PaintComboFrame);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

// Style 1 is the simple combo box, the up-down date-time picker and the
// month calendar with day states; those keep their own look.
static const LONG FramelessStyleBits = 3;
static const LONG FramelessStyle = 1;

static int ComboKindOfStyle(LONG style)
{
    return (style & FramelessStyleBits) == FramelessStyle ? CK_NONE : CK_COMBOBOX;
}

const SkinClass ComboBoxClass = {L"ComboBox", ComboKindOfStyle, CK_COMBOBOX, HandleComboBoxMessage, nullptr, 0};
const SkinClass DateTimePickerClass = {L"SysDateTimePick32", ComboKindOfStyle, CK_COMBOBOX, HandleComboBoxMessage,
                                       nullptr, 0};
const SkinClass MonthCalendarClass = {L"SysMonthCal32", ComboKindOfStyle, CK_COMBOBOX, HandleComboBoxMessage,
                                      nullptr, 0};

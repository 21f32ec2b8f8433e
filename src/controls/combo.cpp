// Combo boxes, date-time pickers and month calendars: after each of the
// control's own paints, a two-ring flat frame and a chevron drop button are
// drawn over it.
#include "controls.h"

#include "../scroll/scroll.h"

static const DWORD ComboDropButtonFlags = SPF_DOWN | SPF_CHEVRON;
// The drop button shows pressed for this long after a press, or until the
// button comes up, whichever is first; a timer ends it, so that the thread
// goes on meanwhile.
static const DWORD DropButtonPressMilliseconds = 300;
// The timer's identifier on the combo box's own window, clear of the small
// numbers the standard controls use for theirs.
static const UINT_PTR DropButtonTimer = 0x766B;

// The drop button is as wide as a vertical scroll-bar thumb is high; a
// control taller than two of them (a month calendar) keeps its own look.
// The rings stand on the control's own border, whose width is the system's
// (SM_CXEDGE), so they stay one pixel each at every DPI.
static int DropButtonWidth()
{
    return GetSystemMetrics(SM_CYVTHUMB);
}

// The two rings and the drop button into dc, where the window lies at
// window.
static void DrawComboFrame(SkinnedWindow *rec, HDC dc, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const Face &face = *CurrentFace();
    RECT rect = window;
    if (rect.bottom - rect.top > 2 * DropButtonWidth())
        return;
    const bool disabled = (rec->state & SKS_DISABLED) != 0;
    HBRUSH outer = CreateSolidBrush(disabled ? face.disabledFrame : face.fieldFrame);
    FrameRect(dc, &rect, outer);
    DeleteObject(outer);

    HBRUSH inner = CreateSolidBrush(disabled ? face.fieldInnerDisabled : face.fieldInner);
    InflateRect(&rect, -1, -1);
    FrameRect(dc, &rect, inner);
    InflateRect(&rect, -1, -1);
    rect.left = rect.right - DropButtonWidth();
    FrameRect(dc, &rect, inner);
    DeleteObject(inner);

    RECT button = rect;
    button.left += 1;
    PaintScrollPart(dc, button, rec->state | ComboDropButtonFlags, WindowDpi(hwnd));
}

// Over what the control painted into dc, read back from it.
void PaintComboFrame(SkinnedWindow *rec, HDC target, const RECT &window)
{
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, window, true);
    DrawComboFrame(rec, dc, {0, 0, window.right - window.left, window.bottom - window.top});
    EndBackBuffer(&buffer);
}

// The control erases and paints into the skin's buffer, the frame goes over
// it, and the whole is copied to BeginPaint's DC once: nothing is read back
// from the window. A paint into a DC the caller brings, or of a control with
// a frame outside its client area, is the control's, and the frame follows
// over it.
static LRESULT ComboPaint(SkinnedWindow *rec, HDC callerDC, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    if (callerDC != nullptr || HasNonClientArea(hwnd))
        return PaintOverControl(rec, callerDC, lParam);
    PAINTSTRUCT paint;
    HDC paintDC = BeginPaint(hwnd, &paint);
    BackBuffer buffer;
    const RECT window = WindowRectInWindow(hwnd);
    HDC dc = BeginBackBuffer(&buffer, paintDC, window, false);
    ForwardMessage(rec, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const LRESULT result = ForwardMessage(rec, WM_PAINT, reinterpret_cast<WPARAM>(dc), lParam);
    if (!rec->released)
        DrawComboFrame(rec, dc, window);
    EndBackBuffer(&buffer);
    EndPaint(hwnd, &paint);
    return result;
}

// A timer procedure is called by the message loop with the handle alone, so
// the record is found here. A window released meanwhile is only rid of the
// timer.
static void CALLBACK EndDropButtonPress(HWND hwnd, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(hwnd, timer);
    SkinnedWindow *rec = FindSkinnedWindow(hwnd);
    if (rec != nullptr && (rec->state & SKS_PRESSED) != 0) {
        rec->state &= ~DWORD{SKS_PRESSED};
        RepaintNow(rec);
    }
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
    RepaintNow(rec);
    SetTimer(rec->hwnd, DropButtonTimer, DropButtonPressMilliseconds, EndDropButtonPress);
    return 1;
}

static LRESULT ComboButtonDown(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    PressDropButton(rec);
    return ForwardMessage(rec, WM_LBUTTONDOWN, wParam, lParam);
}

static LRESULT ComboButtonUp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    KillTimer(rec->hwnd, DropButtonTimer);
    rec->state &= ~DWORD{SKS_PRESSED};
    return HandleThenRepaint(rec, WM_LBUTTONUP, wParam, lParam, HANDLED_BY_CONTROL);
}

LRESULT HandleComboBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCLBUTTONDOWN:
        return 0;
    // The frame goes over whatever the control has just painted. A repaint
    // brings both messages; a control without a border paints nothing of
    // the frame's outside its client area.
    case WM_PAINT:
        return ComboPaint(rec, reinterpret_cast<HDC>(wParam), lParam);
    case WM_NCPAINT:
        if (!HasNonClientArea(rec->hwnd))
            return ForwardMessage(rec, msg, wParam, lParam);
        return HandleThenRepaint(rec, msg, wParam, lParam, HANDLED_BY_CONTROL);
    case WM_PRINTCLIENT:
        return PrintClient(rec, reinterpret_cast<HDC>(wParam), lParam, PRINTED_OVER_CONTROL);
    case WM_PRINT:
        return PrintWindowParts(rec, reinterpret_cast<HDC>(wParam), lParam, PRINTED_OVER_CONTROL);
    case WM_LBUTTONDOWN:
        return ComboButtonDown(rec, wParam, lParam);
    case WM_LBUTTONUP:
        return ComboButtonUp(rec, wParam, lParam);
    case WM_ENABLE:
        return FollowEnabledState(rec, wParam != 0, wParam, lParam);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

// Style 1 is the simple combo box, the up-down date-time picker and the
// month calendar with day states; those keep their own look.
static const LONG FramelessStyleBits = 3;
static const LONG FramelessStyle = 1;

int ComboKindOfStyle(LONG style)
{
    return (style & FramelessStyleBits) == FramelessStyle ? CK_NONE : CK_COMBOBOX;
}

const SkinClass ComboBoxClass = {L"ComboBox", ComboKindOfStyle, CK_COMBOBOX, HandleComboBoxMessage, nullptr, 0,
                                 PaintComboFrame, nullptr, nullptr};
const SkinClass DateTimePickerClass = {L"SysDateTimePick32", ComboKindOfStyle, CK_COMBOBOX, HandleComboBoxMessage,
                                       nullptr, 0, PaintComboFrame, nullptr, nullptr};

// Combo boxes, date-time pickers and month calendars: after each of the
// control's own paints, a two-ring flat frame and a chevron drop button are
// drawn over it.
#include "controls.h"

#include <commctrl.h>

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

// The colours a field's text comes in where no one chose others: the
// system's window colour and window text, as the platform ships them.
static const COLORREF SystemPaper = RGB(255, 255, 255);
static const COLORREF SystemInk = RGB(0, 0, 0);

static BYTE Mix(BYTE paper, BYTE ink, int inkShare)
{
    return static_cast<BYTE>((paper * (255 - inkShare) + ink * inkShare + 127) / 255);
}

// A drop-down list's field is filled and written in its parent's answer to
// WM_CTLCOLOREDIT, which a parent that is not skinned gives in the system's
// colours, and a date-time picker writes its fields in the system's window
// text whatever its parent answers. Where the field's paper is that white,
// its greys are moved onto the face's list colours: the paper to the
// background, the ink to the text, the antialiased edges between them, so
// that the control's own text keeps its place and shape. Colours that are
// not grey (a highlight, a host's own paper) stay.
void RecolourField(HDC dc, const RECT &field, const Face &face)
{
    const int width = field.right - field.left;
    const int height = field.bottom - field.top;
    if ((face.listBackground == SystemPaper && face.listText == SystemInk) || width <= 0 || height <= 0 ||
        GetPixel(dc, field.left, field.top) != SystemPaper || GetPixel(dc, field.left, field.bottom - 1) != SystemPaper)
        return;
    BITMAPINFO format;
    DescribeTopDownPixels(&format, width, height);
    void *bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr)
        return;
    HDC copy = CreateCompatibleDC(dc);
    const HGDIOBJ previous = SelectObject(copy, section);
    BitBlt(copy, 0, 0, width, height, dc, field.left, field.top, SRCCOPY);
    GdiFlush();
    auto *pixels = static_cast<DWORD *>(bits);
    const COLORREF paper = face.listBackground;
    const COLORREF ink = face.listText;
    for (int i = 0; i < width * height; ++i) {
        const BYTE grey = pixels[i] & 0xFF;
        if (((pixels[i] >> 8) & 0xFF) != grey || ((pixels[i] >> 16) & 0xFF) != grey)
            continue;
        const int inkShare = 255 - grey;
        pixels[i] = (DWORD{Mix(GetRValue(paper), GetRValue(ink), inkShare)} << 16) |
                    (DWORD{Mix(GetGValue(paper), GetGValue(ink), inkShare)} << 8) |
                    Mix(GetBValue(paper), GetBValue(ink), inkShare);
    }
    BitBlt(dc, field.left, field.top, width, height, copy, 0, 0, SRCCOPY);
    SelectObject(copy, previous);
    DeleteDC(copy);
    DeleteObject(section);
}


static bool IsInExtendedComboBox(HWND hwnd)
{
    wchar_t className[16];
    return GetClassNameW(GetParent(hwnd), className, ARRAYSIZE(className)) != 0 &&
           lstrcmpiW(className, WC_COMBOBOXEXW) == 0;
}


// Fields the control writes itself: a drop-down list's that nobody draws
// for it or that an extended combo box draws, and a date-time picker's.
// Returns false for others; *textStart is where recolouring may begin.
static bool HasPlainField(const SkinnedWindow *rec, int *textStart)
{
    *textStart = 0;
    if (rec->skinClass == &DateTimePickerClass)
        return true;
    const LONG style = GetWindowLongW(rec->hwnd, GWL_STYLE);
    if (rec->skinClass != &ComboBoxClass || (style & CBS_DROPDOWNLIST) != CBS_DROPDOWNLIST)
        return false;
    if ((style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0)
        return true;
    if (!IsInExtendedComboBox(rec->hwnd))
        return false;
    *textStart = ExtendedTextStart(GetParent(rec->hwnd));
    return true;
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
    int textStart = 0;
    if (!disabled && HasPlainField(rec, &textStart))
        RecolourField(dc, {rect.left + textStart, rect.top, rect.right - DropButtonWidth(), rect.bottom}, face);
    rect.left = rect.right - DropButtonWidth();
    FrameRect(dc, &rect, inner);
    DeleteObject(inner);

    RECT button = rect;
    button.left += 1;
    PaintScrollPart(dc, button, rec->state | ComboDropButtonFlags, WindowDpi(hwnd));
}

// Over what the control painted into dc, read back from it; straight into
// a memory DC, which is a buffer already.
void PaintComboFrame(SkinnedWindow *rec, HDC target, const RECT &window)
{
    if (GetObjectType(target) == OBJ_MEMDC) {
        DrawComboFrame(rec, target, window);
        return;
    }
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, window, true);
    DrawComboFrame(rec, dc, {0, 0, window.right - window.left, window.bottom - window.top});
    EndBackBuffer(&buffer);
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

// The combo box writes its field at once, outside WM_PAINT, when the
// selection or the focus changes: a field the skin recolours is painted
// again after it.
static LRESULT ForwardThenRecolour(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, msg, wParam, lParam);
    int textStart;
    if (!rec->released && HasPlainField(rec, &textStart))
        RepaintNow(rec);
    return result;
}

LRESULT HandleComboBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case CB_SETCURSEL:
    case CB_SELECTSTRING:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case WM_COMMAND:
        return ForwardThenRecolour(rec, msg, wParam, lParam);
    case WM_NCLBUTTONDOWN:
        return 0;
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

const SkinClass *ComboRowOfStyle(const SkinClass *row, LONG style)
{
    return (style & FramelessStyleBits) == FramelessStyle ? nullptr : row;
}

// The frame goes over whatever the control has just painted. A repaint
// brings both paint messages; a control without a border paints nothing of
// the frame's outside its client area.
const SkinClass ComboBoxClass = {L"ComboBox", ComboRowOfStyle, CK_COMBOBOX, HandleComboBoxMessage, nullptr, 0,
                                 PaintComboFrame, nullptr, nullptr, PAINTS_OVER,
                                 PAINT_COVERS_FRAME | PAINT_OVER_IN_BUFFER, nullptr, nullptr};

const SkinClass DateTimePickerClass = {L"SysDateTimePick32", ComboRowOfStyle, CK_COMBOBOX, HandleComboBoxMessage,
                                       nullptr, 0, PaintComboFrame, nullptr, nullptr, PAINTS_OVER,
                                       PAINT_COVERS_FRAME | PAINT_OVER_IN_BUFFER, nullptr, nullptr};

// Up-down controls: the standard control keeps its input behaviour; the
// library repaints it in its own look after everything that changes it.
#include "scroll.h"

#include <commctrl.h>
#include <windowsx.h>

// The pointer was last seen over the upper (or, horizontally, left) half.
static const DWORD SKS_FIRSTHALF = 0x00010000;

// The state bits that mean the same in a PaintScrollPart flags word.
static const DWORD SharedLookBits = SKS_DISABLED | SKS_PRESSED | SKS_HOT | SKS_HORZ;

// The control's client area is drawn; a border, if it has one, is its own.
void PaintUpDown(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    bool framed = false;
    if (rec->state & (SKS_UPDOWNLEFT | SKS_UPDOWNRIGHT)) {
        const HWND buddy = reinterpret_cast<HWND>(SendMessageW(hwnd, UDM_GETBUDDY, 0, 0));
        if (rec->released)
            return;
        // The buddy's enabled state shows on the control aligned against it;
        // a buddy that is no longer skinned gets no frame. The lookup is of
        // the buddy's record.
        const SkinnedWindow *buddyRec = FindSkinnedWindow(buddy);
        if (buddyRec != nullptr) {
            framed = true;
            rec->state = (rec->state & ~DWORD{SKS_DISABLED}) | (buddyRec->state & SKS_DISABLED);
        }
    }
    const DWORD state = rec->state;
    const bool disabled = (state & SKS_DISABLED) != 0;
    const bool horizontal = (state & SKS_HORZ) != 0;

    RECT r;
    GetClientRect(hwnd, &r);
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, ClientAreaIn(hwnd, window), false);
    const int width = r.right;
    const int height = r.bottom;

    const Face &face = *CurrentFace();
    if (framed) {
        HBRUSH frame = CreateSolidBrush(disabled ? face.disabledFrame : face.fieldFrame);
        FrameRect(dc, &r, frame);
        DeleteObject(frame);
        // The side against the Edit takes the background colour, so that
        // the two read as one field.
        HPEN separator = CreatePen(PS_SOLID, 1, disabled ? face.fieldInnerDisabled : face.fieldInner);
        HGDIOBJ previousPen = SelectObject(dc, separator);
        const int x = (state & SKS_UPDOWNLEFT) ? width - 1 : 0;
        MoveToEx(dc, x, 1, nullptr);
        LineTo(dc, x, height - 1);
        SelectObject(dc, previousPen);
        DeleteObject(separator);
        InflateRect(&r, -1, -1);
    }
    HBRUSH body = CreateSolidBrush(face.upDownBody);
    FillRect(dc, &r, body);
    DeleteObject(body);
    InflateRect(&r, -1, -1);

    RECT firstHalf = r;
    RECT secondHalf = r;
    if (horizontal) {
        const int split = r.left + (r.right - r.left) / 2;
        firstHalf.right = split;
        secondHalf.left = split;
    } else {
        const int split = r.top + (r.bottom - r.top) / 2;
        firstHalf.bottom = split;
        secondHalf.top = split;
    }
    // Only the half under the pointer shows the press. The frame, the
    // separator and the gap are the buddy Edit's one-pixel rings drawn on
    // (which stand on its system border), so that the two read as one
    // field at every DPI; the arrows are drawn at the window's.
    const int dpi = WindowDpi(hwnd);
    const DWORD look = state & SharedLookBits;
    const DWORD firstOnly = (state & SKS_FIRSTHALF) ? 0 : DWORD{SPF_PRESSED | SPF_HOT};
    const DWORD secondOnly = (state & SKS_FIRSTHALF) ? DWORD{SPF_PRESSED | SPF_HOT} : 0;
    PaintScrollPart(dc, secondHalf, (look & ~secondOnly) | SPF_TRIANGLE | (horizontal ? SPF_RIGHT : SPF_DOWN), dpi);
    PaintScrollPart(dc, firstHalf, (look & ~firstOnly) | SPF_TRIANGLE | (horizontal ? SPF_LEFT : SPF_UP), dpi);
    EndBackBuffer(&buffer);
}

// The standard control acts on the press, the release or the move, which it
// shows by invalidating itself; the library shows the change at once, and
// its WM_PAINT keeps the control from drawing. The host hears of the step
// while the control is as visible as it was, and may hide or end it.
static LRESULT PassOnAndShow(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return HandleThenRepaint(rec, msg, wParam, lParam, HANDLED_BY_CONTROL);
}

static LRESULT UpDownButton(SkinnedWindow *rec, UINT msg, bool pressed, WPARAM wParam, LPARAM lParam)
{
    if (pressed)
        rec->state |= SKS_PRESSED;
    else
        rec->state &= ~DWORD{SKS_PRESSED};
    return PassOnAndShow(rec, msg, wParam, lParam);
}

// Only a move into the other half changes the look; other moves stay away
// from the standard control.
static LRESULT UpDownMouseMove(SkinnedWindow *rec, int x, int y, WPARAM wParam, LPARAM lParam)
{
    RECT client;
    GetClientRect(rec->hwnd, &client);
    const bool overFirst = (rec->state & SKS_HORZ) ? x <= client.right / 2 : y <= client.bottom / 2;
    if (overFirst == ((rec->state & SKS_FIRSTHALF) != 0))
        return DefaultMessage(rec, WM_MOUSEMOVE, wParam, lParam);
    if (overFirst)
        rec->state |= SKS_FIRSTHALF;
    else
        rec->state &= ~SKS_FIRSTHALF;
    return PassOnAndShow(rec, WM_MOUSEMOVE, wParam, lParam);
}

LRESULT HandleUpDownMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONDBLCLK:
        return 1;
    case WM_LBUTTONDOWN:
        return UpDownButton(rec, msg, true, wParam, lParam);
    case WM_LBUTTONUP:
        return UpDownButton(rec, msg, false, wParam, lParam);
    case WM_MOUSEMOVE:
        return UpDownMouseMove(rec, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam, lParam);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

// The frame against the buddy needs the buddy skinned first: an up-down
// attached before its Edit, or beside another kind, gets neither side bit.
static void SetUpUpDownKind(SkinnedWindow *rec, LONG style)
{
    if (style & UDS_HORZ)
        rec->state |= SKS_HORZ;
    const HWND buddy = reinterpret_cast<HWND>(SendMessageW(rec->hwnd, UDM_GETBUDDY, 0, 0));
    const SkinnedWindow *buddyRec = FindSkinnedWindow(buddy);
    if (rec->released || buddyRec == nullptr || buddyRec->skinClass != &EditClass)
        return;
    if (style & UDS_ALIGNLEFT)
        rec->state |= SKS_UPDOWNLEFT;
    else if (style & UDS_ALIGNRIGHT)
        rec->state |= SKS_UPDOWNRIGHT;
}

const SkinClass UpDownClass = {L"msctls_updown32", nullptr, CK_UPDOWN, HandleUpDownMessage, SetUpUpDownKind, 0,
                               PaintUpDown, nullptr, nullptr, PAINTS_INSTEAD, PAINT_COVERS_FRAME, nullptr, nullptr};

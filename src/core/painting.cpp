// The ways into a kind's painter: a change of state, WM_PAINT, and printing.
// Each brings the DC and the window's place in it; the painter draws there.
#include "skin.h"

RECT WindowRectInClient(HWND hwnd)
{
    RECT window;
    RECT client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT *>(&client), 2);
    // Counted from the window's leading edge: the right one in a mirrored
    // window, as its DCs count.
    const bool mirrored = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    const int leading = mirrored ? window.right - client.right : client.left - window.left;
    const int top = client.top - window.top;
    return {-leading, -top, window.right - window.left - leading, window.bottom - window.top - top};
}

RECT WindowRectInWindow(HWND hwnd)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    return {0, 0, window.right - window.left, window.bottom - window.top};
}

RECT ClientAreaIn(HWND hwnd, const RECT &window)
{
    const RECT windowInClient = WindowRectInClient(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    OffsetRect(&client, window.left - windowInClient.left, window.top - windowInClient.top);
    return client;
}

POINT MoveOriginToWindow(HDC dc, const RECT &window)
{
    POINT previous;
    OffsetWindowOrgEx(dc, -window.left, -window.top, &previous);
    return previous;
}

void PutBackOrigin(HDC dc, POINT origin)
{
    SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
}

// Whatever the painter sends may end in host code that releases the
// record: it is held until the window DC has gone back. The update region
// comes in screen coordinates and belongs to the system: SelectClipRgn
// takes a copy, so the handle is never changed or deleted here.
static void PaintOnWindowDC(SkinnedWindow *rec, KindPartPainter partPainter, int part, HRGN updateRegion)
{
    if (rec->released)
        return;
    const HWND hwnd = rec->hwnd;
    HDC dc = GetWindowDC(hwnd);
    if (dc == nullptr)
        return;
    HoldRecord(rec);
    const bool clipped = updateRegion != nullptr && updateRegion != reinterpret_cast<HRGN>(1);
    if (clipped) {
        RECT place;
        GetWindowRect(hwnd, &place);
        SelectClipRgn(dc, updateRegion);
        OffsetClipRgn(dc, -place.left, -place.top);
    }
    const RECT window = WindowRectInWindow(hwnd);
    if (partPainter != nullptr)
        partPainter(rec, dc, window, part);
    else
        rec->skinClass->paint(rec, dc, window);
    if (clipped)
        SelectClipRgn(dc, nullptr);
    ReleaseDC(hwnd, dc);
    LetGoRecord(rec);
}

void RepaintNow(SkinnedWindow *rec)
{
    PaintOnWindowDC(rec, nullptr, 0, nullptr);
}

void RepaintPartNow(SkinnedWindow *rec, int part)
{
    PaintOnWindowDC(rec, rec->skinClass->paintPart, part, nullptr);
}

void RepaintWithNow(SkinnedWindow *rec, KindPartPainter painter, int part)
{
    PaintOnWindowDC(rec, painter, part, nullptr);
}

void RepaintNonClientNow(SkinnedWindow *rec, HRGN updateRegion, int part)
{
    PaintOnWindowDC(rec, rec->skinClass->paintPart, part, updateRegion);
}

// Whether the painter draws the window's frame too, where the window has
// one: otherwise the frame is the control's, on screen and in print.
static bool PainterCoversFrame(const SkinClass &row)
{
    return row.paintRole == PAINTS_FRAME || (row.paintOptions & (PAINT_COVERS_FRAME | PAINT_WITHOUT_FRAME)) != 0;
}

// BeginPaint would first send the window its frame and erase messages,
// which the painter makes needless and which cost as much again as the
// paint itself under Wine: a window without a frame is painted through its
// window DC and then validated, frame included, without them. A frame of
// the control's own (a bordered label's) is drawn by the frame message that
// BeginPaint sends. BeginPaint's messages can reach host code.
static LRESULT PaintInsteadOfControl(SkinnedWindow *rec, HDC callerDC)
{
    const HWND hwnd = rec->hwnd;
    if (callerDC != nullptr) {
        rec->skinClass->paint(rec, callerDC, WindowRectInClient(hwnd));
        return 0;
    }
    if (!HasNonClientArea(hwnd) && (rec->skinClass->paintOptions & PAINT_THROUGH_BEGINPAINT) == 0) {
        RepaintNow(rec);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_VALIDATE | RDW_FRAME | RDW_NOERASE | RDW_NOCHILDREN);
        return 0;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc != nullptr && !rec->released)
        rec->skinClass->paint(rec, dc, WindowRectInClient(hwnd));
    EndPaint(hwnd, &paint);
    return 0;
}

static LRESULT PaintOverControlInBuffer(SkinnedWindow *rec, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    PAINTSTRUCT paint;
    HDC paintDC = BeginPaint(hwnd, &paint);
    BackBuffer buffer;
    const RECT window = WindowRectInWindow(hwnd);
    HDC dc = BeginBackBuffer(&buffer, paintDC, window, false);
    ForwardMessage(rec, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const LRESULT result = ForwardMessage(rec, WM_PAINT, reinterpret_cast<WPARAM>(dc), lParam);
    if (!rec->released)
        rec->skinClass->paint(rec, dc, window);
    EndBackBuffer(&buffer);
    EndPaint(hwnd, &paint);
    return result;
}

// A paint into a DC the caller brings, or of a control with a frame outside
// its client area, is the control's, and the painter follows over it.
static LRESULT PaintOverControl(SkinnedWindow *rec, HDC callerDC, LPARAM lParam)
{
    if ((rec->skinClass->paintOptions & PAINT_OVER_IN_BUFFER) != 0 && callerDC == nullptr &&
        !HasNonClientArea(rec->hwnd))
        return PaintOverControlInBuffer(rec, lParam);
    const LRESULT result = ForwardMessage(rec, WM_PAINT, reinterpret_cast<WPARAM>(callerDC), lParam);
    if (callerDC == nullptr)
        RepaintNow(rec);
    else if (!rec->released)
        rec->skinClass->paint(rec, callerDC, WindowRectInClient(rec->hwnd));
    return result;
}

LRESULT HandleThenRepaint(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, HandledBy handler)
{
    const LRESULT result = handler == HANDLED_BY_DEFAULT ? DefaultMessage(rec, msg, wParam, lParam)
                                                         : ForwardMessage(rec, msg, wParam, lParam);
    RepaintNow(rec);
    return result;
}

// WM_PRINTCLIENT: dc maps the client area.
static LRESULT PrintClient(SkinnedWindow *rec, HDC dc, LPARAM flags)
{
    LRESULT result = 0;
    if (rec->skinClass->paintRole != PAINTS_INSTEAD)
        result = ForwardMessage(rec, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    if (rec->released)
        return result;
    const HWND hwnd = rec->hwnd;
    RECT client;
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    rec->skinClass->paint(rec, dc, WindowRectInClient(hwnd));
    RestoreDC(dc, saved);
    return result;
}

// WM_PRINT: dc maps the whole window; the PRF_ flags say which parts, and
// PRF_CHILDREN brings the children, each at its place. What the control
// draws on screen it prints first: everything where the skin paints over
// it, its frame where the painter leaves that to it.
static LRESULT PrintWindowParts(SkinnedWindow *rec, HDC dc, LPARAM flags)
{
    const HWND hwnd = rec->hwnd;
    const SkinClass &row = *rec->skinClass;
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd))
        return 0;
    const bool coversFrame = PainterCoversFrame(row);
    LPARAM controlParts = 0;
    if (row.paintRole != PAINTS_INSTEAD)
        controlParts = flags & ~PRF_CHILDREN;
    else if (!coversFrame && HasNonClientArea(hwnd))
        controlParts = flags & PRF_NONCLIENT;
    // The children are printed here, once, whatever the control would do;
    // the control may leave the DC's origin or clipping changed.
    if ((controlParts & (PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND)) != 0) {
        const int saved = SaveDC(dc);
        ForwardMessage(rec, WM_PRINT, reinterpret_cast<WPARAM>(dc), controlParts);
        RestoreDC(dc, saved);
    }
    if (!rec->released && (flags & (PRF_CLIENT | PRF_NONCLIENT)) != 0) {
        const RECT client = ClientAreaIn(hwnd, WindowRectInWindow(hwnd));
        const int saved = SaveDC(dc);
        if ((flags & PRF_NONCLIENT) == 0 || !coversFrame)
            IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        if ((flags & PRF_CLIENT) == 0)
            ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        row.paint(rec, dc, WindowRectInWindow(hwnd));
        RestoreDC(dc, saved);
    }
    if (flags & PRF_CHILDREN)
        PrintChildren(hwnd, dc, flags);
    return 0;
}

// WM_NCPAINT of a painter that covers the window's frame: the frame paint
// runs where the window has a frame, and the painter goes over the whole
// window after it.
static bool PaintFrame(SkinnedWindow *rec, WPARAM update, LPARAM lParam, LRESULT *result)
{
    const SkinClass &row = *rec->skinClass;
    if ((row.paintOptions & PAINT_WITHOUT_FRAME) != 0) {
        *result = 0;
        return true;
    }
    if ((row.paintOptions & PAINT_COVERS_FRAME) == 0)
        return false;
    const HandledBy handler = row.paintRole == PAINTS_INSTEAD ? HANDLED_BY_DEFAULT : HANDLED_BY_CONTROL;
    if (!HasNonClientArea(rec->hwnd))
        *result = handler == HANDLED_BY_DEFAULT ? DefaultMessage(rec, WM_NCPAINT, update, lParam)
                                                : ForwardMessage(rec, WM_NCPAINT, update, lParam);
    else
        *result = HandleThenRepaint(rec, WM_NCPAINT, update, lParam, handler);
    return true;
}

bool AnswerPaintMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    const SkinClass &row = *rec->skinClass;
    if (row.paintRole == PAINTS_BY_HANDLER)
        return false;
    const HDC dc = reinterpret_cast<HDC>(wParam);
    const bool instead = row.paintRole == PAINTS_INSTEAD;
    switch (msg) {
    case WM_PRINT:
        *result = PrintWindowParts(rec, dc, lParam);
        return true;
    case WM_NCPAINT:
        return row.paintRole != PAINTS_FRAME && PaintFrame(rec, wParam, lParam, result);
    default:
        break;
    }
    // The client area of a frame painter is the control's.
    if (row.paintRole == PAINTS_FRAME)
        return false;
    switch (msg) {
    case WM_PAINT:
        if (row.beforePaint != nullptr)
            row.beforePaint(rec);
        *result = instead ? PaintInsteadOfControl(rec, dc) : PaintOverControl(rec, dc, lParam);
        return true;
    case WM_PRINTCLIENT:
        *result = PrintClient(rec, dc, lParam);
        return true;
    // The painter covers the whole client area, or leaves the parent showing.
    case WM_ERASEBKGND:
        if (!instead || (row.paintOptions & ERASE_BY_CONTROL) != 0)
            return false;
        *result = 1;
        return true;
    default:
        return false;
    }
}

void PrintChildren(HWND parent, HDC dc, LPARAM flags)
{
    RECT parentWindow;
    GetWindowRect(parent, &parentWindow);
    // Places count from the DC's leading edge: the right one in a mirrored DC.
    const bool mirrored = (GetLayout(dc) & LAYOUT_RTL) != 0;
    HWND first = GetWindow(parent, GW_CHILD);
    if (first == nullptr)
        return;
    // A child printed later lies above one printed earlier, as on screen.
    for (HWND child = GetWindow(first, GW_HWNDLAST); child != nullptr; child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child))
            continue;
        RECT place;
        GetWindowRect(child, &place);
        const int x = mirrored ? parentWindow.right - place.right : place.left - parentWindow.left;
        const int y = place.top - parentWindow.top;
        const int saved = SaveDC(dc);
        OffsetWindowOrgEx(dc, -x, -y, nullptr);
        IntersectClipRect(dc, 0, 0, place.right - place.left, place.bottom - place.top);
        SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                     (flags & ~PRF_CHECKVISIBLE) | PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
        RestoreDC(dc, saved);
    }
}

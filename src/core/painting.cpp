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
    if (partPainter != nullptr) {
        partPainter(rec, dc, window, part);
    } else {
        rec->skinClass->paint(rec, dc, window);
        if ((rec->skinClass->paintOptions & PAINT_FILLS_FRAME) != 0 && !rec->released)
            PaintMenuBar(rec, dc, window, 0);
    }
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

// The control paints into BeginPaint's DC and the painter goes over it
// there: no second DC for a window whose edge lies in its client area.
static LRESULT PaintOverControlInPaintDC(SkinnedWindow *rec, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    const LRESULT result = ForwardMessage(rec, WM_PAINT, reinterpret_cast<WPARAM>(dc), lParam);
    if (dc != nullptr && !rec->released)
        rec->skinClass->paint(rec, dc, WindowRectInClient(hwnd));
    EndPaint(hwnd, &paint);
    return result;
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
    const unsigned options = rec->skinClass->paintOptions;
    if ((options & (PAINT_OVER_IN_BUFFER | PAINT_EDGE_ONLY)) != 0 && callerDC == nullptr) {
        const bool framed = HasNonClientArea(rec->hwnd);
        if ((options & PAINT_EDGE_ONLY) != 0)
            return framed ? ForwardMessage(rec, WM_PAINT, 0, lParam) : PaintOverControlInPaintDC(rec, lParam);
        if (!framed)
            return PaintOverControlInBuffer(rec, lParam);
    }
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

// WM_PRINT of a painter that fills the frame: the frame and its menu bar
// are the painter's, the client area the window's own WM_PRINTCLIENT (through its whole chain
// of procedures, as its WM_PAINT is), or the background part alone.
static LRESULT PrintFilledFrame(SkinnedWindow *rec, HDC dc, LPARAM flags)
{
    const HWND hwnd = rec->hwnd;
    const RECT window = WindowRectInWindow(hwnd);
    if (flags & PRF_NONCLIENT) {
        rec->skinClass->paint(rec, dc, window);
        if (!rec->released)
            PaintMenuBar(rec, dc, window, 0);
    }
    if ((flags & (PRF_CLIENT | PRF_ERASEBKGND)) != 0 && !rec->released) {
        const RECT client = ClientAreaIn(hwnd, window);
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        MoveOriginToWindow(dc, client);
        if (flags & PRF_CLIENT)
            SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
        else
            rec->skinClass->paintPart(rec, dc, WindowRectInClient(hwnd), BACKGROUND_PART);
        RestoreDC(dc, saved);
    }
    return 0;
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
    if ((row.paintOptions & PAINT_FILLS_FRAME) != 0) {
        PrintFilledFrame(rec, dc, flags);
        if (flags & PRF_CHILDREN)
            PrintChildren(hwnd, dc, flags);
        return 0;
    }
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

// A frame one pixel wide on every side (WS_BORDER) lies wholly under an
// edge painter's edge, so the frame paint before it is left out.
static bool FrameIsOnePixel(HWND hwnd)
{
    RECT window;
    RECT client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    return client.right == window.right - window.left - 2 && client.bottom == window.bottom - window.top - 2 &&
           (GetWindowLongW(hwnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) == 0;
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
    if ((row.paintOptions & PAINT_EDGE_ONLY) != 0 && FrameIsOnePixel(rec->hwnd)) {
        RepaintNow(rec);
        *result = 0;
        return true;
    }
    if (!HasNonClientArea(rec->hwnd))
        *result = handler == HANDLED_BY_DEFAULT ? DefaultMessage(rec, WM_NCPAINT, update, lParam)
                                                : ForwardMessage(rec, WM_NCPAINT, update, lParam);
    else
        *result = HandleThenRepaint(rec, WM_NCPAINT, update, lParam, handler);
    return true;
}

static bool HasOwnScrollBars(HWND hwnd)
{
    return (GetWindowLongW(hwnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

// Takes the window's own scroll bars and size box out of region, which is
// in screen coordinates.
static void CutOwnScrollBars(HWND hwnd, HRGN region)
{
    SCROLLBARINFO bars[2] = {};
    const LONG objects[2] = {OBJID_VSCROLL, OBJID_HSCROLL};
    bool shown[2];
    for (int i = 0; i < 2; ++i) {
        bars[i].cbSize = sizeof bars[i];
        shown[i] = GetScrollBarInfo(hwnd, objects[i], &bars[i]) && !(bars[i].rgstate[0] & STATE_SYSTEM_INVISIBLE);
    }
    const RECT cuts[3] = {bars[0].rcScrollBar, bars[1].rcScrollBar,
                          {bars[0].rcScrollBar.left, bars[1].rcScrollBar.top, bars[0].rcScrollBar.right,
                           bars[1].rcScrollBar.bottom}};
    const bool cut[3] = {shown[0], shown[1], shown[0] && shown[1]};
    for (int i = 0; i < 3; ++i) {
        if (!cut[i])
            continue;
        HRGN piece = CreateRectRgnIndirect(&cuts[i]);
        CombineRgn(region, region, piece, RGN_DIFF);
        DeleteObject(piece);
    }
}

// What the frame paint of the window's own is left to draw of the update
// region, in screen coordinates: for a painter that fills the frame, only
// the menu bar's bitmap and owner-drawn items. Null: nothing.
static HRGN RegionLeftToFramePaint(HWND hwnd, HRGN update, unsigned options)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    HRGN region = CreateRectRgnIndirect(&window);
    if ((options & PAINT_FILLS_FRAME) != 0) {
        HRGN items = CreateRectRgn(0, 0, 0, 0);
        AddMenuBarItemsLeftToSystem(hwnd, items);
        CombineRgn(region, region, items, RGN_AND);
        DeleteObject(items);
    }
    if (update != nullptr && update != reinterpret_cast<HRGN>(1))
        CombineRgn(region, region, update, RGN_AND);
    if ((options & PAINT_OWN_SCROLL_BARS) != 0)
        CutOwnScrollBars(hwnd, region);
    RECT box;
    if (GetRgnBox(region, &box) == NULLREGION) {
        DeleteObject(region);
        return nullptr;
    }
    return region;
}

// The window's own frame paint over region: the default procedure's under
// a frame painter, which keeps the control from drawing a frame of its own,
// the control's otherwise.
static LRESULT FramePaintOfWindow(SkinnedWindow *rec, WPARAM region, LPARAM lParam)
{
    if (rec->skinClass->paintRole == PAINTS_FRAME)
        return DefaultMessage(rec, WM_NCPAINT, region, lParam);
    return ForwardMessage(rec, WM_NCPAINT, region, lParam);
}

// A sunken client edge (WS_EX_CLIENTEDGE) of a window whose scroll bars are
// the skin's: two pixels in the face's edge colour over the system's light
// and dark lines, unless that colour follows the system's.
static bool HasClientEdgeInFace(HWND hwnd)
{
    const Face &face = *CurrentFace();
    return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0 && !FollowsSystem(face, face.listEdge);
}

static void PaintClientEdge(SkinnedWindow *, HDC dc, const RECT &window, int)
{
    HBRUSH brush = CreateSolidBrush(CurrentFace()->listEdge);
    RECT ring = window;
    FrameRect(dc, &ring, brush);
    InflateRect(&ring, -1, -1);
    FrameRect(dc, &ring, brush);
    DeleteObject(brush);
}

// WM_NCPAINT of a frame painter, or of a window whose own scroll bars are
// the skin's: the window's own frame paint where the skin leaves it
// anything, the painter over the update region, then the bars. A window without a frame
// has nothing of the skin's there.
static LRESULT PaintFrameAndBars(SkinnedWindow *rec, WPARAM update, LPARAM lParam)
{
    const SkinClass &row = *rec->skinClass;
    const HWND hwnd = rec->hwnd;
    const bool framePainter = row.paintRole == PAINTS_FRAME;
    if (!HasNonClientArea(hwnd))
        return FramePaintOfWindow(rec, update, lParam);
    const bool bars = (row.paintOptions & PAINT_OWN_SCROLL_BARS) != 0 && HasOwnScrollBars(hwnd);
    LRESULT result = 0;
    if (!bars && (row.paintOptions & PAINT_FILLS_FRAME) == 0) {
        result = FramePaintOfWindow(rec, update, lParam);
    } else {
        HRGN left = RegionLeftToFramePaint(hwnd, reinterpret_cast<HRGN>(update), row.paintOptions);
        if (left != nullptr) {
            result = FramePaintOfWindow(rec, reinterpret_cast<WPARAM>(left), lParam);
            DeleteObject(left);
        }
    }
    if (framePainter)
        PaintOnWindowDC(rec, nullptr, 0, reinterpret_cast<HRGN>(update));
    else if (HasClientEdgeInFace(hwnd))
        RepaintWithNow(rec, PaintClientEdge, 0);
    if (bars)
        RepaintWithNow(rec, PaintOwnScrollBars, 0);
    return result;
}

void RepaintFrameNow(SkinnedWindow *rec)
{
    PaintFrameAndBars(rec, 1, 0);
}

// The background part of a frame painter, under the control's drawing.
static bool PaintBackgroundPart(SkinnedWindow *rec, UINT msg, HDC dc, LPARAM lParam, LRESULT *result)
{
    const SkinClass &row = *rec->skinClass;
    if (row.paintPart == nullptr || (msg != WM_ERASEBKGND && msg != WM_PRINTCLIENT))
        return false;
    row.paintPart(rec, dc, WindowRectInClient(rec->hwnd), BACKGROUND_PART);
    *result = msg == WM_ERASEBKGND || rec->released
                  ? 1
                  : ForwardMessage(rec, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), lParam);
    return true;
}

bool AnswerPaintMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    const SkinClass &row = *rec->skinClass;
    if ((row.paintOptions & PAINT_FILLS_FRAME) != 0 && AnswerMenuBarMessage(rec, msg, wParam, lParam, result))
        return true;
    if (msg == WM_NCPAINT && (row.paintRole == PAINTS_FRAME || (row.paintOptions & PAINT_OWN_SCROLL_BARS) != 0)) {
        *result = PaintFrameAndBars(rec, wParam, lParam);
        return true;
    }
    if (row.paintRole == PAINTS_BY_HANDLER)
        return false;
    const HDC dc = reinterpret_cast<HDC>(wParam);
    const bool instead = row.paintRole == PAINTS_INSTEAD;
    switch (msg) {
    case WM_PRINT:
        *result = PrintWindowParts(rec, dc, lParam);
        return true;
    case WM_NCPAINT:
        return PaintFrame(rec, wParam, lParam, result);
    default:
        break;
    }
    // The client area of a frame painter is the control's.
    if (row.paintRole == PAINTS_FRAME)
        return PaintBackgroundPart(rec, msg, dc, lParam, result);
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

SIZE MeasureWindowText(HWND hwnd)
{
    SIZE size = {0, 0};
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0)
        return size;
    wchar_t *text = static_cast<wchar_t *>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(wchar_t)));
    HDC dc = text != nullptr ? GetDC(hwnd) : nullptr;
    if (dc != nullptr && GetWindowTextW(hwnd, text, length + 1) > 0) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
        HGDIOBJ previousFont = font != nullptr ? SelectObject(dc, font) : nullptr;
        RECT measured = {0, 0, 0, 0};
        DrawTextW(dc, text, -1, &measured, DT_CALCRECT | DT_SINGLELINE);
        size = {measured.right - measured.left, measured.bottom - measured.top};
        if (previousFont != nullptr)
            SelectObject(dc, previousFont);
    }
    if (dc != nullptr)
        ReleaseDC(hwnd, dc);
    if (text != nullptr)
        HeapFree(GetProcessHeap(), 0, text);
    return size;
}

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

void RepaintNow(SkinnedWindow *rec)
{
    if (rec->released)
        return;
    const HWND hwnd = rec->hwnd;
    HDC dc = GetWindowDC(hwnd);
    if (dc == nullptr)
        return;
    rec->skinClass->paint(rec, dc, WindowRectInWindow(hwnd));
    ReleaseDC(hwnd, dc);
}

// BeginPaint would first send the window its frame and erase messages,
// which the painter makes needless and which cost as much again as the
// paint itself under Wine: a window without a frame is painted through its
// window DC and then validated, frame included, without them. A frame of
// the control's own (a bordered label's) is drawn by the frame message that
// BeginPaint sends. BeginPaint's messages can reach host code.
LRESULT PaintInsteadOfControl(SkinnedWindow *rec, HDC callerDC)
{
    const HWND hwnd = rec->hwnd;
    if (callerDC != nullptr) {
        rec->skinClass->paint(rec, callerDC, WindowRectInClient(hwnd));
        return 0;
    }
    if (!HasNonClientArea(hwnd)) {
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

LRESULT PaintOverControl(SkinnedWindow *rec, HDC callerDC, LPARAM lParam)
{
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

LRESULT PrintClient(SkinnedWindow *rec, HDC dc, LPARAM flags, PrintedBy printer)
{
    LRESULT result = 0;
    if (printer == PRINTED_OVER_CONTROL)
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

LRESULT PrintWindowParts(SkinnedWindow *rec, HDC dc, LPARAM flags, PrintedBy printer)
{
    const HWND hwnd = rec->hwnd;
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd))
        return 0;
    // The children are printed here, once, whatever the control would do;
    // the control may leave the DC's origin or clipping changed.
    if (printer == PRINTED_OVER_CONTROL) {
        const int saved = SaveDC(dc);
        ForwardMessage(rec, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags & ~PRF_CHILDREN);
        RestoreDC(dc, saved);
    }
    if (!rec->released && (flags & (PRF_CLIENT | PRF_NONCLIENT)) != 0) {
        const RECT client = ClientAreaIn(hwnd, WindowRectInWindow(hwnd));
        const int saved = SaveDC(dc);
        if ((flags & PRF_NONCLIENT) == 0)
            IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        if ((flags & PRF_CLIENT) == 0)
            ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        rec->skinClass->paint(rec, dc, WindowRectInWindow(hwnd));
        RestoreDC(dc, saved);
    }
    if (flags & PRF_CHILDREN)
        PrintChildren(hwnd, dc, flags);
    return 0;
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

// Tab controls: after each of the control's own paints, every tab is drawn
// again as a rounded, filled shape with its text centred, over the page, the
// strip and the page's border in the face's colours. The control's frame
// keeps its own look.
#include "controls.h"

#include <commctrl.h>

// Design sizes, drawn at the window's DPI.
static const int TabCornerDiameter = 10;
static const int TabOutlineWidth = 1;
// The shapes reach beyond the rectangles the control reports.
static const int TabGrowth = 2;
// The text sits this far below the grown shape's top.
static const int TabTextDrop = 4;
// The control is told of one character less than the buffer holds, so the
// last character of the buffer stays the terminating zero.
static const int TabTextBufferSize = 64;
static const int TabTextLimit = 63;
static const UINT TabTextFormat = DT_CENTER | DT_VCENTER | DT_BOTTOM | DT_SINGLELINE;

// Returns false when the control gives no text for the tab.
static bool PaintTab(HWND hwnd, HDC dc, const Face &face, int index, bool selected, int dpi)
{
    wchar_t text[TabTextBufferSize] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = TabTextLimit;
    if (SendMessageW(hwnd, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item)) == 0)
        return false;

    RECT shape = {};
    SendMessageW(hwnd, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&shape));
    const int growth = ScaleToDpi(TabGrowth, dpi);
    shape.top -= growth;
    shape.bottom += growth;
    RECT textRect = shape;
    textRect.top += ScaleToDpi(TabTextDrop, dpi);

    const TabColours &look = face.tabs[selected ? 1 : 0];
    HBRUSH fill = CreateSolidBrush(look.fill);
    HPEN outline = CreateOutlinePen(face.tabOutline, ScaleToDpi(TabOutlineWidth, dpi));
    // The saved state restores the brush, pen and mode below.
    const int saved = SaveDC(dc);
    SelectObject(dc, fill);
    SelectObject(dc, outline);
    const int corner = ScaleToDpi(TabCornerDiameter, dpi);
    RoundRect(dc, shape.left, shape.top, shape.right, shape.bottom, corner, corner);
    SetBkMode(dc, TRANSPARENT);
    DrawCaptionText(dc, hwnd, text, &textRect, look.text, TabTextFormat, CAPTION_IN_RECT);
    RestoreDC(dc, saved);
    DeleteObject(fill);
    DeleteObject(outline);
    return true;
}

// Pages are often the control's children, and the paint is not kept off
// them: each visible child's shape (its region, a skinned page's rounded
// one) is cut from the clip.
static void LeaveOutChildren(HWND hwnd, HDC dc)
{
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT *>(&place), 2);
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(child, shape) == ERROR)
            SetRectRgn(shape, 0, 0, place.right - place.left, place.bottom - place.top);
        POINT at = {place.left, place.top};
        LPtoDP(dc, &at, 1);
        OffsetRgn(shape, at.x, at.y);
        ExtSelectClipRgn(dc, shape, RGN_DIFF);
        DeleteObject(shape);
    }
}

// The page, the strip beside the tabs and the border round the page, all of
// which the control fills in the system's colours. The border stands where
// the tabs' row meets the page, on whichever side the style puts the tabs.
static void PaintPage(HWND hwnd, HDC dc, const Face &face, int count)
{
    RECT client;
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    LeaveOutChildren(hwnd, dc);
    HBRUSH page = CreateSolidBrush(face.tabPage);
    FillRect(dc, &client, page);
    DeleteObject(page);
    RECT rows = {};
    for (int i = 0; i < count; ++i) {
        RECT item = {};
        SendMessageW(hwnd, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
        UnionRect(&rows, &rows, &item);
    }
    RECT frame = client;
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    if (count > 0 && (style & TCS_VERTICAL) != 0 && (style & TCS_RIGHT) != 0)
        frame.right = rows.left;
    else if (count > 0 && (style & TCS_VERTICAL) != 0)
        frame.left = rows.right;
    else if (count > 0 && (style & TCS_BOTTOM) != 0)
        frame.bottom = rows.top;
    else if (count > 0)
        frame.top = rows.bottom;
    HBRUSH border = CreateSolidBrush(face.tabPageBorder);
    FrameRect(dc, &frame, border);
    DeleteObject(border);
    RestoreDC(dc, saved);
}

// Last to first, so where grown shapes overlap the lower index lies on top.
// The control reports its tabs in client coordinates.
void PaintTabs(SkinnedWindow *rec, HDC dc, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const Face &face = *CurrentFace();
    const POINT origin = MoveOriginToWindow(dc, ClientAreaIn(hwnd, window));
    const int count = static_cast<int>(SendMessageW(hwnd, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(hwnd, TCM_GETCURSEL, 0, 0));
    const int dpi = WindowDpi(hwnd);
    if (!FollowsSystem(face, face.tabPage))
        PaintPage(hwnd, dc, face, count);
    for (int i = count - 1; i >= 0; --i) {
        if (!PaintTab(hwnd, dc, face, i, i == selected, dpi))
            break;
    }
    PutBackOrigin(dc, origin);
}

// The control paints itself completely first, the tabs go over it.
const SkinClass TabClass = {L"SysTabControl32", nullptr, CK_TAB, nullptr, nullptr, 0, PaintTabs, nullptr, nullptr,
                            PAINTS_OVER, 0, nullptr, nullptr};

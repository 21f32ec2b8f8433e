// Tab controls: after each of the control's own paints, every tab is drawn
// again as a rounded, filled shape with its text centred. The page area and
// the control's frame keep the control's own look.
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
    for (int i = count - 1; i >= 0; --i) {
        if (!PaintTab(hwnd, dc, face, i, i == selected, dpi))
            break;
    }
    PutBackOrigin(dc, origin);
}

// The control paints itself completely first, the tabs go over it.
const SkinClass TabClass = {L"SysTabControl32", nullptr, CK_TAB, nullptr, nullptr, 0, PaintTabs, nullptr, nullptr,
                            PAINTS_OVER, 0, nullptr, nullptr};

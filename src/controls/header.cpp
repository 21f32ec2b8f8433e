// Headers, their own and a report list view's: the skin draws the item
// backgrounds (hot under the pointer with HDS_HOTTRACK, pressed while a
// press on HDS_BUTTONS holds the capture), texts, sort arrows and dividers.
// Items with a bitmap, an image or drawn by their owner, and the filter bar,
// are left to the control, which paints them into the same buffer through
// its own WM_PAINT, clipped to them. Resizing, clicks, the filter edit and
// drag-reorder stay the control's.
#include "controls.h"

#include <commctrl.h>

// Design sizes, drawn at the window's DPI.
static const int ItemTextInset = 6;
static const int DividerWidth = 1;
static const int SortArrowWidth = 8;   // the base; the tip is half as high
static const int SortArrowGap = 4;     // between the text and the arrow

static const int ItemTextLength = 260;
static const UINT ItemTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
// By HDF_JUSTIFYMASK: HDF_LEFT, HDF_RIGHT, HDF_CENTER.
static const UINT JustifyFormats[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};
// Items the control draws itself.
static const int ControlDrawnFormats = HDF_OWNERDRAW | HDF_BITMAP | HDF_IMAGE;

enum HeaderItemLook { ITEM_RESTING, ITEM_HOT, ITEM_PRESSED };

// The item under the pointer, or -1.
static int ItemUnderPointer(HWND hwnd)
{
    HDHITTESTINFO hit = {};
    GetCursorPos(&hit.pt);
    ScreenToClient(hwnd, &hit.pt);
    const int item = static_cast<int>(SendMessageW(hwnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & HHT_ONHEADER) ? item : -1;
}

static HeaderItemLook LookOf(HWND hwnd, LONG style, int item, int underPointer)
{
    if (item != underPointer)
        return ITEM_RESTING;
    if ((style & HDS_BUTTONS) && GetCapture() == hwnd)
        return ITEM_PRESSED;
    return (style & HDS_HOTTRACK) ? ITEM_HOT : ITEM_RESTING;
}

// A solid triangle, its base across the bottom (up) or the top (down).
static void PaintSortArrow(HDC dc, int right, int middle, bool up, int dpi)
{
    const int width = ScaleToDpi(SortArrowWidth, dpi);
    const int height = width / 2;
    const int top = middle - height / 2;
    const int left = right - width;
    const POINT upPoints[3] = {{left, top + height}, {right, top + height}, {left + width / 2, top}};
    const POINT downPoints[3] = {{left, top}, {right, top}, {left + width / 2, top + height}};
    const COLORREF colour = CurrentFace()->headerSortArrow;
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    Polygon(dc, up ? upPoints : downPoints, 3);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

// Returns false for an item the control draws itself.
static bool PaintItem(HDC dc, HWND hwnd, int index, const RECT &place, HeaderItemLook look, int dpi)
{
    wchar_t text[ItemTextLength] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = ItemTextLength - 1;
    if (!SendMessageW(hwnd, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item)) ||
        (item.fmt & ControlDrawnFormats) != 0)
        return false;
    const Face &face = *CurrentFace();
    const COLORREF fills[3] = {face.barBackground, face.headerHot, face.headerPressed};
    HBRUSH fill = CreateSolidBrush(fills[look]);
    FillRect(dc, &place, fill);
    DeleteObject(fill);
    HBRUSH divider = CreateSolidBrush(face.barDivider);
    const RECT line = {place.right - ScaleToDpi(DividerWidth, dpi), place.top, place.right, place.bottom};
    FillRect(dc, &line, divider);
    DeleteObject(divider);

    RECT area = place;
    const int inset = ScaleToDpi(ItemTextInset, dpi);
    area.left += inset;
    area.right -= inset;
    if (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
        PaintSortArrow(dc, area.right, (area.top + area.bottom) / 2, (item.fmt & HDF_SORTUP) != 0, dpi);
        area.right -= ScaleToDpi(SortArrowWidth + SortArrowGap, dpi);
    }
    const UINT justify = JustifyFormats[(item.fmt & HDF_JUSTIFYMASK) % 3];
    const UINT reading = (item.fmt & HDF_RTLREADING) ? DT_RTLREADING : 0;
    DrawCaptionText(dc, hwnd, text, &area, face.barText, ItemTextFormat | justify | reading, CAPTION_IN_RECT);
    return true;
}

static void AddToRegion(HRGN region, const RECT &rect)
{
    HRGN part = CreateRectRgnIndirect(&rect);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
}

void PaintHeader(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const int dpi = WindowDpi(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, ClientAreaIn(hwnd, window), false);
    HBRUSH background = CreateSolidBrush(CurrentFace()->barBackground);
    FillRect(dc, &client, background);
    DeleteObject(background);

    HRGN kept = CreateRectRgn(0, 0, 0, 0);
    const int underPointer = ItemUnderPointer(hwnd);
    const int count = static_cast<int>(SendMessageW(hwnd, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT place = {};
        SendMessageW(hwnd, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&place));
        // The filter bar is the lower half of every item.
        if (style & HDS_FILTERBAR) {
            const RECT filter = {place.left, (place.top + place.bottom) / 2, place.right, place.bottom};
            AddToRegion(kept, filter);
            place.bottom = filter.top;
        }
        if (!PaintItem(dc, hwnd, i, place, LookOf(hwnd, style, i, underPointer), dpi))
            AddToRegion(kept, place);
    }
    RECT keptBox;
    if (GetRgnBox(kept, &keptBox) != NULLREGION && !rec->released)
        LetControlPaint(rec, dc, kept);
    DeleteObject(kept);
    EndBackBuffer(&buffer);
}

const SkinClass HeaderClass = {WC_HEADERW, nullptr, CK_HEADER, nullptr, nullptr, 0, PaintHeader, nullptr, nullptr,
                               PAINTS_INSTEAD, PAINT_THROUGH_BEGINPAINT, nullptr, nullptr};

// List views and tree views draw their selections, a report view's grid
// lines and a tree's buttons in the system's colours, which no message of
// theirs sets, and a full-row selection as one box per cell with gaps
// between. After each of the control's own paints, into the same DC, the
// skin draws those again in the face's colours: a selected row as one band
// with its texts, the grid lines and the buttons. Parts whose colour still
// follows the system stay as the control drew them, but for the full-row
// band, which is broken in every face.
#include "controls.h"

#include <commctrl.h>

// A cell's text lies this far inside the cell, as the control places it;
// a tree item's inside its text rectangle.
static const int CellTextInset = 5;
static const int TreeTextInset = 2;
// A tree button's square, centred on the button's place.
static const int TreeButtonHalf = 4;
static const int TreeSignHalf = 2;
static const int ItemTextSize = 260;
static const UINT CellTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

struct SelectionColours {
    COLORREF band;
    COLORREF text;
};

// The selection shows while the control has the focus, and without it where
// its style says so.
static bool SelectionShows(HWND hwnd, LONG showAlways, const Face &face, SelectionColours *colours)
{
    if (GetFocus() == hwnd) {
        *colours = {face.listSelection, face.listSelectionText};
        return true;
    }
    *colours = {face.listSelectionUnfocused, face.listSelectionUnfocusedText};
    return (GetWindowLongW(hwnd, GWL_STYLE) & showAlways) != 0;
}

static void FillColour(HDC dc, const RECT &rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

static UINT ColumnAlignment(HWND hwnd, int column)
{
    LVCOLUMNW info = {};
    info.mask = LVCF_FMT;
    if (!SendMessageW(hwnd, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info)))
        return DT_LEFT;
    switch (info.fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

// The control's own text of the cell, a host's callback text included.
static void CellText(HWND hwnd, int item, int column, wchar_t *text)
{
    LVITEMW cell = {};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = ItemTextSize - 1;
    text[0] = 0;
    SendMessageW(hwnd, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&cell));
}

static RECT CellRect(HWND hwnd, int item, int column)
{
    RECT cell = {};
    cell.top = column;
    cell.left = LVIR_LABEL;
    SendMessageW(hwnd, column == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT, item, reinterpret_cast<LPARAM>(&cell));
    return cell;
}

// One selected row: the band under the first cell's label, or to the row's
// end for a full-row selection, then each cell's text on it.
static void PaintSelectedRow(HWND hwnd, HDC dc, int item, int columns, bool fullRow, const SelectionColours &colours)
{
    wchar_t text[ItemTextSize];
    const RECT label = CellRect(hwnd, item, 0);
    RECT band = label;
    if (fullRow) {
        RECT bounds = {};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(hwnd, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&bounds));
        band.right = bounds.right;
    } else {
        CellText(hwnd, item, 0, text);
        SIZE extent = {};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
        band.right = label.left + extent.cx + 2 * CellTextInset < label.right ? label.left + extent.cx + 2 * CellTextInset
                                                                              : label.right;
    }
    FillColour(dc, band, colours.band);
    SetTextColor(dc, colours.text);
    for (int column = 0; column < (fullRow ? columns : 1); ++column) {
        RECT cell = column == 0 ? label : CellRect(hwnd, item, column);
        CellText(hwnd, item, column, text);
        InflateRect(&cell, -CellTextInset, 0);
        DrawTextW(dc, text, -1, &cell, CellTextFormat | ColumnAlignment(hwnd, column));
    }
    if (GetFocus() == hwnd && SendMessageW(hwnd, LVM_GETITEMSTATE, item, LVIS_FOCUSED) != 0)
        DrawFocusRect(dc, &band);
}

// Lines at each column's right edge and just above each row, down to the
// bottom of the client area, where the control draws them.
static void PaintGridLines(HWND hwnd, HDC dc, HWND header, int columns, const RECT &area, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    RECT headerPlace = {};
    GetWindowRect(header, &headerPlace);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT *>(&headerPlace), 2);
    for (int column = 0; column < columns; ++column) {
        RECT item = {};
        SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
        const RECT line = {headerPlace.left + item.right, area.top, headerPlace.left + item.right + 1, area.bottom};
        FillRect(dc, &line, brush);
    }
    RECT first = {};
    first.left = LVIR_BOUNDS;
    const int top = static_cast<int>(SendMessageW(hwnd, LVM_GETTOPINDEX, 0, 0));
    if (SendMessageW(hwnd, LVM_GETITEMRECT, top, reinterpret_cast<LPARAM>(&first)) && first.bottom > first.top) {
        for (int y = first.top - 1; y < area.bottom; y += first.bottom - first.top) {
            const RECT line = {area.left, y, area.right, y + 1};
            FillRect(dc, &line, brush);
        }
    }
    DeleteObject(brush);
}

void PaintListViewOver(SkinnedWindow *rec, HDC dc)
{
    const HWND hwnd = rec->hwnd;
    if (SendMessageW(hwnd, LVM_GETVIEW, 0, 0) != LV_VIEW_DETAILS)
        return;
    const Face &face = *CurrentFace();
    const auto extended = static_cast<DWORD>(SendMessageW(hwnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    const bool fullRow = (extended & LVS_EX_FULLROWSELECT) != 0;
    const bool grid = (extended & LVS_EX_GRIDLINES) != 0 && !FollowsSystem(face, face.listGridLine);
    SelectionColours colours;
    const bool selection = SelectionShows(hwnd, LVS_SHOWSELALWAYS, face, &colours) &&
                           (fullRow || !FollowsSystem(face, face.listSelection));
    if (!selection && !grid)
        return;

    // Below the header, which is a child the paint DC does not leave out.
    const auto header = reinterpret_cast<HWND>(SendMessageW(hwnd, LVM_GETHEADER, 0, 0));
    RECT area;
    GetClientRect(hwnd, &area);
    if (header != nullptr && IsWindowVisible(header)) {
        RECT headerPlace;
        GetWindowRect(header, &headerPlace);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT *>(&headerPlace), 2);
        area.top = headerPlace.bottom > area.top ? headerPlace.bottom : area.top;
    }
    const int columns = header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    if (selection) {
        const int top = static_cast<int>(SendMessageW(hwnd, LVM_GETTOPINDEX, 0, 0));
        const int count = static_cast<int>(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0));
        const int shown = static_cast<int>(SendMessageW(hwnd, LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
        for (int item = top; item < count && item <= top + shown; ++item) {
            if (SendMessageW(hwnd, LVM_GETITEMSTATE, item, LVIS_SELECTED) != 0)
                PaintSelectedRow(hwnd, dc, item, columns, fullRow, colours);
        }
    }
    if (grid && header != nullptr)
        PaintGridLines(hwnd, dc, header, columns, area, face.listGridLine);
    RestoreDC(dc, saved);
}

static int TreeDepth(HWND hwnd, HTREEITEM item)
{
    int depth = 0;
    while ((item = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_PARENT,
                                                            reinterpret_cast<LPARAM>(item)))) != nullptr)
        ++depth;
    return depth;
}

static bool TreeItemRect(HWND hwnd, HTREEITEM item, bool textOnly, RECT *rect)
{
    *reinterpret_cast<HTREEITEM *>(rect) = item;
    return SendMessageW(hwnd, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(rect)) != 0;
}

// A button stands in the middle of its item's indent, the lines of the
// root's included where the style gives the root lines.
static void PaintTreeButton(HWND hwnd, HDC dc, HTREEITEM item, LONG style, const Face &face)
{
    RECT row;
    if (SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)) == 0 ||
        !TreeItemRect(hwnd, item, false, &row))
        return;
    const int level = TreeDepth(hwnd, item) - ((style & TVS_LINESATROOT) != 0 ? 0 : 1);
    if (level < 0)
        return;
    const int indent = static_cast<int>(SendMessageW(hwnd, TVM_GETINDENT, 0, 0));
    const int x = level * indent + indent / 2 - GetScrollPos(hwnd, SB_HORZ);
    const int y = (row.top + row.bottom) / 2 - 1;
    const RECT box = {x - TreeButtonHalf, y - TreeButtonHalf, x + TreeButtonHalf + 1, y + TreeButtonHalf + 1};
    FillColour(dc, box, face.listBackground);
    HBRUSH frame = CreateSolidBrush(face.treeLine);
    FrameRect(dc, &box, frame);
    DeleteObject(frame);
    FillColour(dc, {x - TreeSignHalf, y, x + TreeSignHalf + 1, y + 1}, face.listText);
    if ((SendMessageW(hwnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) == 0)
        FillColour(dc, {x, y - TreeSignHalf, x + 1, y + TreeSignHalf + 1}, face.listText);
}

static void PaintTreeSelection(HWND hwnd, HDC dc, HTREEITEM item, LONG style, const SelectionColours &colours,
                               bool focusRect)
{
    RECT text;
    if (!TreeItemRect(hwnd, item, true, &text))
        return;
    RECT band = text;
    if ((style & TVS_FULLROWSELECT) != 0 && (style & TVS_HASLINES) == 0) {
        RECT row;
        TreeItemRect(hwnd, item, false, &row);
        band.left = row.left;
        band.right = row.right;
    }
    FillColour(dc, band, colours.band);
    wchar_t buffer[ItemTextSize] = {};
    TVITEMW info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = buffer;
    info.cchTextMax = ItemTextSize - 1;
    SendMessageW(hwnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
    SetTextColor(dc, colours.text);
    RECT at = text;
    at.left += TreeTextInset;
    DrawTextW(dc, info.pszText, -1, &at, CellTextFormat);
    if (focusRect)
        DrawFocusRect(dc, &text);
}

void PaintTreeViewOver(SkinnedWindow *rec, HDC dc)
{
    const HWND hwnd = rec->hwnd;
    const Face &face = *CurrentFace();
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const bool buttons = (style & TVS_HASBUTTONS) != 0 && !FollowsSystem(face, face.treeLine);
    SelectionColours colours;
    const bool selection = SelectionShows(hwnd, TVS_SHOWSELALWAYS, face, &colours) &&
                           !FollowsSystem(face, face.listSelection);
    if (!buttons && !selection)
        return;
    const int saved = SaveDC(dc);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    RECT client;
    GetClientRect(hwnd, &client);
    if (buttons) {
        auto item = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
        RECT row;
        for (; item != nullptr && TreeItemRect(hwnd, item, false, &row) && row.top < client.bottom;
             item = reinterpret_cast<HTREEITEM>(
                 SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item))))
            PaintTreeButton(hwnd, dc, item, style, face);
    }
    const auto caret = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (selection && caret != nullptr &&
        (SendMessageW(hwnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(caret), TVIS_SELECTED) & TVIS_SELECTED) != 0)
        PaintTreeSelection(hwnd, dc, caret, style, colours, GetFocus() == hwnd);
    RestoreDC(dc, saved);
}

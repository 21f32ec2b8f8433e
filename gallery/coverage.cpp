// The coverage section: one standard dialog holding at least one window of
// every class the skin knows, plus a few kinds it must leave alone.
#include "gallery.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

enum ControlId {
    IDC_PUSH = 100,
    IDC_DEFPUSH,
    IDC_PUSHLIKE,
    IDC_CHECK_OFF,
    IDC_CHECK_ON,
    IDC_CHECK_MIXED,
    IDC_RADIO_ONE,
    IDC_RADIO_TWO,
    IDC_EDIT_PLAIN,
    IDC_EDIT_READONLY,
    IDC_EDIT_DISABLED,
    IDC_HOTKEY,
    IDC_DROPDOWN,
    IDC_DATEPICKER,
    IDC_IPADDRESS,
    IDC_SPIN_EDIT,
    IDC_SPIN,
    IDC_PROGRESS,
    IDC_LISTBOX,
    IDC_CALENDAR,
    IDC_HSCROLL,
    IDC_VSCROLL,
    IDC_TAB,
    IDC_LISTVIEW,
    IDC_ICON_STATIC,
    IDC_OWNERDRAW,
    IDC_TREEVIEW,
    IDC_SIMPLECOMBO,
    IDC_EDIT_MULTILINE,
};

static const char DialogTitle[] = "velk gallery";
static const char DialogFont[] = "MS Shell Dlg";
static const WORD DialogFontSize = 8;

static const int Margin = Px(12);
static const int ButtonColumnWidth = Px(200);
static const int EntryColumnWidth = Px(240);
static const int ListColumnWidth = Px(200);
static const int UnskinnedColumnWidth = Px(220);
static const int ColumnGap = Px(16);
static const int RowGap = Px(6);
static const int LabelHeight = Px(14);
static const int LabelGap = Px(2);
static const int RowLabelWidth = Px(96);
static const int EditHeight = Px(21);
static const int ButtonHeight = Px(24);
static const int CheckHeight = Px(18);
static const int GroupInset = Px(10);
static const int GroupCaptionHeight = Px(18);
static const int ScrollThickness = Px(17);

// Controls are stacked top to bottom down a column of the dialog.
struct Column {
    HWND dialog;
    int left;
    int width;
    int top;
};

static Column NextColumn(const Column &previous, int width)
{
    Column column = {previous.dialog, previous.left + previous.width + ColumnGap, width, Margin};
    return column;
}

static HWND CreateChild(HWND dialog, const char *className, const char *text, DWORD style, DWORD exStyle,
                        int x, int y, int width, int height, int id)
{
    HWND child =
        CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    SendMessageA(child, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    return child;
}

static int WindowHeight(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

// Advances by the height the control really took: combo boxes, for one, are
// shorter than the height they were created with.
static HWND AddControl(Column &column, const char *className, const char *text, DWORD style, DWORD exStyle,
                       int height, int id)
{
    HWND child = CreateChild(column.dialog, className, text, style, exStyle, column.left, column.top,
                             column.width, height, id);
    column.top += WindowHeight(child) + RowGap;
    return child;
}

static void AddLabel(Column &column, const char *text)
{
    CreateChild(column.dialog, "Static", text, SS_LEFT, 0, column.left, column.top, column.width, LabelHeight,
                0);
    column.top += LabelHeight + LabelGap;
}

// A label on the left, vertically centred on the control to its right. The
// label comes first, as in a dialog template, so that the control is the
// window an up-down made next takes as its buddy.
static HWND AddRow(Column &column, const char *label, const char *className, const char *text, DWORD style,
                   DWORD exStyle, int height, int id)
{
    HWND caption = CreateChild(column.dialog, "Static", label, SS_LEFT, 0, column.left, column.top,
                               RowLabelWidth - Px(4), LabelHeight, 0);
    HWND child = CreateChild(column.dialog, className, text, style, exStyle, column.left + RowLabelWidth,
                             column.top, column.width - RowLabelWidth, height, id);
    const int rowHeight = WindowHeight(child);
    SetWindowPos(caption, nullptr, column.left, column.top + (rowHeight - LabelHeight) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    column.top += rowHeight + RowGap;
    return child;
}

// Group contents go into an inner column; the group box comes after them so
// that it lies beneath them and can be sized to fit.
static Column BeginGroup(const Column &outer)
{
    Column inner = {outer.dialog, outer.left + GroupInset, outer.width - 2 * GroupInset,
                    outer.top + GroupCaptionHeight};
    return inner;
}

static void EndGroup(Column &outer, const Column &inner, const char *title)
{
    const int height = inner.top - outer.top + GroupInset - RowGap;
    CreateChild(outer.dialog, "Button", title, BS_GROUPBOX | WS_GROUP, 0, outer.left, outer.top, outer.width,
                height, 0);
    outer.top += height + RowGap;
}

static void AddStrings(HWND window, UINT message, const char *const *items, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        SendMessageA(window, message, 0, reinterpret_cast<LPARAM>(items[i]));
}

static void SetScrollBar(HWND scrollBar, int position)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 100;
    info.nPage = 20;
    info.nPos = position;
    SetScrollInfo(scrollBar, SB_CTL, &info, TRUE);
}

static void BuildButtonColumn(Column &column)
{
    Column group = BeginGroup(column);
    const int halfWidth = (group.width - RowGap) / 2;
    CreateChild(group.dialog, "Button", "Push button", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, group.left,
                group.top, halfWidth, ButtonHeight, IDC_PUSH);
    CreateChild(group.dialog, "Button", "Default", BS_DEFPUSHBUTTON | WS_TABSTOP, 0,
                group.left + halfWidth + RowGap, group.top, halfWidth, ButtonHeight, IDC_DEFPUSH);
    group.top += ButtonHeight + RowGap;
    AddControl(group, "Button", "Push-like check box", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, 0,
               ButtonHeight, IDC_PUSHLIKE);
    AddControl(group, "Button", "Check box, unchecked", BS_AUTOCHECKBOX | WS_TABSTOP, 0, CheckHeight,
               IDC_CHECK_OFF);
    HWND checked = AddControl(group, "Button", "Check box, checked", BS_AUTOCHECKBOX | WS_TABSTOP, 0,
                              CheckHeight, IDC_CHECK_ON);
    SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
    HWND mixed = AddControl(group, "Button", "3-state, indeterminate", BS_AUTO3STATE | WS_TABSTOP, 0,
                            CheckHeight, IDC_CHECK_MIXED);
    SendMessageA(mixed, BM_SETCHECK, BST_INDETERMINATE, 0);
    HWND first = AddControl(group, "Button", "Radio button, selected",
                            BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0, CheckHeight, IDC_RADIO_ONE);
    SendMessageA(first, BM_SETCHECK, BST_CHECKED, 0);
    AddControl(group, "Button", "Radio button", BS_AUTORADIOBUTTON, 0, CheckHeight, IDC_RADIO_TWO);
    EndGroup(column, group, "Buttons");

    AddControl(column, "Static", "Label, left (SS_LEFT)", SS_LEFT | WS_GROUP, 0, LabelHeight, 0);
    AddControl(column, "Static", "Label, centred (SS_CENTER)", SS_CENTER, 0, LabelHeight, 0);
    AddLabel(column, "Etched line (SS_ETCHEDHORZ):");
    AddControl(column, "Static", "", SS_ETCHEDHORZ, 0, Px(2), 0);
    column.top += RowGap;

    AddLabel(column, "Tab control:");
    HWND tab = AddControl(column, WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPSIBLINGS, 0, Px(70), IDC_TAB);
    static const char *const TabNames[] = {"First", "Second", "Third"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char *>(TabNames[i]);
        SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tab, TCM_SETCURSEL, 1, 0);
}

static void BuildEntryColumn(Column &column)
{
    AddRow(column, "Plain edit:", "Edit", "Plain text", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
           EditHeight, IDC_EDIT_PLAIN);
    AddRow(column, "Read-only edit:", "Edit", "Read-only text", ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP,
           WS_EX_CLIENTEDGE, EditHeight, IDC_EDIT_READONLY);
    AddRow(column, "Disabled edit:", "Edit", "Disabled text", ES_AUTOHSCROLL | WS_DISABLED, WS_EX_CLIENTEDGE,
           EditHeight, IDC_EDIT_DISABLED);
    AddRow(column, "Multi-line edit:", "Edit",
           "Its text and caret are its own;\r\nits scroll bars are the skin's.\r\nThird line\r\nFourth line\r\n"
           "Fifth line",
           ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
           Px(56), IDC_EDIT_MULTILINE);

    HWND hotKey =
        AddRow(column, "Hot key:", HOTKEY_CLASSA, "", WS_TABSTOP, WS_EX_CLIENTEDGE, EditHeight, IDC_HOTKEY);
    SendMessageA(hotKey, HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);

    HWND dropDown = AddRow(column, "Drop-down list:", "ComboBox", "",
                           CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, Px(120), IDC_DROPDOWN);
    static const char *const Fruits[] = {"Apple", "Banana", "Cherry", "Damson", "Elderberry"};
    AddStrings(dropDown, CB_ADDSTRING, Fruits, sizeof Fruits / sizeof Fruits[0]);
    SendMessageA(dropDown, CB_SETCURSEL, 1, 0);

    HWND datePicker = AddRow(column, "Date picker:", DATETIMEPICK_CLASSA, "",
                             DTS_SHORTDATEFORMAT | WS_TABSTOP, 0, EditHeight, IDC_DATEPICKER);
    SYSTEMTIME date = {};
    date.wYear = 2024;
    date.wMonth = 3;
    date.wDay = 15;
    SendMessageA(datePicker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));

    HWND address = AddRow(column, "IP address:", WC_IPADDRESSA, "", WS_TABSTOP, 0, EditHeight, IDC_IPADDRESS);
    SendMessageA(address, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 10));

    // The up-down takes the control created just before it as its buddy.
    AddRow(column, "Up-down:", "Edit", "", ES_NUMBER | WS_TABSTOP, WS_EX_CLIENTEDGE, EditHeight,
           IDC_SPIN_EDIT);
    HWND spin = CreateChild(column.dialog, UPDOWN_CLASSA, "",
                            UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 0, 0, 0, 0, 0,
                            IDC_SPIN);
    SendMessageA(spin, UDM_SETRANGE32, 0, 100);
    SendMessageA(spin, UDM_SETPOS32, 0, 42);

    HWND progress = AddRow(column, "Progress bar:", PROGRESS_CLASSA, "", 0, 0, CheckHeight, IDC_PROGRESS);
    SendMessageA(progress, PBM_SETRANGE32, 0, 100);
    SendMessageA(progress, PBM_SETPOS, 60, 0);

    AddLabel(column, "List view (report):");
    HWND listView =
        AddControl(column, WC_LISTVIEWA, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                   WS_EX_CLIENTEDGE, Px(56), IDC_LISTVIEW);
    LVCOLUMNA listColumn = {};
    listColumn.mask = LVCF_TEXT | LVCF_WIDTH;
    listColumn.cx = column.width - Px(8);
    listColumn.pszText = const_cast<char *>("Control");
    SendMessageA(listView, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&listColumn));
    static const char *const Rows[] = {"Push button", "Check box", "Scroll bar", "Tab control", "Progress bar",
                                       "Up-down", "Edit", "Combo box", "Group box", "Label"};
    for (int i = 0; i < 10; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char *>(Rows[i]);
        SendMessageA(listView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    LVITEMA selection = {};
    selection.stateMask = LVIS_SELECTED;
    selection.state = LVIS_SELECTED;
    SendMessageA(listView, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&selection));
}

static void BuildListColumn(Column &column)
{
    AddLabel(column, "Month calendar:");
    HWND calendar = CreateChild(column.dialog, MONTHCAL_CLASSA, "", WS_TABSTOP, 0, column.left, column.top, 0,
                                0, IDC_CALENDAR);
    RECT calendarSize = {};
    SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&calendarSize));
    SetWindowPos(calendar, nullptr, 0, 0, calendarSize.right, calendarSize.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The calendar's size depends on the font; the column follows it.
    if (calendarSize.right > column.width)
        column.width = calendarSize.right;
    SYSTEMTIME date = {};
    date.wYear = 2024;
    date.wMonth = 3;
    date.wDay = 15;
    SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&date));
    column.top += calendarSize.bottom + RowGap;

    AddLabel(column, "List box:");
    HWND listBox = AddControl(column, "ListBox", "", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                              Px(86), IDC_LISTBOX);
    static const char *const Planets[] = {"Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus"};
    AddStrings(listBox, LB_ADDSTRING, Planets, sizeof Planets / sizeof Planets[0]);
    SendMessageA(listBox, LB_SETCURSEL, 2, 0);

    AddLabel(column, "Scroll bars, horizontal and vertical:");
    const int barsTop = column.top;
    HWND horizontal =
        CreateChild(column.dialog, "ScrollBar", "", SBS_HORZ | WS_TABSTOP, 0, column.left, barsTop,
                    column.width - ScrollThickness - RowGap, ScrollThickness, IDC_HSCROLL);
    SetScrollBar(horizontal, 30);
    HWND vertical =
        CreateChild(column.dialog, "ScrollBar", "", SBS_VERT | WS_TABSTOP, 0,
                    column.left + column.width - ScrollThickness, barsTop, ScrollThickness, Px(80), IDC_VSCROLL);
    SetScrollBar(vertical, 60);
    column.top = barsTop + Px(80) + RowGap;
}

static void BuildUnskinnedColumn(Column &column)
{
    Column group = BeginGroup(column);
    // The icon takes the system's icon size, which grows with the DPI.
    const int iconSize = GetSystemMetrics(SM_CYICON);
    HWND icon = CreateChild(group.dialog, "Static", "", SS_ICON, 0, group.left, group.top, iconSize, iconSize,
                            IDC_ICON_STATIC);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_INFORMATION)), 0);
    const int textLeft = iconSize + Px(8);
    CreateChild(group.dialog, "Static", "Icon static (SS_ICON)", SS_LEFT, 0, group.left + textLeft,
                group.top + (iconSize - LabelHeight) / 2, group.width - textLeft, LabelHeight, 0);
    group.top += iconSize + RowGap;

    AddControl(group, "Button", "Owner-draw button", BS_OWNERDRAW | WS_TABSTOP, 0, Px(28), IDC_OWNERDRAW);

    AddLabel(group, "Tree view (the face's list colours):");
    HWND tree = AddControl(group, WC_TREEVIEWA, "",
                           TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
                           WS_EX_CLIENTEDGE, Px(96), IDC_TREEVIEW);
    TVINSERTSTRUCTA insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char *>("Controls");
    HTREEITEM root = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    static const char *const Leaves[] = {"Buttons", "Edits", "Lists", "Scroll bars", "Dialogs", "Tabs"};
    insert.hParent = root;
    for (const char *leaf : Leaves) {
        insert.item.pszText = const_cast<char *>(leaf);
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    }
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));

    AddLabel(group, "Simple combo box (CBS_SIMPLE):");
    HWND simple =
        AddControl(group, "ComboBox", "", CBS_SIMPLE | WS_VSCROLL | WS_TABSTOP, 0, Px(96), IDC_SIMPLECOMBO);
    static const char *const Colours[] = {"Red", "Green", "Blue", "Cyan", "Magenta", "Yellow"};
    AddStrings(simple, CB_ADDSTRING, Colours, sizeof Colours / sizeof Colours[0]);
    SendMessageA(simple, CB_SETCURSEL, 2, 0);
    EndGroup(column, group, "Own look, skinned scroll bars");
}

// Grows the dialog so that its client area holds every child with a margin,
// whatever size the frame turns out to be.
static void FitDialogToChildren(HWND dialog, int rightmost, int lowest)
{
    RECT window;
    RECT client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    SetWindowPos(dialog, nullptr, 0, 0, rightmost + Margin + frameWidth, lowest + Margin + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

static void OnInitDialog(HWND dialog, const GalleryContext &context)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(context.frameBrush));

    Column buttons = {dialog, Margin, ButtonColumnWidth, Margin};
    BuildButtonColumn(buttons);
    Column entries = NextColumn(buttons, EntryColumnWidth);
    BuildEntryColumn(entries);
    Column lists = NextColumn(entries, ListColumnWidth);
    BuildListColumn(lists);
    Column unskinned = NextColumn(lists, UnskinnedColumnWidth);
    BuildUnskinnedColumn(unskinned);

    const int lowest = std::max({buttons.top, entries.top, lists.top, unskinned.top});
    FitDialogToChildren(dialog, unskinned.left + unskinned.width, lowest - RowGap);
}

// Filled with the host's DlgInit brush, so that the export shows up too.
static void OnDrawItem(HWND dialog, const DRAWITEMSTRUCT &item)
{
    if (item.CtlID != IDC_OWNERDRAW)
        return;
    RECT rect = item.rcItem;
    HBRUSH frameBrush = reinterpret_cast<HBRUSH>(GetWindowLongPtrA(dialog, DWLP_USER));
    FillRect(item.hDC, &rect, frameBrush);
    DrawEdge(item.hDC, &rect, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    char text[64];
    GetWindowTextA(item.hwndItem, text, sizeof text);
    const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(item.hDC, RGB(255, 255, 255));
    DrawTextA(item.hDC, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(item.hDC, oldColour);
    SetBkMode(item.hDC, oldMode);

    if (item.itemState & ODS_FOCUS) {
        InflateRect(&rect, -Px(4), -Px(4));
        DrawFocusRect(item.hDC, &rect);
    }
}

// Standard scroll bars only report; the owner moves the thumb.
static void OnScroll(HWND scrollBar, int request)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(scrollBar, SB_CTL, &info);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP:
        position -= 1;
        break;
    case SB_LINEDOWN:
        position += 1;
        break;
    case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(scrollBar, SB_CTL, &info, TRUE);
}

static INT_PTR CALLBACK CoverageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, *reinterpret_cast<const GalleryContext *>(lParam));
        return FALSE;
    case WM_DRAWITEM:
        OnDrawItem(dialog, *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam != 0)
            OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        CloseGalleryWindow(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

// A dialog template with no items: the controls are made in WM_INITDIALOG.
// The template's size is a placeholder until the controls are laid out.
struct CoverageTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    WCHAR title[sizeof DialogTitle];
    WORD pointSize;
    WCHAR typeface[sizeof DialogFont];
};
static_assert(offsetof(CoverageTemplate, menu) == 18,
              "the menu entry must follow DLGTEMPLATE without padding");

static void CopyWide(WCHAR *target, const char *source)
{
    for (size_t i = 0; i <= std::strlen(source); ++i)
        target[i] = static_cast<WCHAR>(static_cast<unsigned char>(source[i]));
}

HWND BuildCoverageSection(const GalleryContext &context)
{
    // DLGTEMPLATE must lie on a DWORD boundary; the struct's alignment sees to it.
    CoverageTemplate dialogTemplate = {};
    dialogTemplate.header.style =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_SETFONT;
    dialogTemplate.header.cx = 100;
    dialogTemplate.header.cy = 100;
    CopyWide(dialogTemplate.title, DialogTitle);
    dialogTemplate.pointSize = DialogFontSize;
    CopyWide(dialogTemplate.typeface, DialogFont);
    return CreateDialogIndirectParamA(context.instance, &dialogTemplate.header, nullptr, CoverageDialogProc,
                                      reinterpret_cast<LPARAM>(&context));
}

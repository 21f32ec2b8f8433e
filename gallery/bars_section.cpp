// The bars section: a toolbar (one button checked, one hot), a rebar band, a
// header with sort arrows, a status bar with a size grip, trackbars of each
// orientation and tick placement, with a selection, without a thumb and
// disabled, a report list view, a tree view, a list box, edits, and a plain
// and a balloon tooltip shown beside their anchor.
#include "gallery.h"

#include <commctrl.h>

#include <algorithm>

static const char SectionTitle[] = "velk gallery: bars, headers and lists";

static const int Margin = Px(12);
static const int ColumnWidth = Px(230);
static const int ColumnGap = Px(16);
static const int RowGap = Px(6);
static const int LabelHeight = Px(14);
static const int BarHeight = Px(26);
static const int TrackHeight = Px(30);
static const int VerticalTrackWidth = Px(44);
static const int VerticalTrackHeight = Px(120);
static const int ListHeight = Px(80);
static const int EditHeight = Px(21);
static const int TooltipAreaHeight = Px(70);

struct Column {
    HWND dialog;
    int left;
    int top;
};

static HWND AddControl(Column &at, const char *label, const char *className, const char *text, DWORD style,
                       DWORD exStyle, int width, int height)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(at.dialog, GWLP_HINSTANCE));
    const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    if (label != nullptr) {
        HWND caption = CreateWindowExA(0, "Static", label, WS_CHILD | WS_VISIBLE | SS_LEFT, at.left, at.top,
                                       ColumnWidth, LabelHeight, at.dialog, nullptr, instance, nullptr);
        SendMessageA(caption, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        at.top += LabelHeight + RowGap / 2;
    }
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top, width,
                                   height, at.dialog, nullptr, instance, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    at.top += height + RowGap;
    return control;
}

static const DWORD StripStyle = CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;

static void AddToolbar(Column &at)
{
    HWND toolbar = AddControl(at, "Toolbar: Bold checked, Save hot", TOOLBARCLASSNAMEA, "",
                              TBSTYLE_FLAT | TBSTYLE_LIST | StripStyle, 0, ColumnWidth, BarHeight);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int first =
        static_cast<int>(SendMessageA(toolbar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("Open\0Bold\0Save\0")));
    TBBUTTON buttons[3] = {};
    for (int i = 0; i < 3; ++i)
        buttons[i] = {I_IMAGENONE, 100 + i, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, first + i};
    buttons[1].fsStyle |= BTNS_CHECK;
    buttons[1].fsState |= TBSTATE_CHECKED;
    SendMessageA(toolbar, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));
    SendMessageA(toolbar, TB_SETHOTITEM, 2, 0);

    HWND rebar = AddControl(at, "Rebar with one band:", REBARCLASSNAMEA, "", StripStyle, 0, ColumnWidth, BarHeight);
    REBARBANDINFOA band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_TEXT | RBBIM_STYLE | RBBIM_SIZE;
    band.fStyle = RBBS_GRIPPERALWAYS;
    band.lpText = const_cast<char *>("Band");
    band.cx = ColumnWidth;
    SendMessageA(rebar, RB_INSERTBANDA, 0, reinterpret_cast<LPARAM>(&band));
}

static void AddHeaderAndStatus(Column &at)
{
    HWND header = AddControl(at, "Header, sorted by Name:", WC_HEADERA, "", HDS_BUTTONS | HDS_HOTTRACK, 0,
                             ColumnWidth, BarHeight - Px(4));
    const char *const names[] = {"Name", "Size", "Date"};
    for (int i = 0; i < 3; ++i) {
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = Px(70);
        item.pszText = const_cast<char *>(names[i]);
        item.fmt = HDF_STRING | (i == 0 ? HDF_SORTUP : 0) | (i == 1 ? HDF_RIGHT : 0);
        SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    HWND status = AddControl(at, "Status bar with a size grip:", STATUSCLASSNAMEA, "", SBARS_SIZEGRIP | StripStyle,
                             0, ColumnWidth, BarHeight - Px(4));
    const int edges[] = {Px(80), Px(150), -1};
    SendMessageA(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Ready"));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("\tLine 12"));
    SendMessageA(status, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("\t\tUTF-8"));
}

// The tips are shown tracked, beside the anchor, wherever the section goes.
static HWND tipAnchor = nullptr;
static HWND tips[2] = {};

static void AddTooltips(Column &at)
{
    tipAnchor = AddControl(at, "Tooltips, plain and balloon:", "Static", "", SS_LEFT, 0, ColumnWidth,
                           TooltipAreaHeight);
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(at.dialog, GWLP_HINSTANCE));
    const char *const texts[] = {"A plain tip", "A balloon tip"};
    for (int i = 0; i < 2; ++i) {
        tips[i] = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, "",
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (i == 1 ? TTS_BALLOON : 0), 0, 0, 0, 0,
                                  at.dialog, nullptr, instance, nullptr);
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool.hwnd = at.dialog;
        tool.uId = static_cast<UINT_PTR>(i + 1);
        tool.lpszText = const_cast<char *>(texts[i]);
        SendMessageA(tips[i], TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

static void PlaceTooltips(HWND dialog)
{
    if (!IsWindowVisible(dialog))
        return;
    RECT anchor;
    GetWindowRect(tipAnchor, &anchor);
    for (int i = 0; i < 2; ++i) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = dialog;
        tool.uId = static_cast<UINT_PTR>(i + 1);
        SendMessageA(tips[i], TTM_TRACKPOSITION, 0, MAKELPARAM(anchor.left + Px(4) + i * Px(100), anchor.top + Px(4)));
        SendMessageA(tips[i], TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    }
}

static void AddTrackbars(Column &at)
{
    HWND withSelection = AddControl(at, "Trackbar, ticks below, a selection:", TRACKBAR_CLASSA, "",
                                    TBS_AUTOTICKS | TBS_ENABLESELRANGE, 0, ColumnWidth, TrackHeight);
    HWND top = AddControl(at, "Ticks above:", TRACKBAR_CLASSA, "", TBS_AUTOTICKS | TBS_TOP, 0, ColumnWidth,
                          TrackHeight);
    HWND noThumb = AddControl(at, "No thumb (TBS_NOTHUMB):", TRACKBAR_CLASSA, "", TBS_AUTOTICKS | TBS_NOTHUMB, 0,
                              ColumnWidth, TrackHeight);
    HWND disabled = AddControl(at, "Disabled:", TRACKBAR_CLASSA, "", TBS_AUTOTICKS | WS_DISABLED, 0, ColumnWidth,
                               TrackHeight);
    for (HWND bar : {withSelection, top, noThumb, disabled}) {
        SendMessageA(bar, TBM_SETTICFREQ, 10, 0);
        SendMessageA(bar, TBM_SETPOS, TRUE, 40);
    }
    SendMessageA(withSelection, TBM_SETSEL, TRUE, MAKELPARAM(20, 70));
    const int row = at.top;
    HWND both = AddControl(at, "Vertical, ticks both sides:", TRACKBAR_CLASSA, "",
                           TBS_VERT | TBS_BOTH | TBS_AUTOTICKS, 0, VerticalTrackWidth, VerticalTrackHeight);
    SendMessageA(both, TBM_SETTICFREQ, 10, 0);
    SendMessageA(both, TBM_SETPOS, TRUE, 70);
    at.top = row + LabelHeight + RowGap / 2;
    at.left += VerticalTrackWidth + ColumnGap;
    HWND right = AddControl(at, nullptr, TRACKBAR_CLASSA, "", TBS_VERT | TBS_AUTOTICKS, 0, VerticalTrackWidth,
                            VerticalTrackHeight);
    SendMessageA(right, TBM_SETTICFREQ, 20, 0);
    at.left -= VerticalTrackWidth + ColumnGap;
}

static void AddLists(Column &at)
{
    HWND list = AddControl(at, "Report list view:", WC_LISTVIEWA, "", LVS_REPORT | LVS_SHOWSELALWAYS,
                           WS_EX_CLIENTEDGE, ColumnWidth, ListHeight);
    const char *const columns[] = {"Kind", "Look"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = ColumnWidth / 2 - Px(4);
        column.pszText = const_cast<char *>(columns[i]);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    const char *const rows[] = {"Trackbar", "Status bar", "Header"};
    for (int i = 0; i < 3; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char *>(rows[i]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char *>("face");
        SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }

    HWND tree = AddControl(at, "Tree view:", WC_TREEVIEWA, "", TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                           WS_EX_CLIENTEDGE, ColumnWidth, ListHeight);
    TVINSERTSTRUCTA insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char *>("Bars");
    insert.hParent =
        reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    for (const char *leaf : {"Toolbar", "Rebar", "Status bar"}) {
        insert.item.pszText = const_cast<char *>(leaf);
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    }
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(insert.hParent));

    HWND box = AddControl(at, "List box:", "ListBox", "", LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE,
                          ColumnWidth, ListHeight - Px(20));
    for (const char *line : {"First line", "Second line", "Third line"})
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    AddControl(at, "Edit and read-only edit:", "Edit", "Editable", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, ColumnWidth,
               EditHeight);
    AddControl(at, nullptr, "Edit", "Read-only", ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, ColumnWidth,
               EditHeight);
}

static INT_PTR CALLBACK BarsSectionProc(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == WM_WINDOWPOSCHANGED || message == WM_SHOWWINDOW)
        PlaceTooltips(window);
    if (message == WM_CLOSE) {
        CloseGalleryWindow(window);
        return TRUE;
    }
    return FALSE;
}

HWND BuildBarsSection(const GalleryContext &context)
{
    HWND section = CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", SectionTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   0, 0, 100, 100, nullptr, nullptr, context.instance, nullptr);
    if (section == nullptr)
        return nullptr;
    SetWindowLongPtrA(section, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(BarsSectionProc));

    Column bars = {section, Margin, Margin};
    AddToolbar(bars);
    AddHeaderAndStatus(bars);
    AddTooltips(bars);
    Column tracks = {section, Margin + ColumnWidth + ColumnGap, Margin};
    AddTrackbars(tracks);
    Column lists = {section, tracks.left + ColumnWidth + ColumnGap, Margin};
    AddLists(lists);

    RECT window;
    RECT client;
    GetWindowRect(section, &window);
    GetClientRect(section, &client);
    const int width = lists.left + ColumnWidth + Margin;
    const int height = std::max({bars.top, tracks.top, lists.top}) - RowGap + Margin;
    SetWindowPos(section, nullptr, 0, 0, width + (window.right - window.left) - client.right,
                 height + (window.bottom - window.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return section;
}

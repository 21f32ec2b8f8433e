#include "kinds.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

const TestKind Rows[] = {
    {"push button", "Button", BS_PUSHBUTTON, 0, 90, 26},
    {"default push button", "Button", BS_DEFPUSHBUTTON, 0, 90, 26},
    {"push-like check box", "Button", BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, 90, 26},
    {"check box", "Button", BS_AUTOCHECKBOX, 0, 120, 20},
    {"three-state check box", "Button", BS_AUTO3STATE, 0, 120, 20},
    {"radio button", "Button", BS_AUTORADIOBUTTON, 0, 120, 20},
    {"group box", "Button", BS_GROUPBOX, 0, 160, 80},
    {"label", "Static", SS_LEFT, 0, 160, 20},
    // A sunken edge the skin rings; a WS_BORDER border it leaves as it is.
    {"edit", "Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 160, 22},
    {"bordered edit", "Edit", WS_BORDER | ES_AUTOHSCROLL, 0, 160, 22},
    {"list box", "ListBox", LBS_NOTIFY | WS_BORDER | WS_VSCROLL, 0, 160, 80},
    {"drop-down combo box", "ComboBox", CBS_DROPDOWN, 0, 160, 200},
    {"drop-down list", "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 160, 200},
    {"vertical scroll bar", "ScrollBar", SBS_VERT, 0, 17, 160},
    {"horizontal scroll bar", "ScrollBar", SBS_HORZ, 0, 160, 17},
    {"up-down", UPDOWN_CLASSA, 0, 0, 16, 30},
    {"progress bar", PROGRESS_CLASSA, 0, 0, 160, 18},
    {"tab control", WC_TABCONTROLA, 0, 0, 200, 100},
    {"hot-key", HOTKEY_CLASSA, 0, 0, 120, 22},
    {"IP address", WC_IPADDRESSA, 0, 0, 140, 22},
    {"list view", WC_LISTVIEWA, LVS_REPORT | WS_BORDER, 0, 200, 120},
    // Skinned for its own scroll bars only: a combo box's dropped list, made
    // here on its own.
    {"combo box's list", "ComboLBox", WS_BORDER | WS_VSCROLL, 0, 160, 80},
    {"date-time picker", DATETIMEPICK_CLASSA, 0, 0, 120, 22},
    {"extended combo box", WC_COMBOBOXEXA, CBS_DROPDOWNLIST, 0, 160, 200},
    {"icon", "Static", SS_ICON, 0, 32, 32},
    {"size grip", "ScrollBar", SBS_SIZEGRIP, 0, 17, 17},
    {"month calendar", MONTHCAL_CLASSA, 0, 0, 220, 180},
    {"tree view", WC_TREEVIEWA, TVS_HASLINES | WS_BORDER, 0, 160, 100},
    {"trackbar", TRACKBAR_CLASSA, TBS_AUTOTICKS | TBS_ENABLESELRANGE, 0, 200, 40},
    {"vertical trackbar", TRACKBAR_CLASSA, TBS_VERT | TBS_BOTH | TBS_AUTOTICKS, 0, 48, 160},
    {"status bar", STATUSCLASSNAMEA, SBARS_SIZEGRIP, 0, 300, 22},
    {"header", WC_HEADERA, HDS_BUTTONS | HDS_HOTTRACK, 0, 240, 24},
    // The control makes itself a top-level popup, whatever it is made with.
    {"tooltip", TOOLTIPS_CLASSA, TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0},
    {"balloon tooltip", TOOLTIPS_CLASSA, TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, 0, 0, 0},
    {"toolbar", TOOLBARCLASSNAMEA, TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN, 0,
     240, 28},
    {"rebar", REBARCLASSNAMEA, CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 240, 30},
    // The system's popup menu window, here without a menu: its frame and background.
    {"popup menu", "#32768", 0, 0, 120, 60},
    {"dialog", "#32770", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 300, 200},
    // Top-level windows of a host's own class, owned by the parent.
    {"main window", MainWindowClassName, WS_OVERLAPPEDWINDOW, 0, 320, 240},
    {"tool window", MainWindowClassName, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW, 200, 150},
};

bool Named(const TestKind &kind, const char *className)
{
    return lstrcmpiA(kind.className, className) == 0;
}

} // namespace

const std::vector<TestKind> &TestKinds()
{
    static const std::vector<TestKind> kinds(std::begin(Rows), std::end(Rows));
    return kinds;
}

const TestKind &KindNamed(const char *name)
{
    for (const TestKind &kind : Rows) {
        if (std::strcmp(kind.name, name) == 0)
            return kind;
    }
    std::fprintf(stderr, "no test kind is named \"%s\"\n", name);
    std::fflush(stderr);
    std::abort();
}

std::vector<TestKind> KindsNamed(std::initializer_list<const char *> names)
{
    std::vector<TestKind> kinds;
    for (const char *name : names)
        kinds.push_back(KindNamed(name));
    return kinds;
}

bool IsDialogKind(const TestKind &kind)
{
    return std::strcmp(kind.className, "#32770") == 0;
}

// A host's main window class: the default procedure, the system's window colour.
static void RegisterMainWindowClass()
{
    static const ATOM atom = [] {
        WNDCLASSA windowClass = {CS_DBLCLKS, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr)};
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = MainWindowClassName;
        return RegisterClassA(&windowClass);
    }();
    (void)atom;
}

HWND CreateKind(HWND parent, const TestKind &kind, int x, int y, int id, const char *text, DWORD addedStyle)
{
    if (Named(kind, MainWindowClassName)) {
        RegisterMainWindowClass();
        POINT place = {x, y};
        ClientToScreen(parent, &place);
        return CreateWindowExA(kind.exStyle, kind.className, text, kind.style | addedStyle | WS_VISIBLE, place.x,
                               place.y, kind.width, kind.height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    // A tooltip is an owned popup, shown when it is activated; a popup's
    // menu may be no identifier.
    const bool popup = lstrcmpiA(kind.className, TOOLTIPS_CLASSA) == 0;
    const DWORD placement = popup ? WS_POPUP : WS_CHILD | WS_VISIBLE;
    HWND child = CreateWindowExA(kind.exStyle, kind.className, text, kind.style | addedStyle | placement,
                                 x, y, kind.width, kind.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(popup ? 0 : id)), GetModuleHandleA(nullptr),
                                 nullptr);
    SendMessageA(child, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
    return child;
}


void FillKind(HWND control, const TestKind &kind)
{
    if (Named(kind, "Button")) {
        SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
    } else if (Named(kind, "ScrollBar")) {
        SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE, 0, 100, 10, 40, 0};
        SetScrollInfo(control, SB_CTL, &info, TRUE);
    } else if (Named(kind, PROGRESS_CLASSA)) {
        SendMessageA(control, PBM_SETPOS, 60, 0);
    } else if (Named(kind, WC_TABCONTROLA)) {
        const char *const labels[] = {"First", "Second", "Third"};
        for (int i = 0; i < 3; ++i) {
            TCITEMA item = {TCIF_TEXT};
            item.pszText = const_cast<char *>(labels[i]);
            SendMessageA(control, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
    } else if (Named(kind, WC_COMBOBOXEXA)) {
        COMBOBOXEXITEMA item = {CBEIF_TEXT, 0, const_cast<char *>("First")};
        SendMessageA(control, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SendMessageA(control, CB_SETCURSEL, 0, 0);
    } else if (Named(kind, "Static") && (kind.style & SS_TYPEMASK) == SS_ICON) {
        SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_INFORMATION)), 0);
    } else if (Named(kind, "ComboBox")) {
        SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("First"));
        SendMessageA(control, CB_SETCURSEL, 0, 0);
    } else if (Named(kind, WC_HEADERA)) {
        const char *const names[] = {"Name", "Size", "Date"};
        for (int i = 0; i < 3; ++i) {
            HDITEMA item = {HDI_TEXT | HDI_WIDTH | HDI_FORMAT, 70, const_cast<char *>(names[i])};
            item.fmt = HDF_STRING | (i == 0 ? HDF_SORTUP : 0);
            SendMessageA(control, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
    } else if (Named(kind, STATUSCLASSNAMEA)) {
        const int edges[] = {100, 200, -1};
        SendMessageA(control, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
        SendMessageA(control, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Ready"));
        SendMessageA(control, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Line 1"));
    } else if (Named(kind, TRACKBAR_CLASSA)) {
        SendMessageA(control, TBM_SETTICFREQ, 10, 0);
        SendMessageA(control, TBM_SETSEL, TRUE, MAKELPARAM(20, 60));
    } else if (Named(kind, TOOLBARCLASSNAMEA)) {
        SendMessageA(control, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        const int first = static_cast<int>(SendMessageA(control, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("Open\0Bold\0Save\0")));
        TBBUTTON buttons[3] = {};
        for (int i = 0; i < 3; ++i)
            buttons[i] = {I_IMAGENONE, 100 + i, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, first + i};
        buttons[1].fsStyle |= BTNS_CHECK;
        buttons[1].fsState |= TBSTATE_CHECKED;
        SendMessageA(control, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));
    } else if (Named(kind, REBARCLASSNAMEA)) {
        REBARBANDINFOA band = {sizeof band, RBBIM_TEXT | RBBIM_STYLE | RBBIM_SIZE};
        band.fStyle = RBBS_GRIPPERALWAYS;
        band.lpText = const_cast<char *>("Band");
        band.cx = 200;
        SendMessageA(control, RB_INSERTBANDA, 0, reinterpret_cast<LPARAM>(&band));
    } else if (Named(kind, TOOLTIPS_CLASSA)) {
        HWND parent = GetWindow(control, GW_OWNER);
        TOOLINFOA tool = {sizeof tool, TTF_TRACK | TTF_ABSOLUTE, parent, 1};
        tool.lpszText = const_cast<char *>("Tip text");
        SendMessageA(control, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        RECT place;
        GetWindowRect(parent, &place);
        SendMessageA(control, TTM_TRACKPOSITION, 0, MAKELPARAM(place.left + 40, place.top + 60));
        SendMessageA(control, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    } else if (Named(kind, WC_TREEVIEWA)) {
        TVINSERTSTRUCTA insert = {TVI_ROOT, TVI_LAST, {{TVIF_TEXT}}};
        insert.item.pszText = const_cast<char *>("Root");
        insert.hParent = reinterpret_cast<HTREEITEM>(SendMessageA(control, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        insert.item.pszText = const_cast<char *>("Leaf");
        SendMessageA(control, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
        SendMessageA(control, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(insert.hParent));
    } else if (Named(kind, WC_LISTVIEWA)) {
        LVCOLUMNA column = {LVCF_TEXT | LVCF_WIDTH, 0, 120, const_cast<char *>("Name")};
        SendMessageA(control, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        LVITEMA item = {LVIF_TEXT};
        item.pszText = const_cast<char *>("Item");
        SendMessageA(control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    } else if (Named(kind, "ListBox")) {
        // Past its height, so that its own scroll bar shows.
        for (int i = 0; i < 30; ++i)
            SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Item"));
    }
}

// The main-window section: a program's main window as hosts make it, not a
// dialog: a menu bar (with a right-justified Help), a toolbar, a tree view
// and a report list view with a selection side by side, and a status bar
// with its grip; a tool window beside it.
#include "gallery.h"

#include <commctrl.h>

static const char ClassName[] = "VelkGalleryMainWindow";
static const char SectionTitle[] = "velk gallery: main window";

enum : UINT_PTR { ToolbarId = 1, TreeId = 2, ListId = 3, StatusId = 4 };

static HMENU BuildMenuBar()
{
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 100, "&New\tCtrl+N");
    AppendMenuA(file, MF_STRING, 101, "&Open...\tCtrl+O");
    AppendMenuA(file, MF_STRING | MF_GRAYED, 102, "&Save\tCtrl+S");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING | MF_CHECKED, 103, "Word &wrap");
    HMENU recent = CreatePopupMenu();
    AppendMenuA(recent, MF_STRING, 110, "notes.txt");
    AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, 104, "E&xit");
    HMENU view = CreatePopupMenu();
    AppendMenuA(view, MF_STRING, 120, "&Toolbar");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "&View");
    AppendMenuA(bar, MF_STRING | MF_GRAYED, 130, "&Tools");
    AppendMenuA(bar, MF_STRING | MF_RIGHTJUSTIFY, 140, "&Help");
    return bar;
}

static HWND AddChild(HWND parent, const char *className, DWORD style, DWORD exStyle, UINT_PTR id)
{
    HWND child = CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(id), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

static void FillChildren(HWND window)
{
    HWND toolbar = GetDlgItem(window, ToolbarId);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int first =
        static_cast<int>(SendMessageA(toolbar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("New\0Open\0Wrap\0")));
    TBBUTTON buttons[3] = {};
    for (int i = 0; i < 3; ++i)
        buttons[i] = {I_IMAGENONE, static_cast<int>(100 + i), TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0,
                      first + i};
    buttons[2].fsStyle |= BTNS_CHECK;
    buttons[2].fsState |= TBSTATE_CHECKED;
    SendMessageA(toolbar, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));

    HWND tree = GetDlgItem(window, TreeId);
    TVINSERTSTRUCTA insert = {TVI_ROOT, TVI_LAST, {{TVIF_TEXT}}};
    insert.item.pszText = const_cast<char *>("Documents");
    insert.hParent = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    const char *const leaves[] = {"Letters", "Notes", "Reports"};
    for (const char *leaf : leaves) {
        insert.item.pszText = const_cast<char *>(leaf);
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    }
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(insert.hParent));

    HWND list = GetDlgItem(window, ListId);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const char *const columns[] = {"Name", "Size"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column = {LVCF_TEXT | LVCF_WIDTH, 0, Px(i == 0 ? 110 : 60), const_cast<char *>(columns[i])};
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    const char *const names[] = {"letter.txt", "notes.txt", "report.txt"};
    for (int i = 0; i < 3; ++i) {
        LVITEMA item = {LVIF_TEXT, i};
        item.pszText = const_cast<char *>(names[i]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char *>("4 KB");
        SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
    LVITEMA selected = {};
    selected.stateMask = selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));

    HWND status = GetDlgItem(window, StatusId);
    const int edges[] = {Px(160), -1};
    SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Ready"));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("3 files"));
}

// The bars take their own height; the panes share what lies between.
static void LayOut(HWND window)
{
    HWND toolbar = GetDlgItem(window, ToolbarId);
    HWND status = GetDlgItem(window, StatusId);
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    SendMessageA(status, WM_SIZE, 0, 0);
    RECT client;
    RECT bar;
    RECT grip;
    GetClientRect(window, &client);
    GetWindowRect(toolbar, &bar);
    GetWindowRect(status, &grip);
    const int top = bar.bottom - bar.top;
    const int height = client.bottom - top - (grip.bottom - grip.top);
    const int treeWidth = client.right / 3;
    MoveWindow(GetDlgItem(window, TreeId), 0, top, treeWidth, height, TRUE);
    MoveWindow(GetDlgItem(window, ListId), treeWidth, top, client.right - treeWidth, height, TRUE);
}

static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        LayOut(window);
        return 0;
    case WM_CLOSE:
        CloseGalleryWindow(window);
        return 0;
    case WM_ENTERIDLE:
        if (whileMenuOpen != nullptr)
            whileMenuOpen();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND BuildMainWindowSection(const GalleryContext &context)
{
    WNDCLASSA windowClass = {CS_DBLCLKS, MainWindowProc, 0, 0, context.instance};
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = ClassName;
    if (RegisterClassA(&windowClass) == 0)
        return nullptr;
    HWND window = CreateWindowExA(0, ClassName, SectionTitle, WS_OVERLAPPEDWINDOW, 0, 0, Px(330), Px(260), nullptr,
                                  BuildMenuBar(), context.instance, nullptr);
    if (window == nullptr)
        return nullptr;
    AddChild(window, TOOLBARCLASSNAMEA, TBSTYLE_FLAT | TBSTYLE_LIST, 0, ToolbarId);
    AddChild(window, WC_TREEVIEWA, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, WS_EX_CLIENTEDGE, TreeId);
    AddChild(window, WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE, ListId);
    AddChild(window, STATUSCLASSNAMEA, SBARS_SIZEGRIP, 0, StatusId);
    FillChildren(window);
    LayOut(window);
    return window;
}

// The tool window: a small caption with its close button alone.
HWND BuildToolWindowSection(const GalleryContext &context)
{
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, ClassName, "Tool window", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                                  0, 0, Px(140), Px(120), nullptr, nullptr, context.instance, nullptr);
    if (window == nullptr)
        return nullptr;
    AddChild(window, STATUSCLASSNAMEA, 0, 0, StatusId);
    SendMessageA(GetDlgItem(window, StatusId), SB_SIMPLE, TRUE, 0);
    SendMessageA(GetDlgItem(window, StatusId), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>("Palette"));
    return window;
}

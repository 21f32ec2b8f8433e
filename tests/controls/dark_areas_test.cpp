// The areas a face reaches in any parent: a skinned page inside a tab
// control, and a main window of a plain class that nothing skins. Each row
// names a point of a control and the face colour it must show there; the
// face gives every colour a value of its own.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "face_folder.h"
#include "support/window_pixels.h"
#include "velk.h"

namespace {

const COLORREF Background = RGB(0x10, 0x20, 0x30), Text = RGB(0xE0, 0xD0, 0xC0), Selection = RGB(0x20, 0x60, 0xA0),
               Unfocused = RGB(0x50, 0x30, 0x60), Grid = RGB(0x70, 0x10, 0x10), TreeLine = RGB(0x10, 0x80, 0x10),
               Page = RGB(0x30, 0x30, 0x08), PageBorder = RGB(0xA0, 0x80, 0x00), Grip = RGB(0x00, 0xC0, 0xC0),
               DialogBack = RGB(0x28, 0x18, 0x08), CheckDisabled = RGB(0x60, 0x20, 0x40),
               UpDownBody = RGB(0x40, 0x60, 0x20);
const char FaceIni[] = "[colours]\nListBackground=#102030\nListText=#E0D0C0\nListSelection=#2060A0\n"
                       "ListSelectionUnfocused=#503060\nListGridLine=#701010\nTreeLine=#108010\nTabPage=#303008\n"
                       "TabPageBorder=#A08000\nStatusGrip=#00C0C0\nDialogBackground=#281808\n"
                       "CheckFaceDisabled=#602040\nUpDownBody=#406020\n";

enum Ids { LIST = 10, TREE, TAB, DROP_LIST, PICKER, EXTENDED, ICON, GRIP, CHECK, UPDOWN };

struct Area {
    const char *name;
    int id;
    POINT (*at)(HWND control);  // window coordinates
    COLORREF expected;          // CLR_NONE: the parent's own background, read beside the control
    bool focused;               // the control has the focus
};

RECT ItemRect(HWND list, int item, int part)
{
    RECT rect = {part};
    SendMessageA(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

// Client points move by the control's border into window coordinates.
POINT Window(HWND control, int x, int y)
{
    POINT at = {x, y};
    RECT window;
    GetWindowRect(control, &window);
    ClientToScreen(control, &at);
    return {at.x - window.left, at.y - window.top};
}

POINT BetweenCells(HWND list)
{
    const RECT row = ItemRect(list, 1, LVIR_BOUNDS);
    return Window(list, 78, (row.top + row.bottom) / 2);
}
POINT GridLine(HWND list)
{
    const RECT row = ItemRect(list, 2, LVIR_BOUNDS);
    return Window(list, 80, (row.top + row.bottom) / 2);
}
POINT RowLine(HWND list) { return Window(list, 120, ItemRect(list, 3, LVIR_BOUNDS).top - 1); }
POINT TreeCaret(HWND tree)
{
    RECT text;
    *reinterpret_cast<HTREEITEM *>(&text) = TreeView_GetSelection(tree);
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text));
    return Window(tree, text.left + 1, text.top + 1);
}
POINT TreeButton(HWND tree)
{
    RECT row;
    *reinterpret_cast<HTREEITEM *>(&row) = TreeView_GetRoot(tree);
    SendMessageA(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&row));
    const int x = TreeView_GetIndent(tree) / 2;
    return Window(tree, x - 4, (row.top + row.bottom) / 2 - 1);
}
POINT Strip(HWND tab) { return Window(tab, 240, 4); }
POINT PageEdge(HWND tab)
{
    RECT first;
    TabCtrl_GetItemRect(tab, 0, &first);
    return Window(tab, 0, first.bottom + 30);
}
POINT PageInside(HWND tab) { return Window(tab, 250, 150); }
POINT Field(HWND combo) { return {4, 4}; }
POINT Corner(HWND control) { return {0, 0}; }
POINT LeftMiddle(HWND control)
{
    RECT client;
    GetClientRect(control, &client);
    return {2, client.bottom / 2};
}
POINT GripDot(HWND grip)
{
    RECT client;
    GetClientRect(grip, &client);
    return {client.right - 3, client.bottom - 3};
}

const Area Areas[] = {
    {"full-row selection between cells, unfocused", LIST, BetweenCells, Unfocused, false},
    {"full-row selection between cells, focused", LIST, BetweenCells, Selection, true},
    {"grid line between columns", LIST, GridLine, Grid, false},
    {"grid line above a row", LIST, RowLine, Grid, false},
    {"tree selection, unfocused", TREE, TreeCaret, Unfocused, false},
    {"tree selection, focused", TREE, TreeCaret, Selection, true},
    {"tree button's frame", TREE, TreeButton, TreeLine, false},
    {"tab strip beside the tabs", TAB, Strip, Page, false},
    {"tab page's border", TAB, PageEdge, PageBorder, false},
    {"tab page", TAB, PageInside, Page, false},
    {"drop-down list field", DROP_LIST, Field, Background, false},
    {"date-time picker field", PICKER, Field, Background, false},
    {"extended combo box field", EXTENDED, Field, Background, false},
    {"empty icon slot", ICON, Corner, CLR_NONE, false},
    {"size grip's square", GRIP, Corner, CLR_NONE, false},
    {"size grip's dot", GRIP, GripDot, Grip, false},
    {"disabled check box's face", CHECK, LeftMiddle, CheckDisabled, false},
    {"up-down's body", UPDOWN, Corner, UpDownBody, false},
};

HWND Make(HWND parent, const char *className, DWORD style, int x, int y, int width, int height, int id)
{
    return CreateChild(parent, className, style, x, y, width, height, id);
}

void Fill(HWND parent)
{
    HWND list = Make(parent, WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 260, 110, LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int column = 0; column < 3; ++column) {
        LVCOLUMNA info = {LVCF_TEXT | LVCF_WIDTH, 0, 80, const_cast<char *>("Column")};
        ListView_InsertColumn(list, column, &info);
    }
    for (int row = 0; row < 5; ++row) {
        LVITEMA item = {LVIF_TEXT, row, 0, 0, 0, const_cast<char *>("Item")};
        ListView_InsertItem(list, &item);
        ListView_SetItemText(list, row, 2, const_cast<char *>("Sub"));
    }
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    HWND tree = Make(parent, WC_TREEVIEWA, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 0,
                     120, 260, 80, TREE);
    TVINSERTSTRUCTA insert = {TVI_ROOT, TVI_LAST, {{TVIF_TEXT}}};
    insert.item.pszText = const_cast<char *>("Root");
    insert.hParent = TreeView_InsertItem(tree, &insert);
    insert.item.pszText = const_cast<char *>("Leaf");
    TreeView_Select(tree, TreeView_InsertItem(tree, &insert), TVGN_CARET);
    HWND tab = Make(parent, WC_TABCONTROLA, 0, 270, 0, 300, 200, TAB);
    TCITEMA tabItem = {TCIF_TEXT, 0, 0, const_cast<char *>("First")};
    TabCtrl_InsertItem(tab, 0, &tabItem);
    HWND combo = Make(parent, "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 210, 140, 120, DROP_LIST);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Banana"));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    Make(parent, DATETIMEPICK_CLASSA, 0, 150, 210, 120, 22, PICKER);
    HWND extended = Make(parent, WC_COMBOBOXEXA, CBS_DROPDOWNLIST, 280, 210, 140, 120, EXTENDED);
    COMBOBOXEXITEMA entry = {CBEIF_TEXT, 0, const_cast<char *>("Path")};
    SendMessageA(extended, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry));
    SendMessageA(extended, CB_SETCURSEL, 0, 0);
    Make(parent, "Static", SS_ICON, 440, 210, 32, 32, ICON);
    Make(parent, "ScrollBar", SBS_SIZEGRIP, 480, 210, 17, 17, GRIP);
    Make(parent, "Button", BS_AUTOCHECKBOX | WS_DISABLED, 505, 210, 80, 20, CHECK);
    Make(parent, UPDOWN_CLASSA, 0, 590, 210, 16, 30, UPDOWN);
}

// The parent's own pixel just left of the control.
COLORREF BesideIn(HWND parent, HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    POINT at = {place.left - 2, place.top + 2};
    ScreenToClient(parent, &at);
    const WindowPixels shot = CaptureClient(parent);
    return shot.At(at.x, at.y);
}

// The main window's class: a host's own, which answers a list view's
// callback texts with the number the test shows.
int shownNumber = 0;
LRESULT CALLBACK MainProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto *info = reinterpret_cast<NMLVDISPINFOA *>(lParam);
    if (msg == WM_NOTIFY && info->hdr.code == LVN_GETDISPINFOA && (info->item.mask & LVIF_TEXT) != 0)
        wsprintfA(info->item.pszText, "%d", shownNumber);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class DarkAreasTest : public FaceFolderTest, public testing::WithParamInterface<bool> {
protected:
    HWND main = nullptr;
    HWND parent = nullptr;  // a page in a tab control, or the main window

    void SetUp() override
    {
        FaceFolderTest::SetUp();
        ASSERT_TRUE(face.Apply(FaceIni));
        Enskin(nullptr, 1);
        WNDCLASSA mainClass = {0, MainProcedure};
        mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        mainClass.lpszClassName = "VelkTestMain";
        RegisterClassA(&mainClass);
        main = CreateWindowA("VelkTestMain", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 360, 620, 300, nullptr,
                             nullptr, nullptr, nullptr);
        parent = main;
        if (GetParam()) {
            SetWindowPos(dialog, nullptr, 0, 0, 660, 340, SWP_NOMOVE | SWP_NOZORDER);
            HWND tab = CreateChild(dialog, WC_TABCONTROLA, 0, 4, 4, 640, 300);
            std::vector<WORD> words = DialogTemplate(WS_CHILD | WS_VISIBLE | DS_CONTROL, "", 10, 10);
            parent = CreateDialogIndirectParamA(nullptr, reinterpret_cast<DLGTEMPLATE *>(words.data()), tab, nullptr, 0);
            SetWindowPos(parent, nullptr, 8, 30, 620, 260, SWP_NOZORDER);
        }
        Fill(parent);
        PumpMessages(100);
    }

    void TearDown() override
    {
        DestroyWindow(main);
        Enskin(nullptr, 0);
        FaceFolderTest::TearDown();
    }
};

TEST_P(DarkAreasTest, EveryAreaInTheFace)
{
    for (const Area &area : Areas) {
        HWND control = GetDlgItem(parent, area.id);
        SetFocus(area.focused ? control : GetDlgItem(parent, TAB));
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const POINT at = area.at(control);
        const COLORREF expected = area.expected == CLR_NONE ? BesideIn(parent, control) : area.expected;
        EXPECT_TRUE(PixelIs(control, at.x, at.y, expected)) << area.name;
    }
}

// A host's own background keeps the control's own text colours with it.
TEST_P(DarkAreasTest, HostBackgroundKeepsTheControlsText)
{
    HWND list = GetDlgItem(parent, LIST);
    ListView_SetBkColor(list, RGB(255, 255, 255));
    EXPECT_NE(ListView_GetTextColor(list), Text);
    EXPECT_NE(ListView_GetTextBkColor(list), Background);
}

// Redrawn without an erase a hundred times, as a task manager updates its
// numbers, a cell shows its last text alone: no more ink than a clean paint.
TEST_P(DarkAreasTest, ListRedrawnOftenShowsItsLastTextOnly)
{
    HWND list = CreateChild(main, WC_LISTVIEWA, LVS_REPORT | LVS_NOCOLUMNHEADER, 300, 0, 200, 60);
    LVCOLUMNA column = {LVCF_WIDTH, 0, 150};
    ListView_InsertColumn(list, 0, &column);
    LVITEMA item = {LVIF_TEXT, 0, 0, 0, 0, LPSTR_TEXTCALLBACKA};
    ListView_InsertItem(list, &item);
    auto ink = [list] {
        const WindowPixels shot = CaptureClient(list);
        int count = 0;
        for (COLORREF pixel : shot.pixels)
            count += pixel != Background;
        return count;
    };
    for (int i = 100; i > 0; --i) {
        shownNumber = i == 1 ? 1 : i * 7919 % 100000;
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW);
    }
    const int inkAfterUpdates = ink();
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_GT(inkAfterUpdates, 0);
    EXPECT_EQ(inkAfterUpdates, ink()) << "old texts left under the new one";
}

INSTANTIATE_TEST_SUITE_P(Parents, DarkAreasTest, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool> &info) { return info.param ? "page" : "mainWindow"; });

} // namespace

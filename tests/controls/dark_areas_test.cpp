// The areas a face reaches in any parent: a skinned page inside a tab
// control, and a main window of a plain class that nothing skins. Each row
// names a point of a control and the face colour it must show there; the
// face gives every colour a value of its own.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "face_folder.h"
#include "support/kinds.h"
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
    COLORREF expected;          // CLR_NONE: the parent's own background
    bool focused;               // the control has the focus
};

// Client points move by the control's border into window coordinates.
POINT Window(HWND control, int x, int y)
{
    POINT at = {x, y};
    RECT window;
    GetWindowRect(control, &window);
    ClientToScreen(control, &at);
    return {at.x - window.left, at.y - window.top};
}

int RowMiddle(HWND list, int item)
{
    RECT row;
    ListView_GetItemRect(list, item, &row, LVIR_BOUNDS);
    return (row.top + row.bottom) / 2;
}

RECT TreeRect(HWND tree, HTREEITEM item, BOOL textOnly)
{
    RECT rect;
    *reinterpret_cast<HTREEITEM *>(&rect) = item;
    SendMessageA(tree, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

POINT TreeCaret(HWND tree)
{
    const RECT text = TreeRect(tree, TreeView_GetSelection(tree), TRUE);
    return Window(tree, text.left + 1, text.top + 1);
}

POINT Field(HWND) { return {4, 4}; }
POINT Corner(HWND) { return {0, 0}; }

const Area Areas[] = {
    {"full-row selection between cells, unfocused", LIST, [](HWND l) { return Window(l, 78, RowMiddle(l, 1)); },
     Unfocused, false},
    {"full-row selection between cells, focused", LIST, [](HWND l) { return Window(l, 78, RowMiddle(l, 1)); },
     Selection, true},
    {"grid line between columns", LIST, [](HWND l) { return Window(l, 80, RowMiddle(l, 2)); }, Grid, false},
    {"grid line above a row", LIST,
     [](HWND l) { return Window(l, 120, RowMiddle(l, 3) - (RowMiddle(l, 3) - RowMiddle(l, 2)) / 2 - 1); }, Grid, false},
    {"tree selection, unfocused", TREE, TreeCaret, Unfocused, false},
    {"tree selection, focused", TREE, TreeCaret, Selection, true},
    {"tree button's frame", TREE, [](HWND t) {
         const RECT row = TreeRect(t, TreeView_GetRoot(t), FALSE);
         return Window(t, TreeView_GetIndent(t) / 2 - 4, (row.top + row.bottom) / 2 - 1);
     }, TreeLine, false},
    {"tab strip beside the tabs", TAB, [](HWND t) { return Window(t, 190, 4); }, Page, false},
    {"tab page's border", TAB, [](HWND t) { return Window(t, 0, 60); }, PageBorder, false},
    {"tab page", TAB, [](HWND t) { return Window(t, 150, 70); }, Page, false},
    {"drop-down list field", DROP_LIST, Field, Background, false},
    {"date-time picker field", PICKER, Field, Background, false},
    {"extended combo box field", EXTENDED, Field, Background, false},
    {"empty icon slot", ICON, Corner, CLR_NONE, false},
    {"size grip's square", GRIP, Corner, CLR_NONE, false},
    {"size grip's dot", GRIP, [](HWND) { return POINT{14, 14}; }, Grip, false},
    {"disabled check box's face", CHECK, [](HWND) { return POINT{2, 10}; }, CheckDisabled, false},
    {"up-down's body", UPDOWN, Corner, UpDownBody, false},
};

void Fill(HWND parent)
{
    HWND list = CreateChild(parent, WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 260, 110, LIST);
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
    HWND tree = CreateKind(parent, KindNamed("tree view"), 0, 115, TREE, "",
                           TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    FillKind(tree, KindNamed("tree view"));
    TreeView_Select(tree, TreeView_GetChild(tree, TreeView_GetRoot(tree)), TVGN_CARET);
    const struct {
        const char *kind;
        int x, y, id;
    } placed[] = {{"tab control", 270, 0, TAB}, {"drop-down list", 0, 220, DROP_LIST},
                  {"extended combo box", 280, 220, EXTENDED}};
    for (const auto &row : placed)
        FillKind(CreateKind(parent, KindNamed(row.kind), row.x, row.y, row.id), KindNamed(row.kind));
    CreateChild(parent, DATETIMEPICK_CLASSA, 0, 170, 220, 100, 22, PICKER);
    CreateChild(parent, "Static", SS_ICON, 450, 220, 32, 32, ICON);
    CreateChild(parent, "ScrollBar", SBS_SIZEGRIP, 490, 220, 17, 17, GRIP);
    CreateChild(parent, "Button", BS_AUTOCHECKBOX | WS_DISABLED, 515, 220, 80, 20, CHECK);
    CreateChild(parent, UPDOWN_CLASSA, 0, 600, 220, 16, 30, UPDOWN);
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
        main = CreateWindowA("VelkTestMain", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 360, 640, 300, nullptr,
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
        // A main window whose class asks for a system colour shows the dialog's background too.
        const COLORREF expected = area.expected == CLR_NONE ? DialogBack : area.expected;
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

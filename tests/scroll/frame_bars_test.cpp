// The scroll bars of windows that have their own: the look in the face, and
// presses that scroll exactly as on the standard control.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/skin.h"
#include "support/harness.h"
#include "support/records.h"

namespace {

// A control with enough content for its bars to show.
struct BarHost {
    const char *name;
    const char *className;
    DWORD style;
    DWORD exStyle;
    void (*fill)(HWND control);
    UINT topQuery;  // the message that answers the top line
};

void FillList(HWND control)
{
    for (int i = 0; i < 60; ++i)
        SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
}

void FillEdit(HWND control)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "a line of text that runs wider than the control\r\n";
    SetWindowTextA(control, text.c_str());
}

void FillListView(HWND control)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 400;
    SendMessageA(control, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char *>("item");
    for (int i = 0; i < 60; ++i) {
        item.iItem = i;
        SendMessageA(control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void FillTreeView(HWND control)
{
    TVINSERTSTRUCTA insert = {};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char *>("a node with a long name that runs wider than the control");
    for (int i = 0; i < 60; ++i)
        SendMessageA(control, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
}

const BarHost ListBox = {"list box", "ListBox", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, FillList,
                         LB_GETTOPINDEX};
const BarHost MultiLineEdit = {"multi-line edit", "Edit", WS_VSCROLL | WS_HSCROLL | ES_MULTILINE,
                               WS_EX_CLIENTEDGE, FillEdit, EM_GETFIRSTVISIBLELINE};
const BarHost ListView = {"list view", WC_LISTVIEWA, LVS_REPORT | LVS_NOCOLUMNHEADER, WS_EX_CLIENTEDGE,
                          FillListView, LVM_GETTOPINDEX};
const BarHost TreeView = {"tree view", WC_TREEVIEWA, 0, WS_EX_CLIENTEDGE, FillTreeView, 0};

class FrameBarsTest : public RecordCheckedTest {
protected:
    HWND dialog = nullptr;
    HWND control = nullptr;
    MessageLog log;

    void SetUp() override
    {
        RecordCheckedTest::SetUp();
        dialog = CreateTestDialog(TestDialogStyle, 420, 320, "own scroll bars");
    }

    void TearDown() override
    {
        DestroyWindow(dialog);
        RecordCheckedTest::TearDown();
    }

    void Make(const BarHost &host, bool skinned)
    {
        if (control != nullptr)
            DestroyWindow(control);
        control = CreateWindowExA(host.exStyle, host.className, "", host.style | WS_CHILD | WS_VISIBLE, 10, 10,
                                  200, 160, dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
        StartLogging(control, &log);
        if (skinned)
            AttachWindow(control);
        host.fill(control);
        PumpMessages();
        log.Clear();
    }

    SCROLLBARINFO Bar(LONG object) const
    {
        SCROLLBARINFO info = {};
        info.cbSize = sizeof info;
        GetScrollBarInfo(control, object, &info);
        return info;
    }

    // A point of the vertical bar in window coordinates, from its top.
    POINT BarPoint(int fromTop) const
    {
        RECT window;
        GetWindowRect(control, &window);
        const SCROLLBARINFO bar = Bar(OBJID_VSCROLL);
        return {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2 - window.left,
                bar.rcScrollBar.top + fromTop - window.top};
    }

    // A press on the bar at window point `at`, the pointer then moving by
    // each of `moves` pixels down before the release; the moves and the
    // release wait in the queue, as the mouse would leave them.
    void Press(POINT at, const std::vector<int> &moves)
    {
        RECT window;
        GetWindowRect(control, &window);
        const POINT screen = {window.left + at.x, window.top + at.y};
        POINT client = screen;
        ScreenToClient(control, &client);
        for (int dy : moves)
            PostMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y + dy));
        const int lastY = client.y + (moves.empty() ? 0 : moves.back());
        PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(client.x, lastY));
        SendMessageA(control, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(screen.x, screen.y));
        PumpMessages();
    }

    std::vector<std::pair<int, int>> ScrollLog() const
    {
        std::vector<std::pair<int, int>> seen;
        for (const LoggedMessage &m : log.messages) {
            if (m.msg == WM_VSCROLL)
                seen.push_back({LOWORD(m.wParam), HIWORD(m.wParam)});
        }
        return seen;
    }
};

std::string Describe(const std::vector<std::pair<int, int>> &notes)
{
    std::string text;
    for (const auto &note : notes)
        text += "(" + std::to_string(note.first) + ", " + std::to_string(note.second) + ") ";
    return text;
}

// Each step, skinned and plain: the WM_VSCROLL the control gets, in order,
// and its top line afterwards.
TEST_F(FrameBarsTest, PressesScrollAsOnTheStandardControl)
{
    struct Step {
        const char *name;
        bool onThumb;      // at the thumb's middle, else at `fromTop`
        int fromTop;       // negative: from the bar's bottom
        std::vector<int> moves;
    };
    const Step steps[] = {
        {"down arrow", false, -5, {}},
        {"up arrow", false, 5, {}},
        {"page below the thumb", false, -30, {}},
        {"thumb dragged down and back", true, 0, {20, 45, 30}},
        {"thumb dragged far below the bar", true, 0, {400}},
    };
    for (const BarHost *host : {&ListBox, &MultiLineEdit}) {
        SCOPED_TRACE(host->name);
        std::vector<std::vector<std::pair<int, int>>> logs[2];
        std::vector<LRESULT> tops[2];
        for (int skinned = 0; skinned < 2; ++skinned) {
            Make(*host, skinned != 0);
            ASSERT_EQ(RecordsFor(control), skinned);
            for (const Step &step : steps) {
                const SCROLLBARINFO bar = Bar(OBJID_VSCROLL);
                const int length = bar.rcScrollBar.bottom - bar.rcScrollBar.top;
                const int along = step.onThumb ? (bar.xyThumbTop + bar.xyThumbBottom) / 2
                                  : step.fromTop < 0 ? length + step.fromTop : step.fromTop;
                log.Clear();
                Press(BarPoint(along), step.moves);
                logs[skinned].push_back(ScrollLog());
                tops[skinned].push_back(SendMessageA(control, host->topQuery, 0, 0));
            }
        }
        for (size_t i = 0; i < logs[0].size(); ++i) {
            SCOPED_TRACE(steps[i].name);
            EXPECT_FALSE(logs[0][i].empty()) << "the plain control heard nothing";
            EXPECT_EQ(Describe(logs[1][i]), Describe(logs[0][i]));
            EXPECT_EQ(tops[1][i], tops[0][i]) << "top line";
        }
    }
}

// Every scroll colour set in one colour of its own, uniform across each
// part, so that a pixel names the part and state that drew it.
Face MakeDistinctFace()
{
    Face face = BuiltInFace;
    for (int set = SET_DISABLED; set <= SET_NORMAL; ++set) {
        for (int corner = 0; corner < 4; ++corner) {
            face.scrollOuter[set][corner] = RGB(0x10 + set, 0x20, 0x30);
            face.scrollCorners[set][corner] = RGB(0x40 + set, 0x50, 0x60);
            face.scrollInner[set][corner] = RGB(0x70 + set, 0x80, 0x90);
            face.verticalTrack[set][corner] = RGB(0xA0 + set, 0xB0, 0xC0);
            face.horizontalTrack[set][corner] = RGB(0xD0 + set, 0xE0, 0xF0);
        }
    }
    return face;
}

const Face DistinctFace = MakeDistinctFace();

// Named points of the vertical bar, found from the system's layout of it.
enum Spot { UP_ARROW_CORNER, DOWN_ARROW_CORNER, CHANNEL, THUMB_CORNER, THUMB_FACE, SIZE_BOX };

void AddItem(HWND control)
{
    SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one more"));
    SendMessageA(control, LB_SETTOPINDEX, 20, 0);
}

void Disable(HWND control)
{
    EnableWindow(control, FALSE);
}

class FrameBarsLookTest : public FrameBarsTest {
protected:
    const Face *previousFace = nullptr;

    void SetUp() override
    {
        FrameBarsTest::SetUp();
        previousFace = currentFace;
        currentFace = &DistinctFace;
    }

    void TearDown() override
    {
        currentFace = previousFace;
        FrameBarsTest::TearDown();
    }

    POINT Where(Spot spot) const
    {
        RECT window;
        GetWindowRect(control, &window);
        const SCROLLBARINFO bar = Bar(OBJID_VSCROLL);
        const int left = bar.rcScrollBar.left - window.left;
        const int top = bar.rcScrollBar.top - window.top;
        const int bottom = bar.rcScrollBar.bottom - window.top;
        const int arrow = GetSystemMetrics(SM_CXVSCROLL);
        // The thumb is drawn two pixels in across the bar and one along it.
        switch (spot) {
        case UP_ARROW_CORNER:
            return {left, top};
        case DOWN_ARROW_CORNER:
            return {left, bottom - arrow};
        case CHANNEL:
            return {left + 1, top + arrow + 1};
        case THUMB_CORNER:
            return {left + 2, top + bar.xyThumbTop + 1};
        case THUMB_FACE:
            return {left + 3, top + bar.xyThumbTop + 2};
        default:
            return {left, bottom};
        }
    }
};

TEST_F(FrameBarsLookTest, PartsInTheFace)
{
    struct LookCase {
        const char *name;
        const BarHost &host;
        void (*change)(HWND control);  // what happens to the control first, or null
        Spot spot;
        COLORREF expected;
    };
    const Face &f = DistinctFace;
    const LookCase cases[] = {
        {"up arrow", ListBox, nullptr, UP_ARROW_CORNER, f.scrollCorners[SET_NORMAL][0]},
        {"down arrow", ListBox, nullptr, DOWN_ARROW_CORNER, f.scrollCorners[SET_NORMAL][0]},
        {"channel inside its rim", ListBox, nullptr, CHANNEL, f.verticalTrack[SET_NORMAL][0]},
        {"thumb rests hot", ListBox, nullptr, THUMB_CORNER, f.scrollCorners[SET_HOT][0]},
        {"thumb face", ListBox, nullptr, THUMB_FACE, f.scrollInner[SET_HOT][0]},
        // The list box sets its scroll information itself, and the system
        // draws its own bar at once.
        {"arrow after the list grew", ListBox, AddItem, UP_ARROW_CORNER, f.scrollCorners[SET_NORMAL][0]},
        {"moved thumb after the list grew", ListBox, AddItem, THUMB_CORNER, f.scrollCorners[SET_HOT][0]},
        {"disabled arrow", ListBox, Disable, UP_ARROW_CORNER, f.scrollCorners[SET_DISABLED][0]},
        {"disabled channel", ListBox, Disable, CHANNEL, f.verticalTrack[SET_DISABLED][0]},
        {"edit's up arrow", MultiLineEdit, nullptr, UP_ARROW_CORNER, f.scrollCorners[SET_NORMAL][0]},
        {"edit's thumb", MultiLineEdit, nullptr, THUMB_CORNER, f.scrollCorners[SET_HOT][0]},
        {"edit's size box", MultiLineEdit, nullptr, SIZE_BOX, f.verticalTrack[SET_NORMAL][0]},
        {"disabled edit's arrow", MultiLineEdit, Disable, DOWN_ARROW_CORNER, f.scrollCorners[SET_DISABLED][0]},
        {"list view's up arrow", ListView, nullptr, UP_ARROW_CORNER, f.scrollCorners[SET_NORMAL][0]},
        {"list view's thumb", ListView, nullptr, THUMB_CORNER, f.scrollCorners[SET_HOT][0]},
        {"tree view's down arrow", TreeView, nullptr, DOWN_ARROW_CORNER, f.scrollCorners[SET_NORMAL][0]},
        {"tree view's channel", TreeView, nullptr, CHANNEL, f.verticalTrack[SET_NORMAL][0]},
    };
    for (const LookCase &c : cases) {
        SCOPED_TRACE(c.name);
        Make(c.host, true);
        if (c.change != nullptr)
            c.change(control);
        const POINT at = Where(c.spot);
        EXPECT_TRUE(PixelIs(control, at.x, at.y, c.expected));
    }
}

}  // namespace

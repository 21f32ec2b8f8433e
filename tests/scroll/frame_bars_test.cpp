// The scroll bars of windows that have their own: the look in the face, and
// presses that scroll exactly as on the standard control.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/skin.h"
#include "support/harness.h"
#include "support/records.h"

namespace {

// A control made with enough content for its vertical bar to show.
struct BarHost {
    const char *name;
    const char *className;
    DWORD style;
    UINT addItem;   // sent 60 times, with a line of text, an LVITEM or a TVINSERTSTRUCT
    UINT topQuery;  // answers the top line
};

const BarHost ListBox = {"list box", "ListBox", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, LB_ADDSTRING, LB_GETTOPINDEX};
const BarHost MultiLineEdit = {"multi-line edit", "Edit", WS_VSCROLL | WS_HSCROLL | ES_MULTILINE, EM_REPLACESEL,
                               EM_GETFIRSTVISIBLELINE};
const BarHost ListView = {"list view", WC_LISTVIEWA, LVS_ICON, LVM_INSERTITEMA, 0};
const BarHost TreeView = {"tree view", WC_TREEVIEWA, 0, TVM_INSERTITEMA, 0};

// Every scroll colour set in a uniform colour of its own, so that a pixel
// names the part and the state that drew it.
Face MakeDistinctFace()
{
    Face face = BuiltInFace;
    for (int set = SET_DISABLED; set <= SET_NORMAL; ++set) {
        for (int corner = 0; corner < 4; ++corner) {
            face.scrollCorners[set][corner] = RGB(0x40 + set, 0x50, 0x60);
            face.scrollInner[set][corner] = RGB(0x70 + set, 0x80, 0x90);
            face.verticalTrack[set][corner] = RGB(0xA0 + set, 0xB0, 0xC0);
        }
    }
    return face;
}
const Face DistinctFace = MakeDistinctFace();

class FrameBarsTest : public InDialogTest {
protected:
    HWND control = nullptr;
    MessageLog log;
    const Face *previousFace = currentFace;

    void SetUp() override
    {
        currentFace = &DistinctFace;
        InDialogTest::SetUp();
    }

    void TearDown() override
    {
        InDialogTest::TearDown();
        currentFace = previousFace;
    }

    void Make(const BarHost &host, bool skinned)
    {
        DestroyWindow(control);
        control = CreateWindowExA(WS_EX_CLIENTEDGE, host.className, "", host.style | WS_CHILD | WS_VISIBLE, 10, 10,
                                  200, 160, dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
        StartLogging(control, &log);
        if (skinned)
            AttachWindow(control);
        char line[] = "a line of text wider than the control\r\n";
        LVITEMA item = {LVIF_TEXT, 0, 0, 0, 0, line};
        TVINSERTSTRUCTA node = {TVI_ROOT, TVI_LAST, {{TVIF_TEXT, nullptr, 0, 0, line}}};
        const void *content = host.addItem == LVM_INSERTITEMA   ? static_cast<const void *>(&item)
                              : host.addItem == TVM_INSERTITEMA ? static_cast<const void *>(&node)
                                                                : line;
        for (item.iItem = 0; item.iItem < 60; ++item.iItem)
            SendMessageA(control, host.addItem, 0, reinterpret_cast<LPARAM>(content));
        PumpMessages();
    }

    SCROLLBARINFO Bar(LONG object) const
    {
        SCROLLBARINFO info = {sizeof info};
        GetScrollBarInfo(control, object, &info);
        return info;
    }

    // A press `along` pixels down the vertical bar; moves down by `moves`
    // and the release wait in the queue. Returns the WM_VSCROLL it got.
    std::string Press(int along, const std::vector<int> &moves)
    {
        const SCROLLBARINFO bar = Bar(OBJID_VSCROLL);
        const POINT screen = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2, bar.rcScrollBar.top + along};
        POINT client = screen;
        ScreenToClient(control, &client);
        for (int dy : moves)
            PostMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y + dy));
        PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y + (moves.empty() ? 0 : moves.back())));
        log.Clear();
        SendMessageA(control, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(screen.x, screen.y));
        PumpMessages();
        std::string seen;
        for (const LoggedMessage &m : log.messages)
            seen += m.msg != WM_VSCROLL ? ""
                                        : std::to_string(LOWORD(m.wParam)) + " " + std::to_string(HIWORD(m.wParam)) + ", ";
        return seen;
    }
};

// Each step, skinned and plain: the WM_VSCROLL the control gets, in order,
// and its top line afterwards.
TEST_F(FrameBarsTest, PressesScrollAsOnTheStandardControl)
{
    struct Step {
        const char *name;
        bool onThumb;  // at the thumb's middle, else `along` from the top (negative: from the bottom)
        int along;
        std::vector<int> moves;
    };
    const Step steps[] = {
        {"down arrow", false, -5, {}},
        {"page below the thumb", false, -30, {}},
        {"thumb dragged down and back", true, 0, {20, 45, 30}},
        {"thumb dragged far below the bar", true, 0, {400}},
    };
    for (const BarHost *host : {&ListBox, &MultiLineEdit}) {
        std::vector<std::string> seen[2];
        for (int skinned = 0; skinned < 2; ++skinned) {
            Make(*host, skinned != 0);
            ASSERT_EQ(RecordsFor(control), skinned);
            for (const Step &step : steps) {
                const SCROLLBARINFO bar = Bar(OBJID_VSCROLL);
                const int length = bar.rcScrollBar.bottom - bar.rcScrollBar.top;
                const int along = step.onThumb ? (bar.xyThumbTop + bar.xyThumbBottom) / 2
                                  : step.along < 0 ? length + step.along : step.along;
                const std::string notes = Press(along, step.moves);
                seen[skinned].push_back(notes + "top " + std::to_string(SendMessageA(control, host->topQuery, 0, 0)));
            }
        }
        for (size_t i = 0; i < seen[0].size(); ++i) {
            EXPECT_NE(seen[0][i].find(','), std::string::npos) << host->name << ", " << steps[i].name;
            EXPECT_EQ(seen[1][i], seen[0][i]) << host->name << ", " << steps[i].name;
        }
    }
}

// Named points of the vertical bar, found from the system's layout of it.
enum Spot { UP_ARROW_CORNER, DOWN_ARROW_CORNER, CHANNEL, THUMB_CORNER, THUMB_FACE, SIZE_BOX };

TEST_F(FrameBarsTest, PartsInTheFace)
{
    struct LookCase {
        const char *name;
        const BarHost &host;
        void (*change)(HWND control);  // what happens to the control first, or null
        Spot spot;
        COLORREF expected;
    };
    const Face &f = DistinctFace;
    const auto scroll = +[](HWND control) { SendMessageA(control, LB_SETTOPINDEX, 20, 0); };
    const auto disable = +[](HWND control) { EnableWindow(control, FALSE); };
    const auto hover = +[](HWND control) {
        SCROLLBARINFO bar = {sizeof bar};
        GetScrollBarInfo(control, OBJID_VSCROLL, &bar);
        SendMessageA(control, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(bar.rcScrollBar.left + 5, bar.rcScrollBar.top + 5));
    };
    const LookCase cases[] = {
        {"up arrow", ListBox, nullptr, UP_ARROW_CORNER, f.scrollCorners[SET_NORMAL][0]},
        {"channel inside its rim", ListBox, nullptr, CHANNEL, f.verticalTrack[SET_NORMAL][0]},
        {"thumb rests hot", ListBox, nullptr, THUMB_CORNER, f.scrollCorners[SET_HOT][0]},
        {"thumb face", ListBox, nullptr, THUMB_FACE, f.scrollInner[SET_HOT][0]},
        // The list box sets its scroll information itself, and the system
        // draws its own bar at once.
        {"moved thumb after a scroll", ListBox, scroll, THUMB_CORNER, f.scrollCorners[SET_HOT][0]},
        {"arrow under the pointer", ListBox, hover, UP_ARROW_CORNER, f.scrollCorners[SET_HOT][0]},
        {"disabled arrow", ListBox, disable, UP_ARROW_CORNER, f.scrollCorners[SET_DISABLED][0]},
        {"disabled channel", ListBox, disable, CHANNEL, f.verticalTrack[SET_DISABLED][0]},
        {"edit's size box", MultiLineEdit, nullptr, SIZE_BOX, f.verticalTrack[SET_NORMAL][0]},
        {"disabled edit's arrow", MultiLineEdit, disable, DOWN_ARROW_CORNER, f.scrollCorners[SET_DISABLED][0]},
        // List views and tree views set their bars as they paint.
        {"list view's up arrow", ListView, nullptr, UP_ARROW_CORNER, f.scrollCorners[SET_NORMAL][0]},
        {"tree view's down arrow", TreeView, nullptr, DOWN_ARROW_CORNER, f.scrollCorners[SET_NORMAL][0]},
        {"tree view's channel", TreeView, nullptr, CHANNEL, f.verticalTrack[SET_NORMAL][0]},
    };
    for (const LookCase &c : cases) {
        Make(c.host, true);
        if (c.change != nullptr)
            c.change(control);
        RECT window;
        GetWindowRect(control, &window);
        const SCROLLBARINFO bar = Bar(OBJID_VSCROLL);
        const int left = bar.rcScrollBar.left - window.left;
        const int top = bar.rcScrollBar.top - window.top;
        const int bottom = bar.rcScrollBar.bottom - window.top;
        const int arrow = GetSystemMetrics(SM_CXVSCROLL);
        // The thumb is drawn two pixels in across the bar and one along it.
        const POINT at[] = {{left, top}, {left, bottom - arrow}, {left + 1, top + arrow + 1},
                            {left + 2, top + bar.xyThumbTop + 1}, {left + 3, top + bar.xyThumbTop + 2},
                            {left, bottom}};
        EXPECT_TRUE(PixelIs(control, at[c.spot].x, at[c.spot].y, c.expected)) << c.name;
    }
}

}  // namespace

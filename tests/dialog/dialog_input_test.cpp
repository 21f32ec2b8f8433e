// Caption buttons under the mouse: hot tracking, presses and releases
// through non-client and captured client messages, the commands they send,
// and the caption drag.
#include <windows.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "core/skin.h"
#include "dialog_testing.h"

namespace {

const DWORD AllBoxes = TestDialogStyle | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

struct States {
    int close;
    int min;
    int max;
};

States StatesOf(HWND dialog)
{
    const CaptionButtonState *buttons = ButtonsOf(dialog);
    return {buttons->closeState, buttons->minState, buttons->maxState};
}

COLORREF GroupTop(int state)
{
    return state == CBST_PRESSED ? PressedGroupTop : state == CBST_HOT ? HotGroupTop : NormalGroupTop;
}

// A screen point as a client-area mouse message carries it.
LPARAM ClientParam(HWND dialog, POINT screen)
{
    ScreenToClient(dialog, &screen);
    return MAKELPARAM(screen.x, screen.y);
}

class CaptionInputTest : public DialogTest {
protected:
    HWND dialog = nullptr;
    POINT closePoint = {};
    POINT minPoint = {};
    POINT maxPoint = {};
    POINT captionPoint = {};

    void OpenWithHitPoints(DWORD style = AllBoxes)
    {
        // Keep the real pointer away, so that only the messages sent here move the buttons.
        SetCursorPos(0, 0);
        dialog = Open(style, 300, 200, "Input");
        SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
        closePoint = FindHitPoint(dialog, HTCLOSE);
        minPoint = FindHitPoint(dialog, HTMINBUTTON);
        maxPoint = FindHitPoint(dialog, HTMAXBUTTON);
        captionPoint = FindHitPoint(dialog, HTCAPTION);
    }
};

TEST_F(CaptionInputTest, HotTrackingFollowsTheSystemsHitTest)
{
    OpenWithHitPoints();
    struct Step {
        const char *name;
        UINT msg;
        WPARAM hitTest;
        States after;
        bool repaints;
    };
    const Step steps[] = {
        {"onto close", WM_NCMOUSEMOVE, HTCLOSE, {CBST_HOT, CBST_NORMAL, CBST_NORMAL}, true},
        {"still on close", WM_NCMOUSEMOVE, HTCLOSE, {CBST_HOT, CBST_NORMAL, CBST_NORMAL}, false},
        {"onto minimise", WM_NCMOUSEMOVE, HTMINBUTTON, {CBST_NORMAL, CBST_HOT, CBST_NORMAL}, true},
        {"onto maximise", WM_NCMOUSEMOVE, HTMAXBUTTON, {CBST_NORMAL, CBST_NORMAL, CBST_HOT}, true},
        {"onto the caption", WM_NCMOUSEMOVE, HTCAPTION, {CBST_NORMAL, CBST_NORMAL, CBST_NORMAL}, true},
        {"along the caption", WM_NCMOUSEMOVE, HTCAPTION, {CBST_NORMAL, CBST_NORMAL, CBST_NORMAL}, false},
        {"back onto close", WM_NCMOUSEMOVE, HTCLOSE, {CBST_HOT, CBST_NORMAL, CBST_NORMAL}, true},
        {"into the client area", WM_MOUSEMOVE, 0, {CBST_NORMAL, CBST_NORMAL, CBST_NORMAL}, true},
        {"within the client area", WM_MOUSEMOVE, 0, {CBST_NORMAL, CBST_NORMAL, CBST_NORMAL}, false},
    };
    const DialogGeometry g = GeometryOf(dialog);
    const COLORREF red = RGB(255, 0, 0);
    host.Clear();
    for (const Step &step : steps) {
        FillWindow(dialog, red);
        EXPECT_EQ(SendMessageA(dialog, step.msg, step.hitTest, step.msg == WM_MOUSEMOVE ? MAKELPARAM(20, 20) : 0), 0)
            << step.name;
        const States s = StatesOf(dialog);
        EXPECT_EQ(s.close, step.after.close) << step.name;
        EXPECT_EQ(s.min, step.after.min) << step.name;
        EXPECT_EQ(s.max, step.after.max) << step.name;
        if (step.repaints) {
            EXPECT_TRUE(PixelIs(dialog, g.closeFace.left, g.closeFace.top, GroupTop(s.close))) << step.name;
            EXPECT_TRUE(PixelIs(dialog, g.minFace.left, g.minFace.top, GroupTop(s.min))) << step.name;
            EXPECT_TRUE(PixelIs(dialog, g.maxFace.left, g.maxFace.top, GroupTop(s.max))) << step.name;
            EXPECT_TRUE(PixelIs(dialog, g.band.left + 1, g.band.top + 1, red)) << step.name << ": buttons only";
        } else {
            EXPECT_TRUE(PixelIs(dialog, g.closeFace.left, g.closeFace.top, red)) << step.name << ": no repaint";
        }
    }
    EXPECT_EQ(host.Count(WM_NCMOUSEMOVE), 0) << "never passed on";
    EXPECT_EQ(host.Count(WM_MOUSEMOVE), 2) << "client moves are passed on";
}

// One mouse event of a click sequence.
enum ActionKind { NC_DOWN, NC_MOVE, NC_UP, MOVE, UP };

struct Action {
    ActionKind kind;
    POINT at;         // screen point, for the client messages and as lParam
    WPARAM hitTest;   // for the non-client messages
    int closeState;   // the close button's state afterwards, or -1 to skip
};

struct ClickCase {
    std::string name;
    std::vector<Action> actions;
    int closes;             // WM_CLOSE messages the host receives
    WPARAM sysCommand;      // the one WM_SYSCOMMAND expected, or 0 for none
    bool zoomedFirst;
};

LRESULT Perform(HWND dialog, const Action &a)
{
    const LPARAM screen = MAKELPARAM(a.at.x, a.at.y);
    switch (a.kind) {
    case NC_DOWN:
        return SendMessageA(dialog, WM_NCLBUTTONDOWN, a.hitTest, screen);
    case NC_MOVE:
        return SendMessageA(dialog, WM_NCMOUSEMOVE, a.hitTest, screen);
    case NC_UP:
        return SendMessageA(dialog, WM_NCLBUTTONUP, a.hitTest, screen);
    case MOVE:
        return SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, ClientParam(dialog, a.at));
    case UP:
        return SendMessageA(dialog, WM_LBUTTONUP, 0, ClientParam(dialog, a.at));
    }
    return 0;
}

TEST_F(CaptionInputTest, ClicksSendTheirCommandOnlyWhenReleasedOnTheSameButton)
{
    OpenWithHitPoints();
    ASSERT_NE(closePoint.x, -1);
    ASSERT_NE(minPoint.x, -1);
    ASSERT_NE(maxPoint.x, -1);
    ASSERT_NE(captionPoint.x, -1);
    RECT window;
    GetWindowRect(dialog, &window);
    const POINT outside = {window.right + 150, window.bottom + 150};
    const int N = CBST_NORMAL;
    const int P = CBST_PRESSED;

    const ClickCase cases[] = {
        {"close, released on close", {{NC_DOWN, closePoint, HTCLOSE, P}, {NC_UP, closePoint, HTCLOSE, N}}, 1, 0, false},
        {"close, off and back, released on close (captured client messages)",
         {{NC_DOWN, closePoint, HTCLOSE, P},
          {MOVE, captionPoint, 0, N},
          {MOVE, closePoint, 0, P},
          {UP, closePoint, 0, N}},
         1, 0, false},
        {"close, released on minimise", {{NC_DOWN, closePoint, HTCLOSE, P}, {NC_UP, minPoint, HTMINBUTTON, N}}, 0, 0,
         false},
        {"close, moved and released on minimise (captured)",
         {{NC_DOWN, closePoint, HTCLOSE, P}, {MOVE, minPoint, 0, N}, {UP, minPoint, 0, N}}, 0, 0, false},
        {"close, released outside the dialog", {{NC_DOWN, closePoint, HTCLOSE, P}, {UP, outside, 0, N}}, 0, 0, false},
        {"minimise", {{NC_DOWN, minPoint, HTMINBUTTON, N}, {NC_UP, minPoint, HTMINBUTTON, N}}, 0, SC_MINIMIZE, false},
        {"minimise (captured)", {{NC_DOWN, minPoint, HTMINBUTTON, N}, {UP, minPoint, 0, N}}, 0, SC_MINIMIZE, false},
        {"maximise", {{NC_DOWN, maxPoint, HTMAXBUTTON, N}, {NC_UP, maxPoint, HTMAXBUTTON, N}}, 0, SC_MAXIMIZE, false},
        {"maximise (captured)", {{NC_DOWN, maxPoint, HTMAXBUTTON, N}, {UP, maxPoint, 0, N}}, 0, SC_MAXIMIZE, false},
    };
    for (const ClickCase &c : cases) {
        host.Clear();
        for (size_t i = 0; i < c.actions.size(); ++i) {
            const Action &a = c.actions[i];
            const std::string step = c.name + ", step " + std::to_string(i + 1);
            EXPECT_EQ(Perform(dialog, a), 0) << step;
            ASSERT_TRUE(IsWindow(dialog)) << step;
            if (a.kind == NC_DOWN) {
                EXPECT_EQ(GetCapture(), dialog) << step;
                EXPECT_EQ(ButtonsOf(dialog)->pressActive, 1) << step;
            }
            if (a.closeState >= 0)
                EXPECT_EQ(StatesOf(dialog).close, a.closeState) << step;
        }
        EXPECT_EQ(GetCapture(), nullptr) << c.name << ": the capture is released";
        EXPECT_EQ(ButtonsOf(dialog)->pressActive, 0) << c.name;
        const States s = StatesOf(dialog);
        EXPECT_TRUE(s.close == N && s.min == N && s.max == N) << c.name << ": every button back to normal";
        // Presses never reach the host.
        std::vector<ExpectedMessage> reaching;
        if (c.closes)
            reaching.push_back({WM_CLOSE});
        if (c.sysCommand != 0)
            reaching.push_back({WM_SYSCOMMAND, SEQ_WPARAM, c.sysCommand});
        ExpectSequence(host.seen, reaching, c.name.c_str(), {WM_CLOSE, WM_SYSCOMMAND, WM_NCLBUTTONDOWN});
    }
}

TEST_F(CaptionInputTest, CapturedPointsReachTheHitTestAsScreenPoints)
{
    OpenWithHitPoints();
    ASSERT_NE(closePoint.x, -1);
    SendMessageA(dialog, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(closePoint.x, closePoint.y));
    host.Clear();
    // Above the client area: a negative client y.
    SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, ClientParam(dialog, closePoint));
    // Captured moves are not passed on.
    ExpectSequence(host.seen, {{WM_NCHITTEST}}, "captured move", {WM_MOUSEMOVE});
    for (const LoggedMessage &m : host.seen) {
        if (m.msg != WM_NCHITTEST)
            continue;
        EXPECT_EQ(GET_X_LPARAM(m.lParam), closePoint.x);
        EXPECT_EQ(GET_Y_LPARAM(m.lParam), closePoint.y);
    }

    // A release far outside passes the non-client release on with the
    // system's hit-test code there.
    host.Clear();
    SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(-400, -300));
    ExpectSequence(host.seen, {{WM_NCLBUTTONUP, SEQ_WPARAM, HTNOWHERE}}, "release far outside", {WM_LBUTTONUP});
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CaptionInputTest, MaximisedDialogIsRestored)
{
    OpenWithHitPoints();
    ShowWindow(dialog, SW_MAXIMIZE);
    PumpMessages();
    ASSERT_TRUE(IsZoomed(dialog));
    host.Clear();
    SendMessageA(dialog, WM_NCLBUTTONDOWN, HTMAXBUTTON, 0);
    SendMessageA(dialog, WM_NCLBUTTONUP, HTMAXBUTTON, 0);
    EXPECT_EQ(host.Count(WM_SYSCOMMAND, SC_RESTORE), 1);
    EXPECT_EQ(host.Count(WM_SYSCOMMAND, SC_MAXIMIZE), 0);
}

TEST_F(CaptionInputTest, MinimiseBoxOnlyStillMaximisesWhereTheHitTestSaysSo)
{
    OpenWithHitPoints(TestDialogStyle | WS_MINIMIZEBOX);
    const DialogGeometry g = GeometryOf(dialog);
    host.Clear();
    SendMessageA(dialog, WM_NCMOUSEMOVE, HTMAXBUTTON, 0);
    EXPECT_EQ(StatesOf(dialog).max, CBST_HOT);
    EXPECT_TRUE(PixelIs(dialog, g.maxFace.left, g.maxFace.top, UnofferedGroupTop)) << "drawn unoffered whatever its state";
    SendMessageA(dialog, WM_NCLBUTTONDOWN, HTMAXBUTTON, 0);
    EXPECT_TRUE(PixelIs(dialog, g.maxFace.left, g.maxFace.top, UnofferedGroupTop));
    SendMessageA(dialog, WM_NCLBUTTONUP, HTMAXBUTTON, 0);
    EXPECT_EQ(host.Count(WM_SYSCOMMAND, SC_MAXIMIZE), 1);

    // The minimise button follows its state.
    SendMessageA(dialog, WM_NCMOUSEMOVE, HTMINBUTTON, 0);
    EXPECT_TRUE(PixelIs(dialog, g.minFace.left, g.minFace.top, HotGroupTop));
    // Where the system reports the maximise box of this style, a captured
    // release there carries the click out as well.
    if (maxPoint.x != -1) {
        host.Clear();
        SendMessageA(dialog, WM_NCLBUTTONDOWN, HTMAXBUTTON, MAKELPARAM(maxPoint.x, maxPoint.y));
        SendMessageA(dialog, WM_LBUTTONUP, 0, ClientParam(dialog, maxPoint));
        EXPECT_EQ(host.Count(WM_SYSCOMMAND, SC_MAXIMIZE), 1);
    }
}

TEST_F(CaptionInputTest, HostMayDestroyTheDialogInsideTheCommand)
{
    struct DestroyCase {
        const char *name;
        WPARAM hitTest;
        UINT destroyOn;
        bool captured;
    };
    const DestroyCase cases[] = {
        {"close", HTCLOSE, WM_CLOSE, false},
        {"close, captured release", HTCLOSE, WM_CLOSE, true},
        {"minimise", HTMINBUTTON, WM_SYSCOMMAND, false},
        {"maximise, captured release", HTMAXBUTTON, WM_SYSCOMMAND, true},
        {"lost capture", HTCLOSE, WM_CAPTURECHANGED, false},
    };
    for (const DestroyCase &c : cases) {
        OpenWithHitPoints();
        const POINT at = FindHitPoint(dialog, static_cast<LRESULT>(c.hitTest));
        ASSERT_NE(at.x, -1) << c.name;
        SendMessageA(dialog, WM_NCLBUTTONDOWN, c.hitTest, MAKELPARAM(at.x, at.y));
        host.destroyOn = c.destroyOn;
        {
            FreedBlockWatch watch;
            if (c.captured)
                SendMessageA(dialog, WM_LBUTTONUP, 0, ClientParam(dialog, at));
            else
                SendMessageA(dialog, WM_NCLBUTTONUP, c.hitTest, MAKELPARAM(at.x, at.y));
            EXPECT_FALSE(IsWindow(dialog)) << c.name;
            // The record, its block, and the thread's index, empty once the
            // dialog was the thread's only skinned window.
            EXPECT_EQ(watch.FreedCount(), 3) << c.name << ": the record, its block and the thread's index";
            EXPECT_TRUE(watch.Untouched()) << c.name << ": the freed record was written to";
        }
        EXPECT_EQ(RecordsFor(dialog), 0) << c.name;
    }
}

// The filter code of the system's move and size loop; MinGW's headers lack it.
const int MoveLoopFilterCode = 4;

// Style bits as the system's move loop saw them. A thread timer wakes the
// loop; once it has looked, a release ends it as the mouse would.
std::vector<LONG> stylesDuringMove;
HWND movingDialog = nullptr;

LRESULT CALLBACK MoveLoopFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MoveLoopFilterCode && movingDialog != nullptr) {
        stylesDuringMove.push_back(GetWindowLongA(movingDialog, GWL_STYLE));
        PostMessageA(movingDialog, WM_LBUTTONUP, 0, 0);
        movingDialog = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(CaptionInputTest, CaptionDragRunsWithTheCaptionBitsOffAndRestoresThem)
{
    struct DragCase {
        const char *name;
        DWORD style;
        LONG captionAfter;
    };
    const DragCase cases[] = {
        {"captioned dialog", AllBoxes, WS_CAPTION},
        // A host that answers HTCAPTION over the client area lets such a
        // dialog be dragged; it must not come out with a caption.
        {"captionless dialog", WS_POPUP | WS_VISIBLE | WS_DLGFRAME | WS_SYSMENU, WS_DLGFRAME},
    };
    HHOOK filter = SetWindowsHookExA(WH_MSGFILTER, MoveLoopFilter, nullptr, GetCurrentThreadId());
    for (const DragCase &c : cases) {
        OpenWithHitPoints(c.style);
        host.passSysCommand = true;
        RECT window;
        GetWindowRect(dialog, &window);
        host.Clear();
        stylesDuringMove.clear();
        movingDialog = dialog;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
        SendMessageA(dialog, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(window.left + 40, window.top + 10));
        KillTimer(nullptr, timer);
        movingDialog = nullptr;
        ASSERT_EQ(stylesDuringMove.size(), 1u) << c.name << ": the system's move loop ran";
        EXPECT_EQ(stylesDuringMove[0] & WS_CAPTION, 0) << c.name;
        EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & WS_CAPTION, c.captionAfter) << c.name;
        EXPECT_EQ(host.Count(WM_NCLBUTTONDOWN), 0) << c.name;
        EXPECT_EQ(host.Count(WM_SYSCOMMAND, SC_MOVE | HTCAPTION), 1) << c.name << ": the move itself";
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
    }
    UnhookWindowsHookEx(filter);
}

}  // namespace

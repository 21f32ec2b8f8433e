// Skinned scroll-bar controls under Wine: layout, pixels, input and the
// notifications their parent receives.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/skin.h"
#include "scroll/scroll.h"
#include "support/harness.h"
#include "support/records.h"
#include "support/window_pixels.h"
#include "scroll_colours.h"

namespace {

const COLORREF VerticalTrackTopLeft = BuiltInFace.verticalTrack[SET_NORMAL][0];
const COLORREF ChannelRim = 0x00FFFFFF;
const COLORREF Sentinel = 0x00123456;

std::string Describe(const RECT &r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

#define EXPECT_RECT(actual, l, t, r, b) EXPECT_EQ(Describe(actual), Describe(RECT{l, t, r, b}))

// The parent and the bar share one log, so the order across both windows is
// kept; the bar's logger sits below the library and sees what the standard
// control sees.
class ScrollBarTest : public InDialogTest {
protected:
    HWND bar = nullptr;
    MessageLog log;

    void SetUp() override
    {
        InDialogTest::SetUp();
        StartLogging(dialog, &log);
    }

    SkinnedWindow *MakeBar(DWORD style, int width, int height, int nMin, int nMax, int nPos)
    {
        bar = CreateChild(dialog, "ScrollBar", style, 10, 10, width, height);
        SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS, nMin, nMax, 0, nPos, 0};
        SetScrollInfo(bar, SB_CTL, &info, FALSE);
        StartLogging(bar, &log);
        SkinnedWindow *rec = AttachWindow(bar);
        PumpMessages();
        log.Clear();
        return rec;
    }

    ScrollBarState *State() { return static_cast<ScrollBarState *>(FindSkinnedWindow(bar)->extraState); }

    void Send(UINT msg, int x, int y) { SendMessageA(bar, msg, msg == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, y)); }

    // The notifications the parent got, as "code position" words.
    std::vector<std::pair<int, int>> Notifications(UINT msg) const
    {
        std::vector<std::pair<int, int>> seen;
        for (const LoggedMessage &m : log.messages) {
            if (m.hwnd == dialog && m.msg == msg) {
                EXPECT_EQ(m.lParam, reinterpret_cast<LPARAM>(bar)) << "the bar names itself";
                seen.push_back({LOWORD(m.wParam), HIWORD(m.wParam)});
            }
        }
        return seen;
    }

    int ReachedControl(UINT msg) const
    {
        int count = 0;
        for (const LoggedMessage &m : log.messages)
            count += m.hwnd == bar && m.msg == msg;
        return count;
    }
};

using Notes = std::vector<std::pair<int, int>>;

// ---- Layout and painting ----

TEST_F(ScrollBarTest, VerticalLayoutAndLook)
{
    MakeBar(SBS_VERT, 17, 200, 0, 100, 50);
    ScrollBarState *s = State();
    EXPECT_RECT(s->upArrowRect, 0, 0, 17, 17);
    EXPECT_RECT(s->downArrowRect, 0, 183, 17, 200);
    EXPECT_RECT(s->channelRect, 0, 17, 17, 183);
    EXPECT_RECT(s->thumbRect, 2, 86, 15, 114);

    EXPECT_EQ(ReadWindowPixel(bar, 0, 0), NormalCorner) << "up arrow body";
    EXPECT_EQ(ReadWindowPixel(bar, 8, 5), GlyphPen) << "up chevron tip";
    EXPECT_EQ(ReadWindowPixel(bar, 8, 193), GlyphPen) << "down chevron tip";
    EXPECT_EQ(ReadWindowPixel(bar, 0, 17), ChannelRim) << "channel rim";
    EXPECT_EQ(ReadWindowPixel(bar, 1, 18), VerticalTrackTopLeft) << "channel inside its rim";
    EXPECT_EQ(ReadWindowPixel(bar, 2, 86), HotCorner) << "thumb rests hot";
    EXPECT_EQ(ReadWindowPixel(bar, 5, 96), GripperLight) << "gripper";
}

TEST_F(ScrollBarTest, DraggingPlacesTheThumbByDragPosAndErasesTheOldOne)
{
    SkinnedWindow *rec = MakeBar(SBS_VERT, 17, 200, 0, 100, 50);
    ScrollBarState *s = State();
    s->dragging = 1;
    s->dragPos = 100;
    RepaintPartNow(rec, SBP_THUMB);
    EXPECT_RECT(s->thumbRect, 2, 154, 15, 182);
    EXPECT_EQ(ReadWindowPixel(bar, 2, 86), VerticalTrackTopLeft) << "old thumb erased with the channel";
    EXPECT_EQ(ReadWindowPixel(bar, 2, 154), HotCorner);
    s->dragging = 0;
}

TEST_F(ScrollBarTest, GeometryExamples)
{
    struct LayoutCase {
        const char *name;
        DWORD style;
        int width, height;
        RECT first, second, channel, thumb;
    };
    const LayoutCase cases[] = {
        {"horizontal 300 by 17", SBS_HORZ, 300, 17, {0, 0, 17, 17}, {283, 0, 300, 17}, {17, 0, 283, 17},
         {136, 3, 164, 14}},
        // A 26-pixel channel gets a 13-pixel thumb; 6.5 truncates to 6.
        {"26-pixel channel", SBS_VERT, 17, 60, {0, 0, 17, 17}, {0, 43, 17, 60}, {0, 17, 17, 43}, {2, 24, 15, 35}},
        // An empty channel still gets a 3-pixel thumb, 1 after its inset.
        {"horizontal 34 by 17", SBS_HORZ, 34, 17, {0, 0, 17, 17}, {17, 0, 34, 17}, {17, 0, 17, 17},
         {18, 3, 19, 14}},
    };
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(c.name);
        MakeBar(c.style, c.width, c.height, 0, 100, 50);
        ScrollBarState *s = State();
        const bool vertical = c.style & SBS_VERT;
        EXPECT_RECT(vertical ? s->upArrowRect : s->leftArrowRect, c.first.left, c.first.top, c.first.right,
                    c.first.bottom);
        EXPECT_RECT(vertical ? s->downArrowRect : s->rightArrowRect, c.second.left, c.second.top, c.second.right,
                    c.second.bottom);
        EXPECT_RECT(s->channelRect, c.channel.left, c.channel.top, c.channel.right, c.channel.bottom);
        EXPECT_RECT(s->thumbRect, c.thumb.left, c.thumb.top, c.thumb.right, c.thumb.bottom);
        DestroyWindow(bar);
    }
}

TEST_F(ScrollBarTest, ShortVerticalBarHasTrianglesAndNoThumb)
{
    MakeBar(SBS_VERT, 17, 30, 0, 100, 50);
    ScrollBarState *s = State();
    EXPECT_RECT(s->downArrowRect, 0, 13, 17, 30);
    EXPECT_RECT(s->channelRect, 0, 17, 17, 13);
    // Triangle tips: one pixel nearer the centre than a chevron's.
    EXPECT_EQ(ReadWindowPixel(bar, 8, 6), GlyphPen) << "up triangle";
    EXPECT_NE(ReadWindowPixel(bar, 8, 5), GlyphPen) << "no up chevron";
    EXPECT_EQ(ReadWindowPixel(bar, 8, 23), GlyphPen) << "down triangle";
    EXPECT_FALSE(Shows(bar, GripperLight)) << "no thumb";
}

// A new control's range is empty until the host sets one; the standard
// control still shows its arrows and channel.
TEST_F(ScrollBarTest, EmptyRangeDrawsArrowsAndChannelWithoutAThumb)
{
    MakeBar(SBS_VERT, 17, 200, 5, 5, 5);
    FillWindow(bar, Sentinel);
    InvalidateRect(bar, nullptr, TRUE);
    UpdateWindow(bar);
    EXPECT_EQ(ReadWindowPixel(bar, 0, 0), NormalCorner) << "up arrow";
    EXPECT_EQ(ReadWindowPixel(bar, 8, 193), GlyphPen) << "down chevron";
    EXPECT_EQ(ReadWindowPixel(bar, 1, 18), VerticalTrackTopLeft) << "channel";
    EXPECT_TRUE(IsRectEmpty(&State()->thumbRect));
    EXPECT_FALSE(Shows(bar, GripperLight)) << "no thumb";
}

// ---- Input ----

TEST_F(ScrollBarTest, ThumbDragTracksAndReleases)
{
    struct DragCase {
        const char *name;
        int nMin, nMax;
        int toY;
        int tracked;
        int thumbTop;  // placed by the tracked position
    };
    const DragCase cases[] = {
        {"to 71", 0, 100, 120, 71, 114},  // offset 99 over a travel of 138
        {"shifted range", 10, 110, 120, 81, 114},
        {"far above", 0, 100, -500, 0, 18},  // clamped to nMin
        {"far below", 0, 100, 2000, 100, 154},
    };
    for (const DragCase &c : cases) {
        SCOPED_TRACE(c.name);
        MakeBar(SBS_VERT, 17, 200, c.nMin, c.nMax, c.nMin + 50);
        Send(WM_LBUTTONDOWN, 8, 90);
        ScrollBarState *s = State();
        EXPECT_EQ(s->thumbHeld, 1);
        EXPECT_EQ(s->grabX, 6);
        EXPECT_EQ(s->grabY, 4);
        EXPECT_EQ(ReadWindowPixel(bar, 2, 86), PressedCorner) << "thumb drawn pressed";
        EXPECT_TRUE(Notifications(WM_VSCROLL).empty()) << "a press on the thumb says nothing";

        Send(WM_MOUSEMOVE, 8, c.toY);
        EXPECT_EQ(Notifications(WM_VSCROLL), (Notes{{SB_THUMBTRACK, c.tracked}})) << log.Describe();
        EXPECT_RECT(s->thumbRect, 2, c.thumbTop, 15, c.thumbTop + 28);
        EXPECT_EQ(ReadWindowPixel(bar, 2, c.thumbTop), PressedCorner);
        Send(WM_LBUTTONUP, 8, c.toY);
        EXPECT_EQ(Notifications(WM_VSCROLL), (Notes{{SB_THUMBTRACK, c.tracked}, {SB_THUMBPOSITION, c.tracked}}));
        // The parent did not move the bar, so the thumb goes back to nPos.
        EXPECT_RECT(s->thumbRect, 2, 86, 15, 114);
        EXPECT_EQ(ReadWindowPixel(bar, 2, 86), HotCorner);
        EXPECT_EQ(s->dragging, 0);
        EXPECT_EQ(s->thumbHeld, 0);
        DestroyWindow(bar);
    }
}

TEST_F(ScrollBarTest, NotificationsGoOutWithTheBarAsItIs)
{
    MakeBar(SBS_VERT, 17, 200, 0, 100, 50);
    Send(WM_LBUTTONDOWN, 8, 5);
    std::vector<LoggedMessage> seen;
    for (const LoggedMessage &m : log.messages) {
        if (m.msg == WM_SETREDRAW || m.msg == WM_VSCROLL)
            seen.push_back(m);
    }
    ASSERT_EQ(seen.size(), 1u) << log.Describe();
    EXPECT_EQ(seen[0].hwnd, dialog);
    EXPECT_EQ(seen[0].msg, UINT{WM_VSCROLL});
    EXPECT_EQ(seen[0].wParam, WPARAM{SB_LINEUP});
    EXPECT_EQ(seen[0].lParam, reinterpret_cast<LPARAM>(bar));
    Send(WM_LBUTTONUP, 8, 5);
}

TEST_F(ScrollBarTest, LineAndPagePressesOnBothBars)
{
    struct PressCase {
        const char *name;
        DWORD style;
        int width, height;
        int x, y;
        int code;
        POINT pressedCorner;  // an arrow's top-left corner drawn pressed, or (-1, -1)
    };
    const PressCase cases[] = {
        {"up arrow", SBS_VERT, 17, 200, 8, 5, SB_LINEUP, {0, 0}},
        {"down arrow", SBS_VERT, 17, 200, 8, 195, SB_LINEDOWN, {0, 183}},
        {"below the thumb", SBS_VERT, 17, 200, 8, 150, SB_PAGEDOWN, {-1, -1}},
        {"above the thumb", SBS_VERT, 17, 200, 8, 40, SB_PAGEUP, {-1, -1}},
        {"right of the thumb", SBS_HORZ, 300, 17, 200, 8, SB_PAGERIGHT, {-1, -1}},
        {"left of the thumb", SBS_HORZ, 300, 17, 60, 8, SB_PAGELEFT, {-1, -1}},
        {"right arrow", SBS_HORZ, 300, 17, 290, 8, SB_LINERIGHT, {283, 0}},
        {"left arrow", SBS_HORZ, 300, 17, 5, 8, SB_LINELEFT, {0, 0}},
    };
    for (const PressCase &c : cases) {
        SCOPED_TRACE(c.name);
        MakeBar(c.style, c.width, c.height, 0, 100, 50);
        const UINT notification = (c.style & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
        Send(WM_LBUTTONDOWN, c.x, c.y);
        EXPECT_EQ(Notifications(notification), (Notes{{c.code, 0}})) << log.Describe();
        EXPECT_EQ(GetCapture(), bar);
        if (c.pressedCorner.x >= 0) {
            EXPECT_EQ(ReadWindowPixel(bar, c.pressedCorner.x, c.pressedCorner.y), PressedCorner);
        } else {
            EXPECT_EQ(ReadWindowPixel(bar, 0, 0), NormalCorner) << "no arrow drawn pressed";
            EXPECT_EQ(ReadWindowPixel(bar, c.width - 17, c.height - 17), NormalCorner);
        }
        // No auto-repeat however long the button is held.
        PumpMessages(300);
        Send(WM_LBUTTONUP, c.x, c.y);
        EXPECT_EQ(Notifications(notification).size(), 1u) << log.Describe();
        EXPECT_NE(GetCapture(), bar);
        if (c.pressedCorner.x >= 0)
            EXPECT_EQ(ReadWindowPixel(bar, c.pressedCorner.x, c.pressedCorner.y), NormalCorner);
        DestroyWindow(bar);
    }
}

TEST_F(ScrollBarTest, PressAndReleaseOnTheThumbSendsNothing)
{
    struct ThumbCase {
        const char *name;
        DWORD style;
        int width, height, x, y;
        RECT thumb;
    };
    const ThumbCase cases[] = {
        {"vertical", SBS_VERT, 17, 200, 8, 90, {2, 86, 15, 114}},
        {"horizontal", SBS_HORZ, 300, 17, 150, 8, {136, 3, 164, 14}},
    };
    for (const ThumbCase &c : cases) {
        SCOPED_TRACE(c.name);
        MakeBar(c.style, c.width, c.height, 0, 100, 50);
        Send(WM_LBUTTONDOWN, c.x, c.y);
        Send(WM_LBUTTONUP, c.x, c.y);
        EXPECT_TRUE(Notifications(WM_VSCROLL).empty() && Notifications(WM_HSCROLL).empty()) << log.Describe();
        ScrollBarState *s = State();
        EXPECT_RECT(s->thumbRect, c.thumb.left, c.thumb.top, c.thumb.right, c.thumb.bottom);
        EXPECT_EQ(ReadWindowPixel(bar, c.thumb.left, c.thumb.top), HotCorner) << "thumb at rest again";
        EXPECT_EQ(s->thumbHeld + s->dragging + s->firstArrowHeld + s->secondArrowHeld, 0);
        DestroyWindow(bar);
    }
}

TEST_F(ScrollBarTest, DoubleClickCountsAsOneMorePress)
{
    MakeBar(SBS_VERT, 17, 200, 0, 100, 50);
    Send(WM_LBUTTONDOWN, 8, 5);
    Send(WM_LBUTTONUP, 8, 5);
    Send(WM_LBUTTONDBLCLK, 8, 5);
    Send(WM_LBUTTONUP, 8, 5);
    EXPECT_EQ(Notifications(WM_VSCROLL), (Notes{{SB_LINEUP, 0}, {SB_LINEUP, 0}}));
    EXPECT_EQ(ReadWindowPixel(bar, 0, 0), NormalCorner) << "the arrow ends unpressed";

    log.Clear();
    Send(WM_LBUTTONDBLCLK, 8, 150);
    EXPECT_EQ(Notifications(WM_VSCROLL), (Notes{{SB_PAGEDOWN, 0}}));
    EXPECT_EQ(State()->secondArrowHeld, 0);
}

TEST_F(ScrollBarTest, MouseAndPaintingNeverReachTheStandardControl)
{
    MakeBar(SBS_VERT, 17, 200, 0, 100, 50);
    Send(WM_MOUSEMOVE, 8, 50);
    Send(WM_LBUTTONDOWN, 8, 5);
    Send(WM_LBUTTONUP, 8, 5);
    Send(WM_LBUTTONDBLCLK, 8, 5);
    SendMessageA(bar, WM_TIMER, 1, 0);
    InvalidateRect(bar, nullptr, TRUE);
    UpdateWindow(bar);
    SendMessageA(bar, WM_NCPAINT, 1, 0);
    HDC dc = GetDC(bar);
    EXPECT_EQ(SendMessageA(bar, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(bar, dc);
    for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_TIMER, WM_PAINT, WM_NCPAINT,
                     WM_ERASEBKGND})
        EXPECT_EQ(ReachedControl(msg), 0) << "message 0x" << std::hex << msg << "\n" << log.Describe();

    // The scroll-bar messages still reach it, and it keeps the position.
    SCROLLINFO info = {sizeof info, SIF_POS, 0, 0, 0, 30, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 30);
    EXPECT_GE(ReachedControl(SBM_SETSCROLLINFO), 1);
    EXPECT_GE(ReachedControl(SBM_GETSCROLLINFO), 1);
}

// The standard control draws its own look at once when the host sets the
// position or the enabled state; the library keeps its look over it.
TEST_F(ScrollBarTest, KeepsItsLookWhenTheHostSetsPositionOrEnabledState)
{
    MakeBar(SBS_VERT, 17, 200, 0, 100, 50);
    SetScrollPos(bar, SB_CTL, 30, TRUE);  // offset 40.8, thumb top 17 + 40 + 1
    EXPECT_EQ(ReadWindowPixel(bar, 2, 58), HotCorner);
    EXPECT_EQ(ReadWindowPixel(bar, 0, 0), NormalCorner);
    SCROLLINFO info = {sizeof info, SIF_POS, 0, 0, 0, 100, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    EXPECT_EQ(ReadWindowPixel(bar, 2, 154), HotCorner);
    // Disabled arrows and bars show the disabled colours. Wine's
    // EnableScrollBar draws one arrow's change itself, sending nothing.
    const COLORREF disabled = CurrentFace()->scrollCorners[SET_DISABLED][0];
    EnableScrollBar(bar, SB_CTL, ESB_DISABLE_DOWN);
    RepaintPartNow(FindSkinnedWindow(bar), SBP_ALL);
    EXPECT_EQ(ReadWindowPixel(bar, 0, 183), disabled) << "the down arrow";
    EXPECT_EQ(ReadWindowPixel(bar, 0, 0), NormalCorner) << "the up arrow";
    EnableWindow(bar, FALSE);
    EXPECT_EQ(ReadWindowPixel(bar, 0, 0), disabled);
    EXPECT_EQ(ReadWindowPixel(bar, 2, 154), disabled) << "the thumb";
    EXPECT_TRUE(IsWindowVisible(bar));

    // A hidden bar stays hidden.
    ShowWindow(bar, SW_HIDE);
    SetScrollPos(bar, SB_CTL, 10, TRUE);
    EXPECT_FALSE(IsWindowVisible(bar));
}

// A new drag starts from the thumb's current place, so a move straight back
// to where the last drag ended is reported.
TEST_F(ScrollBarTest, NewDragReportsThePositionTheLastOneEndedOn)
{
    MakeBar(SBS_VERT, 17, 200, 0, 100, 50);
    for (int drag = 0; drag < 2; ++drag) {
        Send(WM_LBUTTONDOWN, 8, 90);
        Send(WM_MOUSEMOVE, 8, 120);
        Send(WM_LBUTTONUP, 8, 120);
    }
    EXPECT_EQ(Notifications(WM_VSCROLL), (Notes{{SB_THUMBTRACK, 71}, {SB_THUMBPOSITION, 71},
                                                {SB_THUMBTRACK, 71}, {SB_THUMBPOSITION, 71}}));

    // On a fresh bar the first drag may end on the position left in the
    // zero-filled block.
    DestroyWindow(bar);
    log.Clear();
    MakeBar(SBS_VERT, 17, 200, 0, 100, 50);
    Send(WM_LBUTTONDOWN, 8, 90);
    Send(WM_MOUSEMOVE, 8, 22);
    EXPECT_EQ(Notifications(WM_VSCROLL), (Notes{{SB_THUMBTRACK, 0}}));
}

// Released exactly where the last track report placed the thumb: a parent
// that only acts on the release still learns the final position.
TEST_F(ScrollBarTest, ReleaseOnTheGrabPointStillReportsAMovedThumb)
{
    MakeBar(SBS_VERT, 17, 200, 0, 100, 50);
    Send(WM_LBUTTONDOWN, 8, 90);
    Send(WM_MOUSEMOVE, 8, 22);   // position 0 places the thumb top at 18, grab point 22
    ASSERT_EQ(State()->thumbRect.top + State()->grabY, 22);
    Send(WM_LBUTTONUP, 8, 22);
    EXPECT_EQ(Notifications(WM_VSCROLL), (Notes{{SB_THUMBTRACK, 0}, {SB_THUMBPOSITION, 0}}));
}

// ---- Ranges and parents that misbehave ----

TEST_F(ScrollBarTest, WideRangesTravelInTheLowWordAndEmptyTravelGivesNMin)
{
    MakeBar(SBS_VERT, 17, 200, -2000000000, 2000000000, 0);
    EXPECT_RECT(State()->thumbRect, 2, 86, 15, 114);
    Send(WM_LBUTTONDOWN, 8, 90);
    Send(WM_MOUSEMOVE, 8, 2000);
    Send(WM_LBUTTONUP, 8, 2000);
    EXPECT_EQ(Notifications(WM_VSCROLL), (Notes{{SB_THUMBTRACK, 2000000000 & 0xFFFF},
                                                {SB_THUMBPOSITION, 2000000000 & 0xFFFF}}));
    DestroyWindow(bar);

    // The 34-wide bar's thumb is longer than its channel: no travel at all.
    log.Clear();
    MakeBar(SBS_HORZ, 34, 17, 0, 100, 50);
    Send(WM_LBUTTONDOWN, 18, 8);
    Send(WM_MOUSEMOVE, 25, 8);
    Send(WM_LBUTTONUP, 25, 8);
    EXPECT_EQ(Notifications(WM_HSCROLL), (Notes{{SB_THUMBTRACK, 0}, {SB_THUMBPOSITION, 0}}));
}

}  // namespace

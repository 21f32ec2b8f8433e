// Skinned up-down controls under Wine: the two triangle halves, the pressed
// half, the frame against a skinned Edit, and the standard control's own
// stepping left intact.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "core/skin.h"
#include "scroll/scroll.h"
#include "support/harness.h"
#include "support/records.h"
#include "scroll_colours.h"

namespace {

const DWORD SKS_FIRSTHALF = 0x00010000;
const COLORREF BuddyFrame = BuiltInFace.fieldFrame;
// Taken from COLOR_BTNFACE for the disabled frame.
const COLORREF DisabledFrameDarkening = 0x00202020;
const COLORREF *const NormalCorners = BuiltInFace.scrollCorners[SET_NORMAL];

class UpDownTest : public InDialogTest {
protected:
    HWND updown = nullptr;
    MessageLog log;

    // Logged below the library, so the log shows what the standard control sees.
    SkinnedWindow *Skin(HWND hwnd)
    {
        updown = hwnd;
        StartLogging(updown, &log);
        SkinnedWindow *rec = AttachWindow(updown);
        PumpMessages();
        log.Clear();
        return rec;
    }

    SkinnedWindow *MakeAlone(DWORD style, int width, int height)
    {
        return Skin(CreateChild(dialog, UPDOWN_CLASSA, style, 20, 20, width, height));
    }

    // An Edit buddy, skinned before the up-down that aligns against it.
    SkinnedWindow *MakeWithEdit(DWORD editStyle, DWORD updownStyle, HWND *edit)
    {
        *edit = CreateChild(dialog, "Edit", editStyle | WS_BORDER, 20, 20, 80, 30);
        AttachWindow(*edit);
        HWND hwnd = CreateChild(dialog, UPDOWN_CLASSA, updownStyle | UDS_SETBUDDYINT, 0, 0, 16, 30);
        SendMessageA(hwnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(*edit), 0);
        SendMessageA(hwnd, UDM_SETRANGE32, 0, 100);
        SendMessageA(hwnd, UDM_SETPOS32, 0, 5);
        // Aligning shrank the Edit, which overlaps the up-down by its border:
        // let it repaint first, so that the up-down's look is on top.
        PumpMessages();
        return Skin(hwnd);
    }

    SIZE Client() const
    {
        RECT r;
        GetClientRect(updown, &r);
        return {r.right, r.bottom};
    }

    COLORREF At(int x, int y) const { return ReadWindowPixel(updown, x, y); }
    void Send(UINT msg, int x, int y) { SendMessageA(updown, msg, msg == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, y)); }
};

// Where a half's body corners and glyph tip fall.
struct HalfProbe {
    RECT half;       // the half as PaintScrollPart gets it
    POINT tip;       // one glyph pixel, from the face centre
};

void ExpectIdleHalf(HWND hwnd, const HalfProbe &probe, const char *name)
{
    const RECT &h = probe.half;
    EXPECT_EQ(ReadWindowPixel(hwnd, h.left, h.top), NormalCorners[0]) << name;
    EXPECT_EQ(ReadWindowPixel(hwnd, h.right - 1, h.top), NormalCorners[1]) << name;
    EXPECT_EQ(ReadWindowPixel(hwnd, h.left, h.bottom - 1), NormalCorners[2]) << name;
    EXPECT_EQ(ReadWindowPixel(hwnd, h.right - 1, h.bottom - 1), NormalCorners[3]) << name;
    EXPECT_EQ(ReadWindowPixel(hwnd, probe.tip.x, probe.tip.y), GlyphPen) << name << " glyph";
}

TEST_F(UpDownTest, IdleHalvesVerticalAndHorizontal)
{
    struct LayoutCase {
        const char *name;
        DWORD style;
        int width, height;
        HalfProbe first, second;
    };
    // Vertical: face centres (8, 8) and (8, 22); triangle tips 2 pixels out.
    // Horizontal: face centres (8, 8) and (22, 8).
    const LayoutCase cases[] = {
        {"vertical", 0, 16, 30, {{1, 1, 15, 15}, {8, 6}}, {{1, 15, 15, 29}, {8, 24}}},
        {"horizontal", UDS_HORZ, 30, 16, {{1, 1, 15, 15}, {6, 8}}, {{15, 1, 29, 15}, {24, 8}}},
    };
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(c.name);
        MakeAlone(c.style, c.width, c.height);
        ASSERT_EQ(Client().cx, c.width);
        ASSERT_EQ(Client().cy, c.height);
        EXPECT_EQ(At(0, 0), background);
        EXPECT_EQ(At(c.width - 1, c.height - 1), background);
        ExpectIdleHalf(updown, c.first, "first half");
        ExpectIdleHalf(updown, c.second, "second half");
        // The standard control's look never shows through.
        InvalidateRect(updown, nullptr, TRUE);
        UpdateWindow(updown);
        ExpectIdleHalf(updown, c.first, "first half after WM_PAINT");
        DestroyWindow(updown);
    }
}

TEST_F(UpDownTest, HalfUnderThePointerFollowsMovesAcrossTheMiddle)
{
    struct MoveCase {
        int x, y;
        bool first;
    };
    SkinnedWindow *rec = MakeAlone(0, 16, 30);
    // 15 <= 30 / 2 is the upper half, 16 the lower.
    const MoveCase moves[] = {{8, 15, true}, {8, 3, true}, {8, 16, false}, {8, 29, false}, {8, 15, true}};
    int forwarded = 0;
    for (const MoveCase &m : moves) {
        const bool changes = ((rec->state & SKS_FIRSTHALF) != 0) != m.first;
        Send(WM_MOUSEMOVE, m.x, m.y);
        EXPECT_EQ((rec->state & SKS_FIRSTHALF) != 0, m.first) << "y=" << m.y;
        forwarded += changes;
        // Only a change of half reaches the standard control.
        EXPECT_EQ(log.Count(WM_MOUSEMOVE), forwarded) << "y=" << m.y;
    }

    // Horizontal: by x against half the client width.
    DestroyWindow(updown);
    rec = MakeAlone(UDS_HORZ, 30, 16);
    Send(WM_MOUSEMOVE, 15, 8);
    EXPECT_TRUE(rec->state & SKS_FIRSTHALF);
    Send(WM_MOUSEMOVE, 16, 8);
    EXPECT_FALSE(rec->state & SKS_FIRSTHALF);
}

TEST_F(UpDownTest, PressedHalfIsTheOneUnderThePointer)
{
    struct PressCase {
        const char *name;
        int y;
        POINT pressed, idle;  // top-left corners of the two halves
    };
    const PressCase cases[] = {
        {"upper", 5, {1, 1}, {1, 15}},
        {"lower", 25, {1, 15}, {1, 1}},
    };
    for (const PressCase &c : cases) {
        SCOPED_TRACE(c.name);
        SkinnedWindow *rec = MakeAlone(0, 16, 30);
        Send(WM_MOUSEMOVE, 8, c.y);
        Send(WM_LBUTTONDOWN, 8, c.y);
        EXPECT_TRUE(rec->state & SKS_PRESSED);
        EXPECT_EQ(At(c.pressed.x, c.pressed.y), PressedCorner);
        EXPECT_EQ(At(c.idle.x, c.idle.y), NormalCorners[0]);
        Send(WM_LBUTTONUP, 8, c.y);
        EXPECT_FALSE(rec->state & SKS_PRESSED);
        EXPECT_EQ(At(c.pressed.x, c.pressed.y), NormalCorners[0]);
        DestroyWindow(updown);
    }
}

TEST_F(UpDownTest, DoubleClickIsAnsweredAndKeptFromTheControl)
{
    SkinnedWindow *rec = MakeAlone(0, 16, 30);
    SendMessageA(updown, UDM_SETRANGE32, 0, 100);
    SendMessageA(updown, UDM_SETPOS32, 0, 5);
    EXPECT_EQ(SendMessageA(updown, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(8, 5)), 1);
    EXPECT_EQ(log.Count(WM_LBUTTONDBLCLK), 0);
    EXPECT_FALSE(rec->state & SKS_PRESSED);
    EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), 5);
    HDC dc = GetDC(updown);
    EXPECT_EQ(SendMessageA(updown, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(updown, dc);
    EXPECT_EQ(log.Count(WM_ERASEBKGND), 0);
}

TEST_F(UpDownTest, StandardControlStillStepsAndUpdatesItsBuddy)
{
    HWND edit;
    MakeWithEdit(0, UDS_ALIGNRIGHT | UDS_ARROWKEYS, &edit);
    MessageLog parentLog;
    StartLogging(dialog, &parentLog);
    const SIZE client = Client();
    Send(WM_MOUSEMOVE, client.cx / 2, 3);
    Send(WM_LBUTTONDOWN, client.cx / 2, 3);
    Send(WM_LBUTTONUP, client.cx / 2, 3);
    EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), 6);
    char text[16] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "6");
    EXPECT_GE(parentLog.Count(WM_VSCROLL), 1) << parentLog.Describe();
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(log.Count(WM_LBUTTONUP), 1);
    StopLogging(dialog);
}

TEST_F(UpDownTest, FrameAndSeparatorAgainstASkinnedEdit)
{
    struct AlignCase {
        const char *name;
        DWORD style;
        DWORD bit;
    };
    const AlignCase cases[] = {
        {"aligned right", UDS_ALIGNRIGHT, SKS_UPDOWNRIGHT},
        {"aligned left", UDS_ALIGNLEFT, SKS_UPDOWNLEFT},
    };
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    for (const AlignCase &c : cases) {
        SCOPED_TRACE(c.name);
        HWND edit;
        SkinnedWindow *rec = MakeWithEdit(0, c.style, &edit);
        ASSERT_TRUE(rec->state & c.bit);
        const SIZE client = Client();
        const int w = client.cx, h = client.cy;
        const int separatorX = c.bit == SKS_UPDOWNLEFT ? w - 1 : 0;
        const int farX = w - 1 - separatorX;
        EXPECT_EQ(At(0, 0), BuddyFrame);
        EXPECT_EQ(At(w - 1, h - 1), BuddyFrame);
        EXPECT_EQ(At(farX, h / 2), BuddyFrame);
        EXPECT_EQ(At(separatorX, 1), background);
        EXPECT_EQ(At(separatorX, h - 2), background);
        EXPECT_EQ(At(1, 1), background) << "background inside the frame";
        // Halves inside the frame and the one-pixel gap.
        const int split = 2 + (h - 4) / 2;
        EXPECT_EQ(At(2, 2), NormalCorners[0]);
        EXPECT_EQ(At(w - 3, split - 1), NormalCorners[3]);
        EXPECT_EQ(At(2, split), NormalCorners[0]);
        EXPECT_EQ(At(w - 3, h - 3), NormalCorners[3]);
        const int cx = 3 + (w - 6) / 2;
        EXPECT_EQ(At(cx, 3 + (split - 1 - 3) / 2 - 2), GlyphPen) << "up triangle tip";
        DestroyWindow(updown);
        DestroyWindow(edit);
    }
}

TEST_F(UpDownTest, DisabledBuddyMakesItDrawDisabled)
{
    HWND edit;
    SkinnedWindow *rec = MakeWithEdit(WS_DISABLED, UDS_ALIGNRIGHT, &edit);
    ASSERT_TRUE(rec->state & SKS_UPDOWNRIGHT);
    EXPECT_TRUE(rec->state & SKS_DISABLED) << "copied from the buddy's record";
    const SIZE client = Client();
    EXPECT_EQ(At(0, 0), GetSysColor(COLOR_BTNFACE) - DisabledFrameDarkening);
    EXPECT_EQ(At(0, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(At(2, 2), DisabledCorner);
    bool grey = false, dark = false;
    for (int y = 0; y < client.cy; ++y) {
        for (int x = 0; x < client.cx; ++x) {
            grey |= At(x, y) == GreyGlyphPen;
            dark |= At(x, y) == GlyphPen;
        }
    }
    EXPECT_TRUE(grey);
    EXPECT_FALSE(dark);

    // A buddy that is no longer skinned gets no frame, and the state stays.
    DetachWindow(edit);
    InvalidateRect(updown, nullptr, TRUE);
    UpdateWindow(updown);
    EXPECT_EQ(At(0, 0), GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(rec->state & SKS_DISABLED);
}

}  // namespace

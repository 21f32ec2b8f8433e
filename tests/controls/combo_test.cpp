// Combo boxes, date-time pickers and month calendars: the two rings, the
// drop button, the pressed feedback and the swallowed non-client click.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "controls/controls.h"
#include "core/skin.h"
#include "support/harness.h"
#include "support/import_patch.h"
#include "brush_markers.h"
#include "support/window_pixels.h"

namespace {

const COLORREF OuterColour = BuiltInFace.fieldFrame;
// When the control's own procedure receives a press, in milliseconds from
// the moment the press was sent.
struct ArrivalProbe {
    WNDPROC previous;
    double sent;
    double arrivedAfter;
    int nonClientDowns;
};
ArrivalProbe arrival;

LRESULT CALLBACK ArrivalProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LBUTTONDOWN)
        arrival.arrivedAfter = Milliseconds() - arrival.sent;
    if (msg == WM_NCLBUTTONDOWN)
        ++arrival.nonClientDowns;
    return CallWindowProcA(arrival.previous, hwnd, msg, wParam, lParam);
}

// The drop button's rectangle, in the window's coordinates.
RECT DropButtonRect(HWND hwnd)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    const int thumb = GetSystemMetrics(SM_CYVTHUMB);
    return {w - 2 - thumb + 1, 2, w - 2, h - 2};
}

// The drop button in one state: the body's top-left and bottom-right corner
// pixels of the colour set the state chooses, and the chevron's pen.
struct ButtonLook {
    const char *set;
    COLORREF corner, farCorner, glyph;
};
const ButtonLook NormalButton = {"normal", 0x00FFEFE7, 0x00F7E3DE, 0x0084614A};
const ButtonLook PressedButton = {"pressed", 0x00DEC3BD, 0x00F7E3DE, 0x0084614A};
const ButtonLook DisabledButton = {"disabled", 0x00F7F7F7, 0x00EFF3F7, 0x00C6CBCE};

// The button's corners in the look's colours, and a chevron pointing down
// about the face's centre: its tip two pixels below, its arms four pixels
// out and two above, nothing three above.
void ExpectDropButton(HWND hwnd, const ButtonLook &look, const char *name)
{
    const WindowPixels shot = CaptureWindow(hwnd);
    const RECT b = DropButtonRect(hwnd);
    const int cx = b.left + 1 + (b.right - b.left - 2) / 2;
    const int cy = b.top + 1 + (b.bottom - b.top - 2) / 2;
    EXPECT_EQ(shot.At(b.left, b.top), look.corner) << name << ": not the " << look.set << " button";
    EXPECT_EQ(shot.At(b.right - 1, b.bottom - 1), look.farCorner) << name << ": bottom-right corner";
    EXPECT_EQ(shot.At(cx, cy + 2), look.glyph) << name << ": chevron tip";
    EXPECT_EQ(shot.At(cx - 4, cy - 2), look.glyph) << name << ": chevron's left arm";
    EXPECT_EQ(shot.At(cx + 4, cy - 2), look.glyph) << name << ": chevron's right arm";
    EXPECT_NE(shot.At(cx, cy - 3), look.glyph) << name << ": the chevron points up";
}

void ExpectRings(HWND hwnd, COLORREF outer, COLORREF inner, const char *name)
{
    const WindowPixels shot = CaptureWindow(hwnd);
    const int w = shot.width;
    const int h = shot.height;
    for (int k = 0; k < 2; ++k) {
        const COLORREF colour = k == 0 ? outer : inner;
        EXPECT_EQ(shot.At(k, h / 2), colour) << name << ", ring " << k << " left";
        EXPECT_EQ(shot.At(w / 2, k), colour) << name << ", ring " << k << " top";
        EXPECT_EQ(shot.At(w - 1 - k, h / 2), colour) << name << ", ring " << k << " right";
        EXPECT_EQ(shot.At(w / 2, h - 1 - k), colour) << name << ", ring " << k << " bottom";
    }
    // The button's own outline survives only along its left edge.
    const RECT button = DropButtonRect(hwnd);
    EXPECT_EQ(shot.At(button.left - 1, h / 2), inner) << name << ", drop button outline";
    EXPECT_NE(shot.At(button.left - 2, h / 2), inner) << name << ", left of the drop button";
}

class ComboTest : public MarkedBrushesTest {
protected:
    HWND Combo(DWORD style)
    {
        HWND combo = CreateChild(dialog, "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | style, 20, 20, 160, 120);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Apple"));
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Banana"));
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        return combo;
    }

    SkinnedWindow *Skin(HWND hwnd)
    {
        SkinnedWindow *rec = AttachWindow(hwnd);
        EXPECT_NE(rec, nullptr);
        PumpMessages();
        return rec;
    }
};

TEST_F(ComboTest, FramesAndDropButtonByKindAndState)
{
    const int thumb = GetSystemMetrics(SM_CYVTHUMB);
    struct LookCase {
        const char *name;
        const char *className;
        DWORD style;
        COLORREF outer;
        COLORREF inner;
        const ButtonLook &button;
    };
    const LookCase cases[] = {
        {"drop-down list", "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, OuterColour, WindowBrushMarker, NormalButton},
        {"drop-down", "ComboBox", CBS_DROPDOWN | WS_VSCROLL, OuterColour, WindowBrushMarker, NormalButton},
        {"disabled", "ComboBox", CBS_DROPDOWNLIST | WS_DISABLED, DarkenedFaceColour(), FaceBrushMarker,
         DisabledButton},
        {"date-time picker", DATETIMEPICK_CLASSA, DTS_SHORTDATEFORMAT, OuterColour, WindowBrushMarker, NormalButton},
    };
    for (const LookCase &c : cases) {
        HWND control = CreateChild(dialog, c.className, c.style, 20, 20, 160, c.className[0] == 'C' ? 120 : 22);
        SkinnedWindow *rec = Skin(control);
        ASSERT_NE(rec, nullptr) << c.name;
        RECT window;
        GetWindowRect(control, &window);
        ASSERT_LE(window.bottom - window.top, 2 * thumb) << c.name << " is too tall to be framed";
        ExpectRings(control, c.outer, c.inner, c.name);
        ExpectDropButton(control, c.button, c.name);
        DestroyWindow(control);
    }
}

TEST_F(ComboTest, FrameFollowsLaterEnablingAndDisabling)
{
    HWND combo = Combo(0);
    SkinnedWindow *rec = Skin(combo);
    ASSERT_NE(rec, nullptr);
    EnableWindow(combo, FALSE);
    EXPECT_TRUE(rec->state & SKS_DISABLED);
    PumpMessages();
    ExpectRings(combo, DarkenedFaceColour(), FaceBrushMarker, "disabled later");
    ExpectDropButton(combo, DisabledButton, "disabled later");
    EnableWindow(combo, TRUE);
    EXPECT_FALSE(rec->state & SKS_DISABLED);
    PumpMessages();
    ExpectRings(combo, OuterColour, WindowBrushMarker, "enabled again");
}

TEST_F(ComboTest, TallMonthCalendarIsNeverPaintedOver)
{
    HWND calendar = CreateChild(dialog, MONTHCAL_CLASSA, 0, 20, 20, 0, 0);
    RECT size = {};
    SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&size));
    SetWindowPos(calendar, nullptr, 0, 0, size.right, size.bottom, SWP_NOMOVE | SWP_NOZORDER);
    SYSTEMTIME day = {};
    day.wYear = 2024;
    day.wMonth = 3;
    day.wDay = 15;
    SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    SendMessageA(calendar, MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&day));
    PumpMessages();
    ASSERT_GT(size.bottom, 2 * GetSystemMetrics(SM_CYVTHUMB));
    const WindowPixels before = CaptureWindow(calendar);

    SkinnedWindow *rec = Skin(calendar);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->skinClass->kind, CK_COMBOBOX);
    RedrawWindow(calendar, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_TRUE(CaptureWindow(calendar) == before);
}

class ComboPressTest : public ComboTest {
protected:
    HWND combo = nullptr;
    POINT corner = {};  // the drop button's top-left pixel

    void SetUp() override
    {
        ComboTest::SetUp();
        combo = Combo(0);
        arrival = {};
        arrival.previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ArrivalProc)));
        ASSERT_NE(Skin(combo), nullptr);
        const RECT button = DropButtonRect(combo);
        corner = {button.left, button.top};
    }

    void TearDown() override
    {
        SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
        ReleaseCapture();
        PumpMessages();
        DetachWindow(combo);
        SetWindowLongPtrA(combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(arrival.previous));
        ComboTest::TearDown();
    }

    // Puts the cursor over the control at x (client coordinates, middle
    // height) and sends the press; returns how long the send took.
    double PressAt(int x)
    {
        RECT client;
        GetClientRect(combo, &client);
        POINT point = {x, client.bottom / 2};
        POINT screen = point;
        ClientToScreen(combo, &screen);
        SetCursorPos(screen.x, screen.y);
        arrival.sent = Milliseconds();
        SendMessageA(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        return Milliseconds() - arrival.sent;
    }
};

TEST_F(ComboPressTest, PressInTheZoneShowsThePressedButtonForAMomentWithoutHoldingTheThread)
{
    const COLORREF atRest = ReadWindowPixel(combo, corner.x, corner.y);
    // Left of the drawn button, but within twice its width of the right edge.
    RECT window;
    GetWindowRect(combo, &window);
    const int thumb = GetSystemMetrics(SM_CYVTHUMB);
    const double took = PressAt((window.right - window.left) - 2 * thumb + 2);

    EXPECT_LT(took, 100.0) << "the press held the thread";
    EXPECT_LT(arrival.arrivedAfter, 100.0) << "the control got the press late";
    EXPECT_GT(arrival.arrivedAfter, 0.0) << "the control never got the press";
    SkinnedWindow *rec = FindSkinnedWindow(combo);
    ASSERT_NE(rec, nullptr);
    EXPECT_TRUE(rec->state & SKS_PRESSED);
    EXPECT_NE(ReadWindowPixel(combo, corner.x, corner.y), atRest) << "button not drawn pressed";

    // The timer ends the pressed look while the list stays open.
    PumpMessages(450);
    rec = FindSkinnedWindow(combo);
    ASSERT_NE(rec, nullptr);
    EXPECT_FALSE(rec->state & SKS_PRESSED);
    EXPECT_EQ(ReadWindowPixel(combo, corner.x, corner.y), atRest) << "button still drawn pressed";
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE) << "the list did not open";
}

TEST_F(ComboPressTest, PressOutsideTheZoneReachesTheControlAtOnce)
{
    RECT window;
    GetWindowRect(combo, &window);
    const int thumb = GetSystemMetrics(SM_CYVTHUMB);
    const double took = PressAt((window.right - window.left) - 2 * thumb - 3);
    SkinnedWindow *rec = FindSkinnedWindow(combo);
    ASSERT_NE(rec, nullptr);
    EXPECT_FALSE(rec->state & SKS_PRESSED);
    EXPECT_LT(took, 200.0);
    EXPECT_GT(arrival.arrivedAfter, 0.0) << "the control never got the press";
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE) << "the list did not open";
}

TEST_F(ComboPressTest, ReleaseClearsThePressedState)
{
    SkinnedWindow *rec = FindSkinnedWindow(combo);
    ASSERT_NE(rec, nullptr);
    rec->state |= SKS_PRESSED;
    SendMessageA(combo, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    rec = FindSkinnedWindow(combo);
    ASSERT_NE(rec, nullptr);
    EXPECT_FALSE(rec->state & SKS_PRESSED);
    ExpectDropButton(combo, NormalButton, "released");
}

TEST_F(ComboPressTest, NonClientPressNeverReachesTheControl)
{
    EXPECT_EQ(SendMessageA(combo, WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(30, 30)), 0);
    EXPECT_EQ(arrival.nonClientDowns, 0);
}

}  // namespace

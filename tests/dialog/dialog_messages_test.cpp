// What a skinned dialog's host procedure sees, the results it gets back,
// activation, the window region through maximise and restore, and
// non-client painting with the system's update regions.
#include <windows.h>
#include <commctrl.h>

#include "core/skin.h"
#include "dialog_testing.h"

namespace {

const LRESULT AnyResult = 0x7EADBEEF;

struct TableCase {
    const char *name;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool reachesHost;
    LRESULT result;  // AnyResult: whatever the host's side answers
};

TEST_F(DialogTest, MessageTableDecidesWhatTheHostSees)
{
    HWND dialog = Open();
    RECT window;
    GetWindowRect(dialog, &window);
    const LPARAM centre = MAKELPARAM((window.left + window.right) / 2, (window.top + window.bottom) / 2);
    NMHDR notify = {dialog, 1, NM_CLICK};
    const LPARAM notifyParam = reinterpret_cast<LPARAM>(&notify);

    const TableCase cases[] = {
        {"WM_SIZE (after the region follows)", WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100), true, AnyResult},
        {"WM_SIZE SIZE_MAXHIDE", WM_SIZE, SIZE_MAXHIDE, 0, true, AnyResult},
        {"WM_SETCURSOR", WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog), MAKELPARAM(HTLEFT, WM_MOUSEMOVE), false, 0},
        {"WM_INITMENUPOPUP of the host's menu", WM_INITMENUPOPUP, 0, MAKELPARAM(0, FALSE), true, AnyResult},
        {"WM_INITMENUPOPUP of the window menu", WM_INITMENUPOPUP, 0, MAKELPARAM(0, TRUE), true, AnyResult},
        {"WM_NCRBUTTONDOWN", WM_NCRBUTTONDOWN, HTCAPTION, centre, false, 0},
        {"WM_NCLBUTTONDOWN", WM_NCLBUTTONDOWN, HTNOWHERE, centre, false, 0},
        {"WM_ERASEBKGND", WM_ERASEBKGND, 0, 0, false, 1},
        {"WM_PAINT (drawn over the background)", WM_PAINT, 0, 0, true, AnyResult},
        {"WM_NCPAINT", WM_NCPAINT, 1, 0, false, 0},
        {"WM_NCACTIVATE", WM_NCACTIVATE, FALSE, 0, false, 1},
        {"WM_NCMOUSEMOVE", WM_NCMOUSEMOVE, HTCAPTION, centre, false, 0},
        {"WM_ACTIVATEAPP (host answers, result discarded)", WM_ACTIVATEAPP, TRUE, 0, true, 0},
        {"WM_NOTIFY (host's answer)", WM_NOTIFY, 1, notifyParam, true, 0x5A5A},
        {"WM_NCHITTEST", WM_NCHITTEST, 0, centre, true, HTCLIENT},
        {"WM_NCLBUTTONDBLCLK", WM_NCLBUTTONDBLCLK, HTNOWHERE, centre, true, AnyResult},
        {"WM_NCLBUTTONUP without a press", WM_NCLBUTTONUP, HTNOWHERE, centre, true, AnyResult},
        {"WM_NCRBUTTONUP", WM_NCRBUTTONUP, HTNOWHERE, centre, true, AnyResult},
        {"WM_LBUTTONDOWN", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), true, AnyResult},
        {"WM_MOUSEMOVE without a press", WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), true, AnyResult},
        {"WM_LBUTTONUP without a press", WM_LBUTTONUP, 0, MAKELPARAM(5, 5), true, AnyResult},
        {"WM_CTLCOLORDLG", WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(dialog), true, AnyResult},
        {"WM_SETTEXT", WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"), true, TRUE},
        {"WM_SYSCOMMAND", WM_SYSCOMMAND, SC_MINIMIZE, 0, true, AnyResult},
    };
    for (const TableCase &c : cases) {
        host.Clear();
        const LRESULT result = SendMessageA(dialog, c.msg, c.wParam, c.lParam);
        EXPECT_EQ(host.Count(c.msg) > 0, c.reachesHost) << c.name;
        if (c.result != AnyResult)
            EXPECT_EQ(result, c.result) << c.name;
        ASSERT_TRUE(IsWindow(dialog)) << c.name;
    }
}

TEST_F(DialogTest, ActivationMessagesSetTheFocusedBit)
{
    struct Step {
        const char *name;
        UINT msg;
        WPARAM wParam;
        bool focused;
    };
    const Step steps[] = {
        {"WM_ACTIVATE WA_INACTIVE", WM_ACTIVATE, WA_INACTIVE, false},
        {"WM_NCACTIVATE FALSE still sets it", WM_NCACTIVATE, FALSE, true},
        {"WM_ACTIVATE WA_INACTIVE again", WM_ACTIVATE, WA_INACTIVE, false},
        {"WM_ACTIVATE inactive but minimised counts as active", WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), true},
        {"WM_ACTIVATEAPP FALSE", WM_ACTIVATEAPP, FALSE, false},
        {"WM_ACTIVATEAPP TRUE", WM_ACTIVATEAPP, TRUE, true},
        {"WM_ACTIVATE WA_INACTIVE once more", WM_ACTIVATE, WA_INACTIVE, false},
        {"WM_NCACTIVATE TRUE", WM_NCACTIVATE, TRUE, true},
        {"WM_ACTIVATEAPP FALSE once more", WM_ACTIVATEAPP, FALSE, false},
        {"WM_ACTIVATE WA_CLICKACTIVE", WM_ACTIVATE, WA_CLICKACTIVE, true},
    };
    HWND dialog = Open();
    for (const Step &step : steps) {
        SendMessageA(dialog, step.msg, step.wParam, 0);
        SkinnedWindow *rec = FindSkinnedWindow(dialog);
        ASSERT_NE(rec, nullptr) << step.name;
        EXPECT_EQ((rec->state & SKS_FOCUSED) != 0, step.focused) << step.name;
        EXPECT_EQ(rec->state & ~DWORD{SKS_FOCUSED}, 0u) << step.name << ": no other bit changes";
    }
}

TEST_F(DialogTest, WhichMessagesRepaintTheFrameAndCaption)
{
    struct RepaintCase {
        const char *name;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        bool caption;
        int frame;  // 1 repainted, 0 not, -1 as the system pleases
    };
    HWND dialog = Open();
    NMHDR notify = {dialog, 1, NM_CLICK};
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    const RepaintCase cases[] = {
        {"WM_ACTIVATE", WM_ACTIVATE, WA_ACTIVE, 0, true, 1},
        {"WM_ACTIVATEAPP", WM_ACTIVATEAPP, TRUE, 0, false, 0},
        {"WM_NCACTIVATE", WM_NCACTIVATE, TRUE, 0, true, 0},
        // The system redraws the frame itself for these two.
        {"WM_SETTEXT", WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"), true, -1},
        {"WM_SETICON", WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon), true, -1},
        {"WM_NOTIFY", WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&notify), true, 0},
        {"WM_NCRBUTTONUP", WM_NCRBUTTONUP, HTNOWHERE, 0, true, 0},
        {"WM_ERASEBKGND", WM_ERASEBKGND, 0, 0, false, 0},
        {"WM_SIZE SIZE_MAXHIDE", WM_SIZE, SIZE_MAXHIDE, 0, false, 0},
        {"WM_SIZE SIZE_RESTORED", WM_SIZE, SIZE_RESTORED, 0, true, 1},
    };
    const DialogGeometry g = GeometryOf(dialog);
    const COLORREF red = RGB(255, 0, 0);
    for (const RepaintCase &c : cases) {
        FillWindow(dialog, red);
        SendMessageA(dialog, c.msg, c.wParam, c.lParam);
        const COLORREF caption = ReadWindowPixel(dialog, g.band.left + 1, g.band.top + 1);
        const COLORREF frame = ReadWindowPixel(dialog, 1, g.height / 2);
        EXPECT_EQ(caption != red, c.caption) << c.name;
        if (c.frame >= 0)
            EXPECT_EQ(frame != red, c.frame == 1) << c.name;
    }
}

struct DestroyCase {
    const char *name;
    UINT msg;
    WPARAM wParam;
};

TEST_F(DialogTest, HostMayDestroyTheDialogInsideAnyMessageThatReachesIt)
{
    NMHDR notify = {};
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    const DestroyCase cases[] = {
        {"WM_ACTIVATE", WM_ACTIVATE, WA_ACTIVE},
        {"WM_ACTIVATE inactive", WM_ACTIVATE, WA_INACTIVE},
        {"WM_ACTIVATEAPP", WM_ACTIVATEAPP, TRUE},
        {"WM_SETTEXT", WM_SETTEXT, 0},
        {"WM_SETICON", WM_SETICON, ICON_SMALL},
        {"WM_NOTIFY", WM_NOTIFY, 1},
        {"WM_NCRBUTTONUP", WM_NCRBUTTONUP, HTNOWHERE},
    };
    for (const DestroyCase &c : cases) {
        HWND dialog = Open();
        notify.hwndFrom = dialog;
        const LPARAM lParam = c.msg == WM_SETTEXT   ? reinterpret_cast<LPARAM>("Gone")
                              : c.msg == WM_SETICON ? reinterpret_cast<LPARAM>(icon)
                              : c.msg == WM_NOTIFY  ? reinterpret_cast<LPARAM>(&notify)
                                                    : 0;
        host.destroyOn = c.msg;
        {
            FreedBlockWatch watch;
            SendMessageA(dialog, c.msg, c.wParam, lParam);
            EXPECT_FALSE(IsWindow(dialog)) << c.name;
            // The record, its block, and the thread's index, empty once the
            // dialog was the thread's only skinned window.
            EXPECT_EQ(watch.FreedCount(), 3) << c.name << ": the record, its block and the thread's index";
            EXPECT_TRUE(watch.Untouched()) << c.name << ": the freed record was written to";
        }
        EXPECT_EQ(RecordsFor(dialog), 0) << c.name;
    }
}

// The region as the system holds it, or an empty box when there is none.
RECT RegionBox(HWND dialog, bool *present)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box = {};
    *present = GetWindowRgn(dialog, region) != ERROR;
    if (*present)
        GetRgnBox(region, &box);
    DeleteObject(region);
    return box;
}

TEST_F(DialogTest, RegionFollowsEverySizeMaximiseAndRestore)
{
    HWND dialog = CreateTestDialog(TestDialogStyle, 300, 200, "region");
    windows.push_back(dialog);
    bool present;
    RegionBox(dialog, &present);
    ASSERT_FALSE(present) << "an unskinned test dialog has no region";

    AttachWindow(dialog);
    PumpMessages();
    RECT box = RegionBox(dialog, &present);
    ASSERT_TRUE(present) << "installed by the frame paint at attach";
    // A round-rectangle region leaves out the last column and row of the
    // rectangle it is made from.
    EXPECT_EQ(box.right, 299);
    EXPECT_EQ(box.bottom, 199);
    EXPECT_NE(FindSkinnedWindow(dialog)->windowRegion, nullptr);
    EXPECT_FALSE(InsideRegion(dialog, 0, 0)) << "rounded corners";
    EXPECT_FALSE(InsideRegion(dialog, 299, 0));
    EXPECT_FALSE(InsideRegion(dialog, 0, 199));
    EXPECT_FALSE(InsideRegion(dialog, 299, 199));
    EXPECT_TRUE(InsideRegion(dialog, 8, 0));
    EXPECT_TRUE(InsideRegion(dialog, 150, 100));

    // A plain resize takes the region along, growing or shrinking.
    SetWindowPos(dialog, nullptr, 0, 0, 340, 230, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    box = RegionBox(dialog, &present);
    ASSERT_TRUE(present);
    EXPECT_EQ(box.right, 339);
    EXPECT_EQ(box.bottom, 229);
    SetWindowPos(dialog, nullptr, 0, 0, 250, 180, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    box = RegionBox(dialog, &present);
    EXPECT_EQ(box.right, 249);
    EXPECT_EQ(box.bottom, 179);
    EXPECT_FALSE(InsideRegion(dialog, 249, 179)) << "rounded at the new size";
    SetWindowPos(dialog, nullptr, 0, 0, 340, 230, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();

    ShowWindow(dialog, SW_MAXIMIZE);
    PumpMessages();
    ASSERT_TRUE(IsZoomed(dialog));
    RegionBox(dialog, &present);
    EXPECT_FALSE(present) << "square corners while maximised";
    EXPECT_EQ(FindSkinnedWindow(dialog)->windowRegion, nullptr);

    ShowWindow(dialog, SW_RESTORE);
    PumpMessages();
    box = RegionBox(dialog, &present);
    ASSERT_TRUE(present) << "installed again at the restored size";
    EXPECT_EQ(box.right, 339);
    EXPECT_EQ(box.bottom, 229);
    EXPECT_FALSE(InsideRegion(dialog, 339, 229));
    EXPECT_TRUE(InsideRegion(dialog, 320, 215));
}

TEST_F(DialogTest, MaxHideLeavesTheRegionAlone)
{
    HWND dialog = Open();
    HRGN installed = FindSkinnedWindow(dialog)->windowRegion;
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(SendMessageA(dialog, WM_SIZE, SIZE_MAXHIDE, 0), 0);
    EXPECT_EQ(FindSkinnedWindow(dialog)->windowRegion, installed);
    bool present;
    RegionBox(dialog, &present);
    EXPECT_TRUE(present);
}

TEST_F(DialogTest, NonClientPaintClipsToTheSystemsRegionAndLeavesItAlive)
{
    HWND dialog = Open();
    SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
    const DialogGeometry g = GeometryOf(dialog);
    RECT window;
    GetWindowRect(dialog, &window);
    const COLORREF red = RGB(255, 0, 0);
    // The left half of the window, in screen coordinates.
    HRGN leftHalf = CreateRectRgn(window.left, window.top, window.left + g.width / 2, window.bottom);

    for (int round = 1; round <= 3; ++round) {
        FillWindow(dialog, red);
        EXPECT_EQ(SendMessageA(dialog, WM_NCPAINT, reinterpret_cast<WPARAM>(leftHalf), 0), 0);
        ASSERT_EQ(GetObjectType(leftHalf), static_cast<DWORD>(OBJ_REGION))
            << "round " << round << ": the update region was deleted";
        EXPECT_TRUE(PixelIs(dialog, 1, g.height / 2, FrameBlue)) << "round " << round;
        EXPECT_TRUE(PixelIs(dialog, g.band.left + 1, g.band.top, CaptionMidBlue)) << "round " << round;
        EXPECT_TRUE(PixelIs(dialog, g.width - 2, g.height / 2, red)) << "round " << round << ": clipped away";
        EXPECT_TRUE(PixelIs(dialog, g.width * 3 / 4, 1, red)) << "round " << round;
    }
    EXPECT_TRUE(DeleteObject(leftHalf)) << "still the caller's to delete";

    // 0 and 1 both mean the whole window.
    for (WPARAM whole : {WPARAM{0}, WPARAM{1}}) {
        FillWindow(dialog, red);
        SendMessageA(dialog, WM_NCPAINT, whole, 0);
        EXPECT_TRUE(PixelIs(dialog, g.width - 2, g.height / 2, FrameBlue)) << "wParam " << whole;
        EXPECT_TRUE(PixelIs(dialog, g.width / 2, g.height - 2, FrameBlue)) << "wParam " << whole;
    }

    // The system's own frame redraws, one after the other.
    for (int round = 1; round <= 3; ++round) {
        FillWindow(dialog, red);
        RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(PixelIs(dialog, 1, g.height / 2, FrameBlue)) << "redraw " << round;
        EXPECT_TRUE(PixelIs(dialog, g.width - 2, g.height / 2, FrameBlue)) << "redraw " << round;
        EXPECT_TRUE(PixelIs(dialog, g.band.left + 1, g.band.top, CaptionMidBlue)) << "redraw " << round;
    }
}

}  // namespace

// Every painting and input path of the scroll family gives back every GDI
// object and DC it takes, with nothing left selected.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "core/skin.h"
#include "scroll/scroll.h"
#include "support/dib_canvas.h"
#include "support/gdi_ledger.h"
#include "support/harness.h"
#include "support/records.h"

namespace {

TEST(ScrollGdi, PartPainterReleasesEveryPen)
{
    const DWORD words[] = {
        SPF_FRAMED | SPF_TRACK,
        SPF_TRACK | SPF_HORZ | SPF_DISABLED,
        SPF_GRIPPER | SPF_HOT,
        SPF_GRIPPER | SPF_HORZ | SPF_PRESSED,
        SPF_FRAMED | SPF_CHEVRON | SPF_UP | SPF_DISABLED,
        SPF_TRIANGLE | SPF_DOWN,
        SPF_CHEVRON,  // no direction
    };
    Canvas canvas(40, 40);
    GdiLedger ledger;
    for (DWORD flags : words)
        PaintScrollPart(canvas.dc, RECT{2, 2, 30, 30}, flags);
    EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
    EXPECT_GT(ledger.CreatedCount(), 0) << "the ledger saw the pens";
}

class ScrollGdiWindows : public InDialogTest {
protected:
    HWND Bar(DWORD style, int width, int height)
    {
        HWND bar = CreateChild(dialog, "ScrollBar", style, 10, 10, width, height);
        SetScrollRange(bar, SB_CTL, 0, 100, FALSE);
        SetScrollPos(bar, SB_CTL, 50, FALSE);
        AttachWindow(bar);
        PumpMessages();
        return bar;
    }

    static void Mouse(HWND hwnd, UINT msg, int x, int y) { SendMessageA(hwnd, msg, MK_LBUTTON, MAKELPARAM(x, y)); }
};

TEST_F(ScrollGdiWindows, ScrollBarPaintsAndInputBalance)
{
    struct BarCase {
        const char *name;
        DWORD style;
        int width, height;
        POINT thumb, arrow, channel;
    };
    const BarCase cases[] = {
        {"vertical", SBS_VERT, 17, 200, {8, 90}, {8, 5}, {8, 150}},
        {"horizontal", SBS_HORZ, 300, 17, {150, 8}, {290, 8}, {60, 8}},
        {"short vertical", SBS_VERT, 17, 30, {8, 15}, {8, 5}, {8, 16}},
    };
    for (const BarCase &c : cases) {
        SCOPED_TRACE(c.name);
        HWND bar = Bar(c.style, c.width, c.height);
        SkinnedWindow *rec = FindSkinnedWindow(bar);
        GdiLedger ledger;
        for (int part : {int{SBP_UP}, int{SBP_DOWN}, int{SBP_LEFT}, int{SBP_RIGHT}, int{SBP_THUMB}, int{SBP_ALL}, 0}) {
            RepaintPartNow(rec, part);
            RepaintPartNow(rec, part);
        }
        ASSERT_GT(ledger.ObtainedCount(), 0) << "the painters took no DC";
        int before = ledger.ObtainedCount();
        InvalidateRect(bar, nullptr, TRUE);
        UpdateWindow(bar);
        ASSERT_GT(ledger.ObtainedCount(), before) << "WM_PAINT never reached the painter";
        before = ledger.ObtainedCount();
        Mouse(bar, WM_LBUTTONDOWN, c.thumb.x, c.thumb.y);
        Mouse(bar, WM_MOUSEMOVE, c.thumb.x + 20, c.thumb.y + 20);
        Mouse(bar, WM_LBUTTONUP, c.thumb.x + 20, c.thumb.y + 20);
        Mouse(bar, WM_LBUTTONDOWN, c.thumb.x, c.thumb.y);
        Mouse(bar, WM_LBUTTONUP, c.thumb.x, c.thumb.y);
        Mouse(bar, WM_LBUTTONDOWN, c.arrow.x, c.arrow.y);
        Mouse(bar, WM_LBUTTONUP, c.arrow.x, c.arrow.y);
        Mouse(bar, WM_LBUTTONDBLCLK, c.channel.x, c.channel.y);
        SetScrollPos(bar, SB_CTL, 20, TRUE);
        ASSERT_GT(ledger.ObtainedCount(), before) << "the input never repainted";
        EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
        DestroyWindow(bar);
    }
}

TEST_F(ScrollGdiWindows, UpDownPaintsBalance)
{
    HWND edit = CreateChild(dialog, "Edit", WS_BORDER, 20, 20, 80, 30);
    AttachWindow(edit);
    struct UpDownCase {
        const char *name;
        DWORD style;
        bool buddy;
    };
    const UpDownCase cases[] = {
        {"alone", 0, false},
        {"horizontal", UDS_HORZ, false},
        {"right of the Edit", UDS_ALIGNRIGHT, true},
        {"left of the Edit", UDS_ALIGNLEFT, true},
    };
    for (const UpDownCase &c : cases) {
        SCOPED_TRACE(c.name);
        HWND updown = CreateChild(dialog, UPDOWN_CLASSA, c.style, 150, 20, 16, 30);
        if (c.buddy)
            SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
        AttachWindow(updown);
        PumpMessages();
        GdiLedger ledger;
        SendMessageA(updown, WM_MOUSEMOVE, 0, MAKELPARAM(5, 3));
        Mouse(updown, WM_LBUTTONDOWN, 5, 3);
        Mouse(updown, WM_LBUTTONUP, 5, 3);
        SendMessageA(updown, WM_MOUSEMOVE, 0, MAKELPARAM(12, 25));
        ASSERT_GT(ledger.ObtainedCount(), 0) << "the input never repainted";
        const int before = ledger.ObtainedCount();
        InvalidateRect(updown, nullptr, TRUE);
        UpdateWindow(updown);
        ASSERT_GT(ledger.ObtainedCount(), before) << "the repaint never reached the painter";
        EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
        DestroyWindow(updown);
    }
}

}  // namespace

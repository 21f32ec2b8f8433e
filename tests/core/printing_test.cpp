// A skinned dialog's WM_PRINT shows its frame, caption, background and
// children; every kind's own print is a contract (hardening/contract_test.cpp).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "core/face.h"
#include "support/dib_canvas.h"
#include "support/harness.h"
#include "support/records.h"
#include "velk.h"

namespace {

class PrintingTest : public InDialogTest {
protected:
    void SetUp() override
    {
        InDialogTest::SetUp();
        ASSERT_NE(Enskin(nullptr, 1), 0);
    }
    void TearDown() override
    {
        Enskin(nullptr, 0);
        InDialogTest::TearDown();
    }
};

// The frame, the caption band and the background come from the skin, the
// children are printed at their places. The region leaves the rounded
// corners and the last row off the screen, so no point lies there.
TEST_F(PrintingTest, DialogPrintsFrameCaptionBackgroundAndChildren)
{
    HWND button = CreateChild(dialog, "Button", WS_VISIBLE | BS_PUSHBUTTON, 20, 60, 90, 26, 1, "Button");
    HWND box = CreateChild(dialog, "Button", WS_VISIBLE | BS_AUTOCHECKBOX, 20, 100, 120, 20, 2, "Check");
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages(50);

    RECT window;
    GetWindowRect(dialog, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    Canvas print(width, height);
    SendMessageW(dialog, WM_PRINT, reinterpret_cast<WPARAM>(print.dc), PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);

    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    const int captionMiddle = GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    POINT origin = {0, 0};
    MapWindowPoints(button, dialog, &origin, 1);
    ClientToScreen(dialog, &origin);
    const int buttonX = origin.x - window.left;
    const int buttonY = origin.y - window.top;
    const struct {
        const char *name;
        int x;
        int y;
    } points[] = {
        {"left frame", 1, height / 2},
        {"bottom frame", width / 2, height - 2},
        {"caption band", width / 2, captionMiddle},
        {"background", width - 30, height - 30},
        {"button face", buttonX + 45, buttonY + 13},
        {"button outline", buttonX + 45, buttonY + 1},
        {"check box frame", buttonX, buttonY + 40 + 10},
    };
    for (const auto &p : points)
        EXPECT_EQ(print.At(p.x, p.y), ReadWindowPixel(dialog, p.x, p.y)) << p.name;
    EXPECT_EQ(print.At(1, height / 2), CurrentFace()->dialogFrame) << "the skin's frame, not the system's";
}

}  // namespace

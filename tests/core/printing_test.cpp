// Printing shows the skin: each kind's WM_PRINTCLIENT into a memory DC
// against the same window as WM_PAINT put it on screen, and a dialog's
// WM_PRINT with its frame, caption, background and children.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "core/face.h"
#include "support/dib_canvas.h"
#include "support/harness.h"
#include "support/kinds.h"
#include "support/records.h"
#include "velk.h"

namespace {

// What the print leaves where a see-through painter draws nothing.
const COLORREF Untouched = RGB(255, 0, 255);

struct PrintCase {
    const char *kind;  // a row of the shared kind list
    void (*prepare)(HWND control);
    bool seeThrough;   // only the points the painter draws are compared
};

void Check(HWND control)
{
    SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
}

void Range(HWND control)
{
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE, 0, 100, 10, 40, 0};
    SetScrollInfo(control, SB_CTL, &info, TRUE);
}

void HalfFull(HWND control)
{
    SendMessageA(control, PBM_SETPOS, 50, 0);
}

void TwoTabs(HWND control)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char *>("One");
    SendMessageA(control, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<char *>("Two");
    SendMessageA(control, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
}

const PrintCase PrintCases[] = {
    {"push button", nullptr, false},
    {"check box", Check, false},
    {"radio button", Check, false},
    {"group box", nullptr, true},
    {"label", nullptr, false},
    {"drop-down list", nullptr, false},
    {"vertical scroll bar", Range, false},
    {"up-down", nullptr, false},
    {"progress bar", HalfFull, false},
    {"tab control", TwoTabs, true},
};

// Five columns by five rows, edges included.
std::vector<POINT> Grid(int width, int height)
{
    std::vector<POINT> points;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 5; ++column)
            points.push_back({column * (width - 1) / 4, row * (height - 1) / 4});
    }
    return points;
}

class PrintingTest : public RecordCheckedTest {
protected:
    HWND dialog = nullptr;

    void SetUp() override
    {
        RecordCheckedTest::SetUp();
        ASSERT_NE(Enskin(nullptr, 1), 0);
        dialog = CreateTestDialog(TestDialogStyle, 320, 280, "printing");
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
        Enskin(nullptr, 0);
        RecordCheckedTest::TearDown();
    }
};

TEST_F(PrintingTest, EveryKindPrintsItsClientAsTheScreenShowsIt)
{
    for (const PrintCase &c : PrintCases) {
        SCOPED_TRACE(c.kind);
        HWND control = CreateKind(dialog, KindNamed(c.kind), 10, 10, 7, "Print");
        if (c.prepare != nullptr)
            c.prepare(control);
        RECT client;
        GetClientRect(control, &client);
        // The combo box's window is its closed field.
        const int height = client.bottom;
        // A new up-down shows nothing until its first repaint, skinned or not.
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        PumpMessages(50);

        Canvas print(client.right, height);
        const RECT whole = {0, 0, client.right, height};
        HBRUSH marker = CreateSolidBrush(Untouched);
        FillRect(print.dc, &whole, marker);
        DeleteObject(marker);
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(print.dc), PRF_CLIENT);

        int compared = 0;
        for (const POINT &p : Grid(client.right, height)) {
            if (c.seeThrough && print.At(p.x, p.y) == Untouched)
                continue;
            ++compared;
            EXPECT_EQ(print.At(p.x, p.y), ReadWindowPixel(control, p.x, p.y)) << "at " << p.x << "," << p.y;
        }
        EXPECT_GT(compared, 0) << "the print drew nothing the screen shows";
        DestroyWindow(control);
    }
}

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

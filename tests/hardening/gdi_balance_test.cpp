// Many mixed repaints of every skinned kind, each after a state change a user
// or host makes, must leave the library's GDI accounting and the process's
// GDI object count where they started. The painters' single-state balance is
// covered beside each family; this is the long haul over all of them.
//
// VELK_REPAINT_COUNT sets the number of repaints (100,000 by default).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "../../gallery/gallery.h"
#include "core/skin.h"
#include "support/gdi_ledger.h"
#include "support/harness.h"
#include "velk.h"

void CloseGalleryWindow(HWND window)
{
    DestroyWindow(window);
}

namespace {

int RepaintCount()
{
    const char *count = std::getenv("VELK_REPAINT_COUNT");
    return count != nullptr ? std::atoi(count) : 100000;
}

BOOL CALLBACK CollectSkinned(HWND child, LPARAM param)
{
    if (FindSkinnedWindow(child) != nullptr)
        reinterpret_cast<std::vector<HWND> *>(param)->push_back(child);
    return TRUE;
}

// The process's GDI objects other than regions: the system keeps update and
// window regions of its own that come and go with the repaints.
int CountObjectsButRegions()
{
    int count = 0;
    for (ULONG_PTR handle = 1; handle <= 0xFFFF; ++handle) {
        const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(handle));
        count += type != 0 && type != OBJ_REGION;
    }
    return count;
}

// Leaves no control focused, so that no edit holds a caret bitmap while the
// objects are counted.
int CountAtRest(HWND dialog)
{
    SetFocus(dialog);
    PumpMessages();
    return CountObjectsButRegions();
}

// One change of the sort that makes a control repaint itself, sent as the
// user's input or the host's call would send it.
void ChangeState(HWND window, unsigned change)
{
    switch (change % 8) {
    case 0:
        EnableWindow(window, !IsWindowEnabled(window));
        break;
    case 1:
        SendMessageA(window, BM_SETCHECK, change % 3, 0);
        break;
    case 2:
        SendMessageA(window, BM_SETSTATE, change % 2, 0);
        break;
    case 3:
        SetFocus(window);
        break;
    case 4:
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        SendMessageA(window, WM_MOUSELEAVE, 0, 0);
        break;
    case 5:
        SendMessageA(window, PBM_SETPOS, change % 101, 0);
        SendMessageA(window, SBM_SETPOS, change % 101, TRUE);
        break;
    case 6:
        SendMessageA(window, TCM_SETCURSEL, change % 3, 0);
        SendMessageA(window, WM_NCACTIVATE, change % 2, 0);
        break;
    default:
        break;
    }
}

TEST(GdiBalanceTest, MixedRepaintsOfEveryKindLeaveTheCountsWhereTheyStarted)
{
    ASSERT_TRUE(SkinnedRecords().empty());
    ASSERT_NE(Enskin(nullptr, 1), 0);
    HBRUSH frameBrush = DlgInit(0);
    const GalleryContext context = {GetModuleHandleA(nullptr), frameBrush};
    HWND dialog = BuildCoverageSection(context);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOWNORMAL);
    // The first paint loads the background the library keeps for the
    // process; the counting starts after it.
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();

    std::vector<HWND> windows = {dialog};
    EnumChildWindows(dialog, CollectSkinned, reinterpret_cast<LPARAM>(&windows));
    ASSERT_GT(windows.size(), 20u);

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const int count = RepaintCount();
    auto repaintAtRandom = [&] {
        HWND window = windows[random() % windows.size()];
        ChangeState(window, random());
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    };
    // The standard controls make their own objects (cached fonts, brushes)
    // the first times through; the process count is taken once they have.
    for (int i = 0; i < 2000; ++i)
        repaintAtRandom();
    const int objectsBefore = CountAtRest(dialog);
    {
        GdiLedger ledger;
        for (int i = 0; i < count; ++i) {
            repaintAtRandom();
            if (i % 10000 == 9999) {
                PumpMessages();
                ASSERT_TRUE(ledger.Balanced()) << "after " << i + 1 << " repaints\n" << ledger.Report();
            }
        }
        PumpMessages();
        EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
        EXPECT_GT(ledger.CreatedCount(), count) << "the repaints did not reach the painters";
    }
    EXPECT_EQ(CountAtRest(dialog), objectsBefore) << "GDI objects of the process";

    DestroyWindow(dialog);
    EXPECT_NE(Enskin(nullptr, 0), 0);
    DeleteObject(frameBrush);
    EXPECT_TRUE(SkinnedRecords().empty());
}

} // namespace

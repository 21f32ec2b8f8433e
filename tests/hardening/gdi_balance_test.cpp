// Many mixed repaints of every skinned kind, each after a state change a user
// or host makes, must leave the library's GDI accounting where it started.
// The painters' single-state balance is covered beside each family; this is
// the long haul over all of them. (The process's own object count is no
// measure here: the common controls and the system make and drop objects of
// their own as the states change.)
//
// VELK_REPAINT_COUNT sets the number of repaints (10,000 by default;
// scripts/test.sh --long runs 100,000). VELK_REPAINT_SEED replays a seed.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
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
    return count != nullptr ? std::atoi(count) : 10000;
}

unsigned RepaintSeed(unsigned fallback)
{
    const char *seed = std::getenv("VELK_REPAINT_SEED");
    return seed != nullptr ? static_cast<unsigned>(std::strtoul(seed, nullptr, 0)) : fallback;
}

BOOL CALLBACK CollectSkinned(HWND child, LPARAM param)
{
    if (FindSkinnedWindow(child) != nullptr)
        reinterpret_cast<std::vector<HWND> *>(param)->push_back(child);
    return TRUE;
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

    const unsigned seed = RepaintSeed(std::random_device{}());
    const std::string replay =
        "seed " + std::to_string(seed) + " (replay with VELK_REPAINT_SEED=" + std::to_string(seed) + ")";
    SCOPED_TRACE(replay);
    // Printed at once too, so that a run that hangs still names its seed.
    std::printf("%s\n", replay.c_str());
    std::fflush(stdout);
    std::mt19937 random(seed);
    const int count = RepaintCount();
    const DWORD started = GetTickCount();
    {
        GdiLedger ledger;
        for (int i = 0; i < count; ++i) {
            HWND window = windows[random() % windows.size()];
            ChangeState(window, random());
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
            if (i % 1000 == 999) {
                PumpMessages();
                ASSERT_TRUE(ledger.Balanced()) << "after " << i + 1 << " repaints\n" << ledger.Report();
            }
        }
        PumpMessages();
        EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
        EXPECT_GT(ledger.CreatedCount(), count) << "the repaints did not reach the painters";
    }
    std::printf("%d repaints in %lu ms\n", count, GetTickCount() - started);

    DestroyWindow(dialog);
    EXPECT_NE(Enskin(nullptr, 0), 0);
    DeleteObject(frameBrush);
    EXPECT_TRUE(SkinnedRecords().empty());
}

} // namespace

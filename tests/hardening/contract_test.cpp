// What every kind owes, run over every row of the kind list, so that a new
// kind is held to it by its row: it prints as it shows, its release puts back
// what the skin changed, and its repaints, plain and mixed with state
// changes, give back every GDI object. (The storm, in storm_test.cpp, walks
// the same rows.)
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/skin.h"
#include "support/gdi_ledger.h"
#include "support/kinds.h"
#include "support/records.h"
#include "support/window_pixels.h"

namespace {

// What a print leaves where the printer draws nothing.
const COLORREF Untouched = RGB(255, 0, 255);

class KindContract : public InDialogParamTest<TestKind> {
protected:
    HWND window = nullptr;

    void SetUp() override
    {
        InDialogParamTest<TestKind>::SetUp();
        const TestKind &kind = GetParam();
        window = IsDialogKind(kind) ? dialog : CreateKind(dialog, kind, 10, 10, 7, "Kind");
        ASSERT_NE(window, nullptr);
        FillKind(window, kind);
        Repaint();
    }

    // The dialog beneath too, for what a see-through kind leaves to show. A
    // new up-down shows nothing until its first repaint, skinned or not.
    void Repaint()
    {
        const UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW;
        RedrawWindow(dialog, nullptr, nullptr, flags | RDW_ALLCHILDREN);
        RedrawWindow(window, nullptr, nullptr, flags);
        PumpMessages(50);
    }
};

// A point the screen cannot show: outside the window's region, if it has one.
bool OffScreen(HWND hwnd, int x, int y, bool client)
{
    if (client) {
        RECT window;
        GetWindowRect(hwnd, &window);
        POINT origin = {0, 0};
        ClientToScreen(hwnd, &origin);
        x += origin.x - window.left;
        y += origin.y - window.top;
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool outside = GetWindowRgn(hwnd, region) != ERROR && !PtInRegion(region, x, y);
    DeleteObject(region);
    return outside;
}

struct PrintWay {
    const char *name;
    UINT msg;
    LPARAM flags;
};
const PrintWay PrintWays[] = {
    {"WM_PRINTCLIENT", WM_PRINTCLIENT, PRF_CLIENT},
    {"WM_PRINT", WM_PRINT, PRF_CLIENT | PRF_NONCLIENT},
};

WindowPixels Screen(HWND hwnd, UINT msg)
{
    return msg == WM_PRINTCLIENT ? CaptureClient(hwnd) : CaptureWindow(hwnd);
}

// Counts the pixels where a and b differ and are not excused, naming the
// first few.
template <typename Excused>
::testing::AssertionResult SamePixels(const WindowPixels &a, const WindowPixels &b, Excused excused)
{
    if (a.width != b.width || a.height != b.height)
        return ::testing::AssertionFailure() << "sizes differ";
    int differing = 0;
    std::ostringstream first;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.At(x, y) == b.At(x, y) || excused(x, y))
                continue;
            if (++differing <= 5)
                first << " (" << x << "," << y << ") " << std::hex << a.At(x, y) << " against " << b.At(x, y)
                      << std::dec;
        }
    }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ, first:" << first.str();
}

// Every pixel, but where the platform's own print of the plain control
// differs from its screen (Wine's plain frames and children), and where a
// see-through kind leaves the parent's background to show.
TEST_P(KindContract, PrintsAsItShows)
{
    const COLORREF parentBackground = ReadWindowPixel(dialog, 400, 300);
    for (const PrintWay &way : PrintWays) {
        SCOPED_TRACE(way.name);
        const WindowPixels plainScreen = Screen(window, way.msg);
        const WindowPixels plainPrint = CapturePrint(window, way.msg, way.flags, Untouched);
        ASSERT_NE(AttachWindow(window), nullptr);
        Repaint();
        const WindowPixels screen = Screen(window, way.msg);
        const WindowPixels print = CapturePrint(window, way.msg, way.flags, Untouched);
        DetachWindow(window);
        Repaint();
        EXPECT_TRUE(SamePixels(print, screen, [&](int x, int y) {
            return OffScreen(window, x, y, way.msg == WM_PRINTCLIENT) || plainPrint.At(x, y) != plainScreen.At(x, y) ||
                   (print.At(x, y) == Untouched && screen.At(x, y) == parentBackground);
        })) << "printed against shown";
    }
}

// What a control says of itself that a skin may change: its procedure, its
// styles, its region and the colours it answers with.
struct Reading {
    const char *name;
    LRESULT value;
};

struct ColourQuery {
    const char *className;
    const char *name;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// SB_SETBKCOLOR is the status bar's only way to tell its colour: it answers
// with the one it had, and CLR_DEFAULT puts the control's own back.
const ColourQuery ColourQueries[] = {
    {WC_LISTVIEWA, "LVM_GETBKCOLOR", LVM_GETBKCOLOR, 0, 0},
    {WC_LISTVIEWA, "LVM_GETTEXTCOLOR", LVM_GETTEXTCOLOR, 0, 0},
    {WC_LISTVIEWA, "LVM_GETTEXTBKCOLOR", LVM_GETTEXTBKCOLOR, 0, 0},
    {WC_TREEVIEWA, "TVM_GETBKCOLOR", TVM_GETBKCOLOR, 0, 0},
    {WC_TREEVIEWA, "TVM_GETTEXTCOLOR", TVM_GETTEXTCOLOR, 0, 0},
    {WC_TREEVIEWA, "TVM_GETLINECOLOR", TVM_GETLINECOLOR, 0, 0},
    {MONTHCAL_CLASSA, "MCSC_BACKGROUND", MCM_GETCOLOR, MCSC_BACKGROUND, 0},
    {MONTHCAL_CLASSA, "MCSC_MONTHBK", MCM_GETCOLOR, MCSC_MONTHBK, 0},
    {MONTHCAL_CLASSA, "MCSC_TEXT", MCM_GETCOLOR, MCSC_TEXT, 0},
    {MONTHCAL_CLASSA, "MCSC_TITLEBK", MCM_GETCOLOR, MCSC_TITLEBK, 0},
    {DATETIMEPICK_CLASSA, "DTM_GETMCCOLOR background", DTM_GETMCCOLOR, MCSC_BACKGROUND, 0},
    {DATETIMEPICK_CLASSA, "DTM_GETMCCOLOR text", DTM_GETMCCOLOR, MCSC_TEXT, 0},
    {STATUSCLASSNAMEA, "SB_SETBKCOLOR", SB_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_DEFAULT)},
    {REBARCLASSNAMEA, "RB_GETBKCOLOR", RB_GETBKCOLOR, 0, 0},
    {REBARCLASSNAMEA, "RB_GETTEXTCOLOR", RB_GETTEXTCOLOR, 0, 0},
    {TOOLTIPS_CLASSA, "TTM_GETTIPBKCOLOR", TTM_GETTIPBKCOLOR, 0, 0},
    {TOOLTIPS_CLASSA, "TTM_GETTIPTEXTCOLOR", TTM_GETTIPTEXTCOLOR, 0, 0},
    {TOOLBARCLASSNAMEA, "TB_GETSTYLE", TB_GETSTYLE, 0, 0},
    {TOOLBARCLASSNAMEA, "TB_GETEXTENDEDSTYLE", TB_GETEXTENDEDSTYLE, 0, 0},
    {WC_TABCONTROLA, "TCM_GETEXTENDEDSTYLE", TCM_GETEXTENDEDSTYLE, 0, 0},
    {"Edit", "EM_GETMARGINS", EM_GETMARGINS, 0, 0},
};

std::vector<Reading> ReadControl(HWND hwnd, const TestKind &kind)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    std::vector<Reading> readings = {
        {"window procedure", GetWindowLongPtrW(hwnd, GWLP_WNDPROC)},
        {"style", GetWindowLongW(hwnd, GWL_STYLE)},
        {"extended style", GetWindowLongW(hwnd, GWL_EXSTYLE)},
        {"region", GetWindowRgn(hwnd, region)},
        {"font", SendMessageW(hwnd, WM_GETFONT, 0, 0)},
    };
    DeleteObject(region);
    for (const ColourQuery &query : ColourQueries) {
        if (lstrcmpiA(query.className, kind.className) == 0)
            readings.push_back({query.name, SendMessageW(hwnd, query.msg, query.wParam, query.lParam)});
    }
    return readings;
}

TEST_P(KindContract, ReleasePutsBackWhatTheSkinChanged)
{
    const std::vector<Reading> plain = ReadControl(window, GetParam());
    const WindowPixels plainScreen = CaptureWindow(window);
    ASSERT_NE(AttachWindow(window), nullptr);
    Repaint();
    EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), plain[0].value) << "the skin took no part";
    DetachWindow(window);
    Repaint();

    const std::vector<Reading> released = ReadControl(window, GetParam());
    for (size_t i = 0; i < plain.size(); ++i)
        EXPECT_EQ(released[i].value, plain[i].value) << plain[i].name;
    EXPECT_TRUE(SamePixels(CaptureWindow(window), plainScreen, [](int, int) { return false; }))
        << "released against never skinned";
}

// VELK_REPAINT_COUNT sets the mixed repaints over all the kinds (10,000 by
// default; scripts/test.sh --long runs 100,000). VELK_REPAINT_SEED replays a
// seed.
int RepaintsPerKind()
{
    const char *count = std::getenv("VELK_REPAINT_COUNT");
    return (count != nullptr ? std::atoi(count) : 10000) / static_cast<int>(TestKinds().size());
}

unsigned RepaintSeed()
{
    const char *seed = std::getenv("VELK_REPAINT_SEED");
    return seed != nullptr ? static_cast<unsigned>(std::strtoul(seed, nullptr, 0)) : std::random_device{}();
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

// Plain repaints and prints change neither the library's nor the process's
// count of objects; repaints mixed with state changes leave the library's
// accounting where it started (the common controls make and drop objects of
// their own as their states change).
TEST_P(KindContract, RepaintsGiveBackEveryGdiObject)
{
    ASSERT_NE(AttachWindow(window), nullptr);
    // The first paint and print load what the library and the control keep.
    Repaint();
    CapturePrint(window, WM_PRINT, PRF_CLIENT | PRF_NONCLIENT, Untouched);
    const int before = CountGdiObjects();
    const unsigned seed = RepaintSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (replay with VELK_REPAINT_SEED=" + std::to_string(seed) + ")");
    {
        GdiLedger ledger;
        for (int i = 0; i < 100; ++i) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
            if (i % 10 == 0)
                CapturePrint(window, WM_PRINT, PRF_CLIENT | PRF_NONCLIENT, Untouched);
        }
        PumpMessages();
        EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
        EXPECT_EQ(CountGdiObjects(), before) << "objects of the process";

        std::mt19937 random(seed);
        for (int i = 0; i < RepaintsPerKind(); ++i) {
            ChangeState(window, random());
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
            if (i % 100 == 99) {
                PumpMessages();
                ASSERT_TRUE(ledger.Balanced()) << "after " << i + 1 << " mixed repaints\n" << ledger.Report();
            }
        }
        PumpMessages();
        EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
        if (FindSkinnedWindow(window)->skinClass->paint != nullptr)
            EXPECT_GT(ledger.CreatedCount() + ledger.ObtainedCount(), 0) << "the repaints did not reach the painter";
    }
    DetachWindow(window);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, KindContract, testing::ValuesIn(TestKinds()), KindParamName);

}  // namespace

// Message storms: for every skinned kind, a seeded random run of the
// messages its handler takes over and of ordinary ones, with hostile
// parameters, mixed with what hosts do to their controls. Nothing may crash,
// the library's GDI accounting must stay balanced, and a control released
// afterwards must still work as the standard control.
//
// The count per kind is 4,000; VELK_STORM_COUNT raises it (scripts/test.sh
// --long runs 100,000). VELK_STORM_SEED replays one seed; VELK_STORM_BARE=1
// replays it on the standard controls with nothing skinned, which tells the
// platform's own faults from the library's.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/skin.h"
#include "support/gdi_ledger.h"
#include "support/harness.h"
#include "support/kinds.h"
#include "support/records.h"

namespace {

// A message that never returns (a loop waiting for the user, a spin) would
// otherwise hold the run until ctest's timeout; the watchdog ends the
// process after a minute without progress and says where it stood.
struct Watchdog {
    std::atomic<long> progress{0};
    std::atomic<UINT> lastMessage{0};
    std::atomic<unsigned long long> lastWParam{0};
    std::atomic<bool> running{false};
    unsigned seed = 0;
};
Watchdog watchdog;
const DWORD StallLimitMs = 60000;

DWORD WINAPI WatchdogThread(void *)
{
    long seen = -1;
    DWORD stalledFor = 0;
    while (watchdog.running) {
        Sleep(1000);
        const long now = watchdog.progress;
        stalledFor = now == seen ? stalledFor + 1000 : 0;
        seen = now;
        if (stalledFor >= StallLimitMs) {
            std::fprintf(stderr, "storm stalled for a minute at message 0x%04x wParam 0x%llx (seed %u)\n",
                         watchdog.lastMessage.load(), watchdog.lastWParam.load(), watchdog.seed);
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
    return 0;
}

// Watches the storm for as long as it lives, on every way out of the test.
struct WatchdogRun {
    HANDLE thread;
    explicit WatchdogRun(unsigned seed)
    {
        watchdog.seed = seed;
        watchdog.running = true;
        thread = CreateThread(nullptr, 0, WatchdogThread, nullptr, 0, nullptr);
    }
    ~WatchdogRun()
    {
        watchdog.running = false;
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
};

int StormCount()
{
    const char *count = std::getenv("VELK_STORM_COUNT");
    return count != nullptr ? std::atoi(count) : 4000;
}

unsigned StormSeed(unsigned fallback)
{
    const char *seed = std::getenv("VELK_STORM_SEED");
    return seed != nullptr ? static_cast<unsigned>(std::strtoul(seed, nullptr, 0)) : fallback;
}

// Messages some handler takes over, and ordinary ones. Messages that start a
// system modal loop waiting for real input (a caption drag, the system menu,
// a list view's drag detection) are left out: they would wait for a user.
const UINT StormMessages[] = {
    WM_PAINT, WM_NCPAINT, WM_ERASEBKGND, WM_SETTEXT, WM_GETTEXT, WM_SETICON, WM_GETICON, BM_SETCHECK,
    BM_GETCHECK, BM_SETSTATE, BM_SETSTYLE, BM_CLICK, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
    WM_MOUSEMOVE, WM_MOUSELEAVE, WM_SETFOCUS, WM_KILLFOCUS, WM_ENABLE, EM_SETREADONLY, WM_NCLBUTTONDOWN,
    WM_NCLBUTTONUP, WM_NCMOUSEMOVE, WM_NCHITTEST, WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_SIZE,
    WM_MOVE, WM_SETCURSOR, WM_INITMENUPOPUP, WM_NCRBUTTONDOWN, WM_CAPTURECHANGED, WM_TIMER, WM_SETREDRAW,
    WM_SETFONT, WM_GETFONT, WM_STYLECHANGED, WM_SYSCOLORCHANGE, WM_NULL, WM_GETDLGCODE, WM_KEYDOWN, WM_KEYUP,
    WM_CHAR, SBM_SETPOS, SBM_SETRANGE, SBM_SETRANGEREDRAW, SBM_ENABLE_ARROWS, UDM_SETPOS, UDM_SETRANGE,
    UDM_SETBUDDY, PBM_SETPOS, PBM_SETRANGE, PBM_SETRANGE32, PBM_STEPIT, PBM_DELTAPOS, TCM_SETCURSEL,
    WM_SYSCOMMAND,
};

// The caption button codes come last: only the skinned dialog takes presses
// on them; anything else, the released dialog too, hands them to the
// system, which then tracks the button until the user lets go.
const int HitTests[] = {HTCLIENT, HTNOWHERE, HTERROR, HTBORDER, 0x7FFF, HTCLOSE, HTMINBUTTON, HTMAXBUTTON};
const unsigned HitTestsForControls = 5;
// No SC_MOVE or SC_SIZE: both run a loop that waits for the user.
const WPARAM SysCommands[] = {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, 0};

struct Storm {
    std::mt19937 random;
    HWND dialog;
    HWND target;
    HWND buddy;
    std::vector<UINT> excluded;       // messages this kind answers with a loop that waits for the user
    std::vector<UINT> modalWhenBare;  // the same, but only while the target is not skinned
    std::vector<HWND> staleWindows;
    WPARAM ownType;  // the button type the target was made with
    MSG keyMessage = {nullptr, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    HDC paintDC = nullptr;
    HDC deadDC = nullptr;
    std::string text;
    bool trace = std::getenv("VELK_STORM_TRACE") != nullptr;
    bool bare = std::getenv("VELK_STORM_BARE") != nullptr;

    unsigned Next(unsigned bound) { return static_cast<unsigned>(random() % bound); }

    // Coordinates in and far out of the window, negative and huge.
    LPARAM Point()
    {
        switch (Next(4)) {
        case 0:
            return MAKELPARAM(Next(200), Next(200));
        case 1:
            return MAKELPARAM(static_cast<short>(-static_cast<int>(Next(30000))), Next(60000));
        case 2:
            return static_cast<LPARAM>(random());
        default:
            return 0;
        }
    }

    // A window where one is expected: null, live, stale or made up.
    HWND Window()
    {
        switch (Next(5)) {
        case 0:
            return nullptr;
        case 1:
            return dialog;
        case 2:
            return staleWindows[Next(static_cast<unsigned>(staleWindows.size()))];
        case 3:
            return reinterpret_cast<HWND>(static_cast<INT_PTR>(random()));
        default:
            return target;
        }
    }

    WPARAM Number() { return Next(3) == 0 ? static_cast<WPARAM>(random()) : Next(4); }

    void SendOne()
    {
        const UINT msg = StormMessages[Next(sizeof StormMessages / sizeof StormMessages[0])];
        for (UINT excludedMsg : excluded) {
            if (msg == excludedMsg)
                return;
        }
        const bool skinned = FindSkinnedWindow(target) != nullptr;
        for (UINT modalMsg : modalWhenBare) {
            if (msg == modalMsg && !skinned)
                return;
        }
        WPARAM wParam = Number();
        LPARAM lParam = static_cast<LPARAM>(Number());
        switch (msg) {
        case WM_SETTEXT:
            text.assign(Next(300), static_cast<char>('a' + Next(26)));
            lParam = Next(4) == 0 ? 0 : reinterpret_cast<LPARAM>(text.c_str());
            break;
        case WM_GETTEXT: {
            static char buffer[64];
            wParam = sizeof buffer;
            lParam = reinterpret_cast<LPARAM>(buffer);
            break;
        }
        case WM_SETICON:
            lParam = Next(2) == 0 ? reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_APPLICATION))
                                  : reinterpret_cast<LPARAM>(Window());
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
            wParam = Next(2) == 0 ? MK_LBUTTON : 0;
            lParam = Point();
            break;
        case WM_NCLBUTTONDOWN:
            if ((GetWindowLongA(target, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0 && Next(2) == 0) {
                PressOwnBar();
                return;
            }
            [[fallthrough]];
        case WM_NCLBUTTONUP:
        case WM_NCMOUSEMOVE:
        case WM_NCRBUTTONDOWN:
            wParam = HitTests[Next(target == dialog && skinned ? sizeof HitTests / sizeof HitTests[0] : HitTestsForControls)];
            lParam = Point();
            break;
        case WM_NCHITTEST:
            lParam = Point();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_INITMENUPOPUP:
            wParam = reinterpret_cast<WPARAM>(Window());
            break;
        case UDM_SETBUDDY:
            // The up-down takes over whatever it is given as buddy; only
            // what a host would give it, or a window gone since.
            wParam = reinterpret_cast<WPARAM>(Next(3) == 0 ? nullptr : Next(2) == 0 ? buddy : staleWindows[0]);
            break;
        case WM_PAINT:
            // None or a live device context: the standard edit painted
            // into a deleted one faults at its next text change here.
            wParam = reinterpret_cast<WPARAM>(Next(2) == 0 ? nullptr : paintDC);
            break;
        case WM_ERASEBKGND:
            wParam = reinterpret_cast<WPARAM>(Next(3) == 0 ? nullptr : Next(2) == 0 ? paintDC : deadDC);
            break;
        case WM_NCPAINT:
            // Whole-window (1), nothing, or a stale or made-up region.
            wParam = Next(2) == 0 ? 1 : static_cast<WPARAM>(random());
            break;
        case WM_ACTIVATE:
            lParam = reinterpret_cast<LPARAM>(Window());
            break;
        case WM_SETFONT:
            wParam = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
            break;
        case WM_STYLECHANGED:
            return;  // carries a pointer the system fills in
        case BM_SETSTYLE:
            // Random flags over the button's own type, or the other push
            // button type: a check box turned into a radio button would
            // meet the loop below.
            wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) |
                     (Next(2) == 0 || ownType > BS_DEFPUSHBUTTON ? ownType : ownType ^ BS_DEFPUSHBUTTON);
            break;
        case BM_CLICK:
        case WM_LBUTTONUP:
        case WM_KEYUP:
            // The standard auto radio button clicked while disabled or
            // hidden looks for itself in its group for ever on this
            // platform, skinned or not.
            if (ownType == BS_AUTORADIOBUTTON && (!IsWindowEnabled(target) || !IsWindowVisible(target)))
                return;
            if (msg == WM_LBUTTONUP) {
                wParam = Next(2) == 0 ? MK_LBUTTON : 0;
                lParam = Point();
            }
            break;
        case WM_GETDLGCODE:
            // The standard controls read the message lParam points to.
            lParam = Next(2) == 0 ? 0 : reinterpret_cast<LPARAM>(&keyMessage);
            break;
        case WM_SYSCOMMAND:
            wParam = SysCommands[Next(sizeof SysCommands / sizeof SysCommands[0])];
            lParam = Point();
            break;
        case WM_TIMER:
            wParam = Next(4);
            lParam = 0;  // a timer procedure address would be called
            break;
        default:
            break;
        }
        if (trace)
            std::fprintf(stderr, "msg 0x%04x wParam 0x%llx lParam 0x%llx\n", msg,
                         static_cast<unsigned long long>(wParam), static_cast<unsigned long long>(lParam));
        watchdog.lastMessage = msg;
        watchdog.lastWParam = wParam;
        SendMessageA(target, msg, wParam, lParam);
    }

    // A press anywhere on one of the target's own scroll bars; the moves and
    // the release wait in the queue, where the tracking loop finds them.
    void PressOwnBar()
    {
        const bool vertical = Next(2) == 0;
        SCROLLBARINFO bar = {sizeof bar};
        GetScrollBarInfo(target, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &bar);
        const RECT &r = bar.rcScrollBar;
        const int x = r.left + static_cast<int>(Next(r.right > r.left ? r.right - r.left : 1));
        const int y = r.top + static_cast<int>(Next(r.bottom > r.top ? r.bottom - r.top : 1));
        for (unsigned moves = Next(4); moves > 0; --moves)
            PostMessageA(target, WM_MOUSEMOVE, MK_LBUTTON, Point());
        PostMessageA(target, WM_LBUTTONUP, 0, Point());
        const WPARAM hitTest = vertical ? HTVSCROLL : HTHSCROLL;
        if (trace)
            std::fprintf(stderr, "msg 0x%04x wParam 0x%llx at %d, %d\n", WM_NCLBUTTONDOWN, 0ULL + hitTest, x, y);
        watchdog.lastMessage = WM_NCLBUTTONDOWN;
        watchdog.lastWParam = hitTest;
        SendMessageA(target, WM_NCLBUTTONDOWN, hitTest, MAKELPARAM(x, y));
    }

    // What a host does to its controls between messages.
    void HostAction()
    {
        const unsigned action = Next(9);
        if (trace)
            std::fprintf(stderr, "host action %u\n", action);
        switch (action) {
        case 0:
            EnableWindow(target, Next(2));
            break;
        case 1:
            SetWindowTextA(target, Next(2) == 0 ? "" : "Host text");
            break;
        case 2:
            SendMessageA(target, BM_SETCHECK, Next(4), 0);
            break;
        case 3:
            SetScrollRange(target, SB_CTL, static_cast<int>(Next(50)) - 20, static_cast<int>(Next(300)), TRUE);
            SetScrollPos(target, SB_CTL, static_cast<int>(Next(400)) - 50, TRUE);
            break;
        case 4:
            SendMessageA(target, PBM_SETRANGE32, Next(3), Next(3) == 0 ? 0 : Next(1000));
            SendMessageA(target, PBM_SETPOS, Next(1200), 0);
            break;
        case 5: {
            // Sizes down to nothing and up to large.
            const int width = static_cast<int>(Next(5) == 0 ? Next(3) : Next(500));
            const int height = static_cast<int>(Next(5) == 0 ? Next(3) : Next(400));
            SetWindowPos(target, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case 6:
            DetachWindow(target);
            break;
        case 7:
            if (!bare)
                AttachWindow(target);
            break;
        default:
            SendMessageA(target, UDM_SETRANGE32, Next(10), Next(100));
            break;
        }
    }
};

// What the storm needs of a kind beyond its shared row. A kind without a
// row here is stormed with its shared style and nothing left out.
struct StormExtras {
    const char *kind;
    DWORD addedStyle = 0;
    std::vector<UINT> excluded = {};
    std::vector<UINT> modalWhenBare = {};
    // Checks that the released control still works as the standard one.
    std::function<void(HWND control, HWND dialog)> stillWorks = nullptr;
    // Whether the skin draws anything of this kind: list boxes, hot-key
    // controls and list views keep their own look, an Edit made with
    // WS_BORDER has no window border left to ring, and an IP address
    // control's own window is not a scroll bar the painter can read.
    bool skinDraws = true;
    // Whether the control gets the kind list's content before the storm.
    bool filled = false;
};

void TextStays(HWND control, HWND)
{
    SetWindowTextA(control, "after");
    char text[16] = {};
    GetWindowTextA(control, text, sizeof text);
    EXPECT_STREQ(text, "after");
}

int clicksSeen;

INT_PTR CALLBACK CountingDialogProc(HWND, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        ++clicksSeen;
    return FALSE;
}

void ButtonStillClicks(HWND control, HWND dialog)
{
    TextStays(control, dialog);
    EnableWindow(control, TRUE);
    clicksSeen = 0;
    SendMessageA(control, BM_CLICK, 0, 0);
    RECT client;
    GetClientRect(control, &client);
    EXPECT_EQ(clicksSeen, 1) << "the released button does not click (iconic " << IsIconic(control) << ", visible "
                             << IsWindowVisible(control) << ", client " << client.right << "x" << client.bottom
                             << ", style 0x" << std::hex << GetWindowLongA(control, GWL_STYLE) << ")";
}

void ScrollStillMoves(HWND control, HWND)
{
    SetScrollRange(control, SB_CTL, 0, 50, FALSE);
    SetScrollPos(control, SB_CTL, 17, TRUE);
    EXPECT_EQ(GetScrollPos(control, SB_CTL), 17);
}

void ProgressStillSteps(HWND control, HWND)
{
    SendMessageA(control, PBM_SETRANGE32, 0, 100);
    SendMessageA(control, PBM_SETPOS, 40, 0);
    EXPECT_EQ(SendMessageA(control, PBM_GETPOS, 0, 0), 40);
}

void TabStillSelects(HWND control, HWND)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char *>("tab");
    SendMessageA(control, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageA(control, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    SendMessageA(control, TCM_SETCURSEL, 1, 0);
    EXPECT_EQ(SendMessageA(control, TCM_GETCURSEL, 0, 0), 1);
}

void UpDownStillCounts(HWND control, HWND)
{
    SendMessageA(control, UDM_SETRANGE32, 0, 10);
    SendMessageA(control, UDM_SETPOS32, 0, 7);
    EXPECT_EQ(SendMessageA(control, UDM_GETPOS32, 0, 0), 7);
}

bool OfClass(HWND control, const char *name)
{
    char className[32];
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

void ComboStillSelects(HWND control, HWND)
{
    if (!OfClass(control, "ComboBox"))
        return;
    SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
    SendMessageA(control, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(SendMessageA(control, CB_GETCURSEL, 0, 0), 0);
}

void ListStillHolds(HWND control, HWND)
{
    if (!OfClass(control, "ListBox"))
        return;
    SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
    EXPECT_GE(SendMessageA(control, LB_GETCOUNT, 0, 0), 1);
}

const StormExtras Extras[] = {
    {"push button", 0, {}, {}, ButtonStillClicks},
    {"default push button", BS_LEFT, {}, {}, ButtonStillClicks},
    {"push-like check box", 0, {}, {}, ButtonStillClicks},
    {"check box", 0, {}, {}, ButtonStillClicks},
    {"three-state check box", 0, {}, {}, ButtonStillClicks},
    {"radio button", BS_LEFTTEXT, {}, {}, ButtonStillClicks},
    {"group box", 0, {}, {}, TextStays},
    {"label", SS_CENTER, {}, {}, TextStays},
    {"edit", 0, {}, {}, TextStays},
    {"bordered edit", 0, {}, {}, TextStays, false},
    {"drop-down combo box", 0, {}, {}, ComboStillSelects},
    {"drop-down list", 0, {}, {}, ComboStillSelects},
    // A click on the month's name opens a menu that waits for the user.
    {"month calendar", 0, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}},
    // Filled past its height: its own scroll bar shows and takes presses.
    {"list box", 0, {}, {}, ListStillHolds, false, true},
    {"hot-key", 0, {}, {}, nullptr, false},
    // The standard scroll bar tracks a press until the button comes up.
    {"vertical scroll bar", 0, {}, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}, ScrollStillMoves},
    {"horizontal scroll bar", 0, {}, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}, ScrollStillMoves},
    {"IP address", 0, {}, {}, nullptr, false},
    // A press on a list view waits for a drag to start.
    {"list view", 0, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}, {}, nullptr, false},
    {"up-down", UDS_ALIGNRIGHT, {}, {}, UpDownStillCounts},
    {"progress bar", 0, {}, {}, ProgressStillSteps},
    {"tab control", 0, {}, {}, TabStillSelects},
    {"dialog", 0, {}, {}, TextStays},
    // Tree views, toolbars and rebars draw themselves in the face's colours.
    {"tree view", 0, {}, {}, nullptr, false},
    {"toolbar", 0, {}, {}, nullptr, false},
    {"rebar", 0, {}, {}, nullptr, false},
};

StormExtras ExtrasOf(const TestKind &kind)
{
    for (const StormExtras &extras : Extras) {
        if (lstrcmpA(extras.kind, kind.name) == 0)
            return extras;
    }
    return {kind.name};
}

class StormTest : public RecordCheckedParamTest<TestKind> {};

TEST_P(StormTest, NothingBreaksAndTheReleasedControlStillWorks)
{
    const TestKind &kind = GetParam();
    const StormExtras extras = ExtrasOf(kind);
    const unsigned seed = StormSeed(std::random_device{}());
    const std::string replay = "seed " + std::to_string(seed) + " (replay with VELK_STORM_SEED=" + std::to_string(seed) +
                               ", VELK_STORM_TRACE=1 lists every message)";
    SCOPED_TRACE(replay);
    // Printed at once too, so that a run that hangs still names its seed.
    std::printf("%s\n", replay.c_str());
    std::fflush(stdout);

    HWND dialog = CreateTestDialog(TestDialogStyle | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 420, 320, kind.name,
                                   CountingDialogProc);
    Storm storm{std::mt19937(seed), dialog, dialog, nullptr, extras.excluded, extras.modalWhenBare, {},
                (kind.style | extras.addedStyle) & BS_TYPEMASK};
    // The dialog background is loaded once per process and kept; load it
    // before the accounting starts.
    if (!storm.bare) {
        AttachWindow(dialog);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        DetachWindow(dialog);
    }
    storm.paintDC = CreateCompatibleDC(nullptr);
    storm.deadDC = CreateCompatibleDC(nullptr);
    DeleteDC(storm.deadDC);
    for (int i = 0; i < 4; ++i) {
        HWND gone = CreateChild(dialog, "Button", BS_PUSHBUTTON, 0, 0, 10, 10);
        DestroyWindow(gone);
        storm.staleWindows.push_back(gone);
    }
    HWND buddy = CreateChild(dialog, "Edit", WS_BORDER, 200, 20, 80, 22, 2);
    if (!storm.bare)
        AttachWindow(buddy);
    storm.buddy = buddy;
    if (!IsDialogKind(kind)) {
        storm.target = CreateKind(dialog, kind, 20, 20, 1, "storm", extras.addedStyle | WS_TABSTOP);
        ASSERT_NE(storm.target, nullptr);
        if (lstrcmpA(kind.className, "msctls_updown32") == 0)
            SendMessageA(storm.target, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
        if (extras.filled)
            FillKind(storm.target, kind);
    }
    if (!storm.bare)
        ASSERT_NE(AttachWindow(storm.target), nullptr);

    const int count = StormCount();
    {
        WatchdogRun watching(seed);
        GdiLedger ledger;
        for (int i = 0; i < count; ++i) {
            ++watchdog.progress;
            if (storm.Next(10) == 0)
                storm.HostAction();
            else
                storm.SendOne();
            if (i % 97 == 0)
                PumpMessages();
            ASSERT_TRUE(IsWindow(storm.target)) << "the control went away at message " << i;
            if (i % 1000 == 999 || i == count - 1) {
                ASSERT_TRUE(ledger.Problems().empty()) << "at message " << i << "\n" << ledger.Report();
                ASSERT_EQ(ledger.HeldDCs(), 0) << "at message " << i << "\n" << ledger.Report();
                ASSERT_EQ(ledger.LiveObjects(), 0) << "at message " << i << "\n" << ledger.Report();
            }
        }
        // A balance of nothing would prove nothing: the storm's paints must
        // have reached the library's painters.
        if (!storm.bare && extras.skinDraws)
            EXPECT_GT(ledger.ObtainedCount(), 0) << "no painter took a DC";
        ReleaseCapture();
        DetachWindow(storm.target);
        PumpMessages();
        EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
    }

    // The storm may have minimized or maximized the dialog and the control,
    // or hidden the control (WM_SETREDRAW FALSE takes its visibility away):
    // a hidden auto radio button clicked looks for itself in its group for
    // ever on this platform.
    ShowWindow(dialog, SW_RESTORE);
    if (IsIconic(storm.target) || IsZoomed(storm.target))
        ShowWindow(storm.target, SW_RESTORE);
    SetWindowPos(storm.target, nullptr, 20, 20, kind.width, kind.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (extras.stillWorks) {
        WatchdogRun watching(seed);
        extras.stillWorks(storm.target, dialog);
    }
    DestroyWindow(dialog);
    DeleteDC(storm.paintDC);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, StormTest, testing::ValuesIn(TestKinds()), KindParamName);

} // namespace

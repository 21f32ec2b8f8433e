// What a host's own dialog procedure does with skinned windows, one row per
// case: how the host is set up, what it does, what its procedure must see
// and what must hold afterwards. Everything is skinned by thread-wide
// skinning, as it is made.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <vector>

#include "core/skin.h"
#include "support/harness.h"
#include "support/records.h"
#include "support/window_pixels.h"
#include "velk.h"

namespace {

const COLORREF Black = RGB(0, 0, 0);
const COLORREF HostRed = RGB(255, 0, 0);
const int ControlId = 100;
const int OtherId = 101;

// The case at hand: the windows it made, what its host procedure does and
// what that procedure saw.
struct Host {
    HWND dialog = nullptr;
    HWND control = nullptr;
    HWND other = nullptr;
    std::vector<UINT> seen;
    std::vector<WORD> notifications;  // WM_COMMAND codes from ControlId
    std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam)> react;  // true: handled
    bool controlVisibleInside = false;
    double elapsedMilliseconds = 0;
    int menus[2] = {};  // WM_INITMENUPOPUP of the host's menus, of window menus
};
Host host;

int Count(UINT msg)
{
    int count = 0;
    for (UINT seen : host.seen)
        count += seen == msg;
    return count;
}

int Notifications(WORD code)
{
    int count = 0;
    for (WORD seen : host.notifications)
        count += seen == code;
    return count;
}

INT_PTR CALLBACK HostDialogProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    host.seen.push_back(msg);
    if (msg == WM_COMMAND && LOWORD(wParam) == ControlId)
        host.notifications.push_back(HIWORD(wParam));
    // A menu the host is asked to prepare closes at once.
    if (msg == WM_INITMENUPOPUP) {
        ++host.menus[HIWORD(lParam) != FALSE];
        EndMenu();
    }
    return host.react && host.react(msg, wParam, lParam);
}

// Hides the control inside the first such notification, noting whether it
// was visible when the notification came.
bool HideControlOn(UINT notification, UINT msg)
{
    if (msg != notification)
        return false;
    if (Count(notification) == 1) {
        host.controlVisibleInside = IsWindowVisible(host.control) != FALSE;
        ShowWindow(host.control, SW_HIDE);
    }
    return true;
}

COLORREF ClientPixel(HWND hwnd, int x, int y)
{
    HDC dc = GetDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
}

HWND MakeChild(const char *className, DWORD style, int x, int y, int width, int height, int id,
               const char *text = "")
{
    return CreateChild(host.dialog, className, style, x, y, width, height, id, text);
}

void MakeBar()
{
    host.control = MakeChild("ScrollBar", SBS_VERT, 20, 20, 17, 150, ControlId);
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS, 0, 100, 0, 50, 0};
    SetScrollInfo(host.control, SB_CTL, &info, TRUE);
}

void MakeUpDown()
{
    host.control = MakeChild(UPDOWN_CLASSA, 0, 20, 20, 20, 40, ControlId);
    SendMessageA(host.control, UDM_SETRANGE32, 0, 100);
}

void MakePushLikeRadios()
{
    host.control = MakeChild("Button", BS_AUTORADIOBUTTON | BS_PUSHLIKE | WS_GROUP, 20, 20, 80, 24, ControlId, "one");
    host.other = MakeChild("Button", BS_AUTORADIOBUTTON | BS_PUSHLIKE, 20, 50, 80, 24, OtherId, "two");
    MakeChild("Button", BS_PUSHBUTTON | WS_GROUP, 20, 80, 80, 24, 0, "apart");
}

// A timer ends a menu the host never hears of.
void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR, DWORD)
{
    EndMenu();
}

const COLORREF Sentinel = RGB(0x12, 0x34, 0x56);
MessageLog belowSkin;

// A host that unloads the shipped velk.dll under its windows, in a child
// process of this program, so that a crash fails the case instead of the
// run: "single" skins its windows one by one, the others thread-wide;
// "released" releases everything before FreeLibrary. Its exit code: 0 when
// it saw what it must.
int UnloadingHost(const char *order)
{
    HMODULE library = LoadLibraryA("velk.dll");
    auto enskin = reinterpret_cast<EnskinProc>(reinterpret_cast<void *>(GetProcAddress(library, "Enskin")));
    const bool threadWide = std::strcmp(order, "single") != 0;
    if (enskin == nullptr || (threadWide && enskin(nullptr, 1) == 0))
        return 1;
    HWND dialog = CreateTestDialog(TestDialogStyle, 300, 200, "unloading");
    HWND push = CreateChild(dialog, "Button", BS_PUSHBUTTON, 10, 10, 80, 24, 1, "Press");
    HWND bar = CreateChild(dialog, "ScrollBar", SBS_VERT, 200, 10, 17, 120, 2);
    for (HWND window : {dialog, push, bar})
        if (!threadWide)
            enskin(window, 1);
    if (std::strcmp(order, "released") == 0) {
        enskin(nullptr, 0);
        FreeLibrary(library);
        return GetModuleHandleA("velk.dll") != nullptr ? 2 : 0;
    }
    FreeLibrary(library);
    if (GetModuleHandleA("velk.dll") == nullptr)
        return 3;
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Click(push, 5, 5);
    Click(bar, 8, 115);
    DestroyWindow(CreateChild(dialog, "Button", BS_PUSHBUTTON, 100, 10, 80, 24, 3, "Made later"));
    DestroyWindow(dialog);
    // The last window's going gives the library back a moment later; the
    // hook keeps it.
    PumpMessages(1000);
    return (GetModuleHandleA("velk.dll") != nullptr) == threadWide ? 0 : 4;
}

const char UnloadingVariable[] = "VELK_UNLOADING_HOST";
const int unloadingChild = [] {
    char order[16];
    if (GetEnvironmentVariableA(UnloadingVariable, order, sizeof order) != 0)
        ExitProcess(UnloadingHost(order));
    return 0;
}();

DWORD RunUnloadingHost(const char *order)
{
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    SetEnvironmentVariableA(UnloadingVariable, order);
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION child = {};
    DWORD code = ~DWORD{0};
    if (CreateProcessA(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child)) {
        if (WaitForSingleObject(child.hProcess, 60000) != WAIT_OBJECT_0)
            TerminateProcess(child.hProcess, code);
        GetExitCodeProcess(child.hProcess, &code);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    SetEnvironmentVariableA(UnloadingVariable, nullptr);
    return code;
}

struct HostCase {
    const char *name;
    DWORD dialogStyle;
    std::function<void()> build;
    std::function<void()> act;
    std::function<void()> check;
};

std::ostream &operator<<(std::ostream &out, const HostCase &c)
{
    return out << c.name;
}

const HostCase HostCases[] = {
    {"the dialog procedure paints over the background", 0,
     [] {
         host.react = [](UINT msg, WPARAM, LPARAM) {
             if (msg != WM_PAINT)
                 return false;
             PAINTSTRUCT paint;
             HDC dc = BeginPaint(host.dialog, &paint);
             const RECT square = {10, 10, 40, 40};
             HBRUSH red = CreateSolidBrush(HostRed);
             FillRect(dc, &square, red);
             DeleteObject(red);
             EndPaint(host.dialog, &paint);
             return true;
         };
     },
     [] {
         InvalidateRect(host.dialog, nullptr, TRUE);
         UpdateWindow(host.dialog);
     },
     [] {
         EXPECT_GE(Count(WM_PAINT), 1);
         EXPECT_EQ(ClientPixel(host.dialog, 20, 20), HostRed) << "the host's drawing";
         EXPECT_EQ(ClientPixel(host.dialog, 60, 60), CurrentFace()->dialogBackground) << "the background beside it";
     }},
    {"a resizable dialog grows", WS_THICKFRAME, [] {},
     [] { SetWindowPos(host.dialog, nullptr, 0, 0, 460, 340, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE); },
     [] {
         EXPECT_GE(Count(WM_SIZE), 1) << "the host's layout never ran";
         EXPECT_TRUE(InsideRegion(host.dialog, 440, 320)) << "the grown part is cut off";
         EXPECT_FALSE(InsideRegion(host.dialog, 459, 339)) << "the new corner is not rounded";
     }},
    {"a resizable dialog shows a sizing cursor on its border", WS_THICKFRAME,
     [] { SetCursor(LoadCursor(nullptr, IDC_WAIT)); },
     [] { SendMessageA(host.dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(host.dialog), MAKELPARAM(HTLEFT, 0)); },
     [] { EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE)); }},
    {"a fixed dialog shows the arrow over itself", 0, [] { SetCursor(LoadCursor(nullptr, IDC_WAIT)); },
     [] {
         EXPECT_EQ(SendMessageA(host.dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(host.dialog),
                                MAKELPARAM(HTLEFT, 0)),
                   0);
     },
     [] { EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW)); }},
    {"an edit is validated once when a push button takes the focus", 0,
     [] {
         host.control = MakeChild("Edit", WS_BORDER | WS_TABSTOP, 20, 20, 100, 22, ControlId);
         host.other = MakeChild("Button", BS_PUSHBUTTON, 20, 60, 80, 24, OtherId, "OK");
         SetFocus(host.control);
     },
     [] { Click(host.other, 5, 5); },
     [] { EXPECT_EQ(Notifications(EN_KILLFOCUS), 1); }},
    {"the host hides a scroll bar inside WM_VSCROLL", 0,
     [] {
         MakeBar();
         host.react = [](UINT msg, WPARAM, LPARAM) { return HideControlOn(WM_VSCROLL, msg); };
     },
     [] { Click(host.control, 8, 5); },
     [] {
         EXPECT_EQ(Count(WM_VSCROLL), 1);
         EXPECT_TRUE(host.controlVisibleInside) << "the host saw the bar hidden";
         EXPECT_FALSE(IsWindowVisible(host.control)) << "the bar came back";
     }},
    {"the host hides an up-down inside WM_VSCROLL", 0,
     [] {
         MakeUpDown();
         host.react = [](UINT msg, WPARAM, LPARAM) { return HideControlOn(WM_VSCROLL, msg); };
     },
     [] { Click(host.control, 10, 5); },
     [] {
         EXPECT_GE(Count(WM_VSCROLL), 1);
         EXPECT_TRUE(host.controlVisibleInside) << "the host saw the up-down hidden";
         EXPECT_FALSE(IsWindowVisible(host.control)) << "the up-down came back";
     }},
    {"a push-like check box toggles", 0,
     [] {
         host.control = MakeChild("Button", BS_AUTOCHECKBOX | BS_PUSHLIKE, 20, 20, 80, 24, ControlId, "toggle");
     },
     [] { Click(host.control, 5, 5); },
     [] {
         EXPECT_EQ(SendMessageA(host.control, BM_GETCHECK, 0, 0), BST_CHECKED);
         EXPECT_EQ(Notifications(BN_CLICKED), 1);
         EXPECT_NE(FindSkinnedWindow(host.control)->state & SKS_CHECKED, 0u) << "not drawn checked";
         Click(host.control, 5, 5);
         EXPECT_EQ(SendMessageA(host.control, BM_GETCHECK, 0, 0), BST_UNCHECKED);
         EXPECT_EQ(Notifications(BN_CLICKED), 2);
     }},
    {"push-like radio buttons keep one of their group checked", 0, MakePushLikeRadios,
     [] {
         Click(host.control, 5, 5);
         Click(host.other, 5, 5);
     },
     [] {
         EXPECT_EQ(SendMessageA(host.control, BM_GETCHECK, 0, 0), BST_UNCHECKED);
         EXPECT_EQ(SendMessageA(host.other, BM_GETCHECK, 0, 0), BST_CHECKED);
         EXPECT_EQ(Notifications(BN_CLICKED), 1) << "from the first of the two";
     }},
    {"a press on a combo box's drop button returns at once", 0,
     [] {
         host.control = MakeChild("ComboBox", CBS_DROPDOWNLIST, 20, 20, 150, 120, ControlId);
         SendMessageA(host.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
     },
     [] {
         RECT window;
         GetWindowRect(host.control, &window);
         const POINT button = {window.right - window.left - 6, (window.bottom - window.top) / 2};
         POINT screen = {window.left + button.x, window.top + button.y};
         SetCursorPos(screen.x, screen.y);
         const double start = Milliseconds();
         SendMessageA(host.control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.x, button.y));
         host.elapsedMilliseconds = Milliseconds() - start;
     },
     [] {
         EXPECT_LT(host.elapsedMilliseconds, 100.0);
         EXPECT_EQ(SendMessageA(host.control, CB_GETDROPPEDSTATE, 0, 0), TRUE);
         SendMessageA(host.control, CB_SHOWDROPDOWN, FALSE, 0);
     }},
    {"a label on a dialog that clips its children", WS_CLIPCHILDREN,
     [] { host.control = MakeChild("Static", SS_LEFT, 20, 20, 120, 30, ControlId, "Look in:"); },
     [] {
         FillWindow(host.control, Black);
         RedrawWindow(host.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
     },
     [] { EXPECT_EQ(ClientPixel(host.control, 110, 25), CurrentFace()->dialogBackground) << "not on the background"; }},
    {"a label that takes the focus", WS_CLIPCHILDREN,
     [] { host.control = MakeChild("Static", SS_LEFT, 20, 20, 120, 30, ControlId, "Active"); },
     [] {
         FillWindow(host.control, Black);
         SetFocus(host.control);
     },
     [] { EXPECT_EQ(ClientPixel(host.control, 110, 25), CurrentFace()->dialogBackground) << "not on the background"; }},
    {"a transparent toolbar asks the dialog for its background", WS_CLIPCHILDREN,
     [] {
         host.control = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | CCS_NODIVIDER |
                                            CCS_NORESIZE,
                                        10, 10, 200, 30, host.dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
     },
     [] {
         FillWindow(host.control, Black);
         RedrawWindow(host.control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
     },
     [] { EXPECT_EQ(ClientPixel(host.control, 150, 15), CurrentFace()->dialogBackground) << "not on the background"; }},
    {"an ANSI host's window stays ANSI and keeps its bytes", 0, [] {},
     [] { SetWindowTextA(host.dialog, "caf\xE9 \xA3"); },
     [] {
         EXPECT_FALSE(IsWindowUnicode(host.dialog));
         char read[16] = {};
         GetWindowTextA(host.dialog, read, sizeof read);
         EXPECT_STREQ(read, "caf\xE9 \xA3");
     }},
    {"the host prepares the menus of its bar, its keys, its context menu and the window menu", 0,
     [] {
         HMENU bar = CreateMenu();
         HMENU file = CreatePopupMenu();
         AppendMenuA(file, MF_STRING, 200, "&Open");
         AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
         SetMenu(host.dialog, bar);
     },
     [] {
         RECT file;
         GetMenuItemRect(host.dialog, GetMenu(host.dialog), 0, &file);
         const UINT_PTR timer = SetTimer(nullptr, 0, 500, EndMenuLater);
         SendMessageA(host.dialog, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(file.left + 2, file.top + 2));
         SendMessageA(host.dialog, WM_SYSCOMMAND, SC_KEYMENU, 'f');
         TrackPopupMenu(GetSubMenu(GetMenu(host.dialog), 0), 0, 100, 100, 0, host.dialog, nullptr);
         SendMessageA(host.dialog, WM_SYSCOMMAND, SC_KEYMENU, ' ');
         KillTimer(nullptr, timer);
     },
     [] {
         EXPECT_EQ(host.menus[0], 3) << "the bar, Alt+F and the context menu";
         EXPECT_EQ(host.menus[1], 1) << "the window menu";
         // The bar itself in the face, under the skinned caption, in the skinned frame.
         MENUBARINFO bar = {sizeof bar};
         RECT window;
         GetMenuBarInfo(host.dialog, OBJID_MENU, 0, &bar);
         GetWindowRect(host.dialog, &window);
         const int y = bar.rcBar.bottom - 5 - window.top;
         EXPECT_EQ(ReadWindowPixel(host.dialog, bar.rcBar.right - 5 - window.left, y), CurrentFace()->menuBarBackground);
         EXPECT_EQ(ReadWindowPixel(host.dialog, 1, y), CurrentFace()->dialogFrame);
         const COLORREF caption =
             ReadWindowPixel(host.dialog, GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME));
         EXPECT_TRUE(caption == CurrentFace()->activeCaption[0] || caption == CurrentFace()->inactiveCaption[0]);
     }},
    {"a scroll bar with an empty range shows its arrows and channel", 0,
     [] { host.control = MakeChild("ScrollBar", SBS_VERT, 20, 20, 17, 150, ControlId); },
     [] {
         FillWindow(host.control, Sentinel);
         RedrawWindow(host.control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
     },
     [] {
         for (const POINT point : {POINT{0, 0}, POINT{8, 75}, POINT{16, 149}})
             EXPECT_NE(ReadWindowPixel(host.control, point.x, point.y), Sentinel) << "arrow, channel, arrow";
     }},
    {"the IP address control keeps its dots and takes a click", 0,
     [] {
         host.control = MakeChild(WC_IPADDRESSA, 0, 20, 20, 160, 22, ControlId);
         Enskin(host.control, 0);
         StartLogging(host.control, &belowSkin);
         Enskin(host.control, 1);
     },
     [] {
         FillWindow(host.control, Sentinel);
         RedrawWindow(host.control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
         Click(host.control, 40, 10);
     },
     [] {
         EXPECT_FALSE(Shows(host.control, Sentinel));
         EXPECT_TRUE(Shows(host.control, GetSysColor(COLOR_WINDOWTEXT))) << "the dots between the empty fields";
         EXPECT_EQ(belowSkin.Count(WM_LBUTTONDOWN), 1) << belowSkin.Describe();
         EXPECT_NE(GetCapture(), host.control);
     }},
    {"the host unloads the library under its windows or after them, in a child process", 0, [] {}, [] {},
     [] {
         for (const char *order : {"thread-wide", "single", "released"})
             EXPECT_EQ(RunUnloadingHost(order), 0u) << order;
     }},
};

class HostBehaviourTest : public RecordCheckedParamTest<HostCase> {
protected:
    void SetUp() override
    {
        RecordCheckedParamTest<HostCase>::SetUp();
        ASSERT_EQ(GetFileAttributesA(".\\face\\back.bmp"), INVALID_FILE_ATTRIBUTES)
            << "this program runs where there is no background file";
        host = Host{};
        ASSERT_NE(Enskin(nullptr, 1), 0);
    }

    void TearDown() override
    {
        Enskin(nullptr, 0);
        DestroyWindow(host.dialog);
        host = Host{};
        RecordCheckedParamTest<HostCase>::TearDown();
    }
};

TEST_P(HostBehaviourTest, TheHostGetsWhatAnUnskinnedDialogWouldGiveIt)
{
    const HostCase &c = GetParam();
    host.dialog = CreateTestDialog(TestDialogStyle | c.dialogStyle, 300, 220, "host", HostDialogProc);
    ASSERT_NE(FindSkinnedWindow(host.dialog), nullptr);
    c.build();
    PumpMessages();
    host.seen.clear();
    c.act();
    PumpMessages();
    c.check();
}

INSTANTIATE_TEST_SUITE_P(EveryCase, HostBehaviourTest, testing::ValuesIn(HostCases));

}  // namespace

// What a host's own dialog procedure does with skinned windows, one row per
// case: how the host is set up, what it does, what its procedure must see
// and what must hold afterwards. Everything is skinned by thread-wide
// skinning, as it is made.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <functional>
#include <ostream>
#include <vector>

#include "core/skin.h"
#include "support/harness.h"
#include "support/records.h"
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
    std::vector<bool> menuPopups;  // each WM_INITMENUPOPUP: whether it was the window menu's
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
    if (msg == WM_INITMENUPOPUP)
        host.menuPopups.push_back(HIWORD(lParam) != FALSE);
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

double Milliseconds()
{
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
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

// The host's menu bar: File with one item, and Edit.
HMENU MakeMenuBar()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 200, "&Open");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    HMENU edit = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, 201, "&Copy");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    return bar;
}

// Every menu the cases open closes itself: the host ends it as it is being
// prepared, and a timer ends one that the host never hears of.
void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR, DWORD)
{
    EndMenu();
}

bool EndMenuOnPopup(UINT msg)
{
    if (msg == WM_INITMENUPOPUP || msg == WM_ENTERIDLE)
        EndMenu();
    return false;
}

// The popups the host was asked to prepare while open ran: its own menus
// (false) and window menus (true).
std::vector<bool> MenusPreparedBy(const std::function<void()> &open)
{
    host.menuPopups.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 500, EndMenuLater);
    open();
    PumpMessages(50);
    KillTimer(nullptr, timer);
    return host.menuPopups;
}

// The window's own character set, and the window's bytes, kept.
void ExpectAnsiKept(HWND window, const char *what)
{
    const char bytes[] = "caf\xE9 \xA3";
    EXPECT_FALSE(IsWindowUnicode(window)) << what;
    SetWindowTextA(window, bytes);
    char read[32] = {};
    GetWindowTextA(window, read, sizeof read);
    EXPECT_STREQ(read, bytes) << what;
}

const COLORREF Sentinel = RGB(0x12, 0x34, 0x56);
MessageLog controlLog;

// The IP address control's first two fields and the gap between them, in
// the control's client coordinates.
struct AddressGap {
    HWND first;
    HWND second;
    RECT gap;
};

AddressGap GapOf(HWND address)
{
    std::vector<std::pair<LONG, HWND>> fields;
    for (HWND field = GetWindow(address, GW_CHILD); field != nullptr; field = GetWindow(field, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(field, &r);
        fields.push_back({r.left, field});
    }
    std::sort(fields.begin(), fields.end());
    AddressGap found = {};
    if (fields.size() < 2)
        return found;
    found.first = fields[0].second;
    found.second = fields[1].second;
    RECT a, b;
    GetWindowRect(found.first, &a);
    GetWindowRect(found.second, &b);
    found.gap = {a.right, a.top, b.left, a.bottom};
    MapWindowPoints(nullptr, address, reinterpret_cast<POINT *>(&found.gap), 2);
    return found;
}

// Runs unload_host.exe, beside this program and the shipped velk.dll, with
// the host's order of things, and returns its exit code: 0 when it saw
// what it must, an exception code when it crashed.
DWORD RunUnloadingHost(const char *order)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char *name = std::strrchr(path, '\\');
    if (name == nullptr)
        return ~DWORD{0};
    std::strcpy(name + 1, "unload_host.exe");
    std::string command = std::string("\"") + path + "\" " + order;
    STARTUPINFOA start = {sizeof start};
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(path, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
        return ~DWORD{0};
    DWORD code = ~DWORD{0};
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
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
         EXPECT_EQ(ClientPixel(host.dialog, 60, 60), GetSysColor(COLOR_BTNFACE)) << "the background beside it";
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
     [] { EXPECT_EQ(ClientPixel(host.control, 110, 25), GetSysColor(COLOR_BTNFACE)) << "not on the background"; }},
    {"a label that takes the focus", WS_CLIPCHILDREN,
     [] { host.control = MakeChild("Static", SS_LEFT, 20, 20, 120, 30, ControlId, "Active"); },
     [] {
         FillWindow(host.control, Black);
         SetFocus(host.control);
     },
     [] { EXPECT_EQ(ClientPixel(host.control, 110, 25), GetSysColor(COLOR_BTNFACE)) << "not on the background"; }},
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
     [] { EXPECT_EQ(ClientPixel(host.control, 150, 15), GetSysColor(COLOR_BTNFACE)) << "not on the background"; }},
    {"an ANSI host's windows stay ANSI and keep its bytes", 0,
     [] { host.control = MakeChild("Edit", WS_BORDER, 20, 20, 120, 22, ControlId); },
     [] {},
     [] {
         ASSERT_NE(FindSkinnedWindow(host.control), nullptr);
         ExpectAnsiKept(host.control, "edit");
         ExpectAnsiKept(host.dialog, "dialog");
     }},
    {"the host prepares the menus of its bar, its keys and its context menu", 0,
     [] {
         SetMenu(host.dialog, MakeMenuBar());
         host.react = [](UINT msg, WPARAM, LPARAM) { return EndMenuOnPopup(msg); };
     },
     [] {},
     [] {
         const std::vector<bool> hostMenu = {false};
         RECT file;
         ASSERT_TRUE(GetMenuItemRect(host.dialog, GetMenu(host.dialog), 0, &file));
         const LPARAM onFile = MAKELPARAM((file.left + file.right) / 2, (file.top + file.bottom) / 2);
         EXPECT_EQ(MenusPreparedBy([onFile] { SendMessageA(host.dialog, WM_NCLBUTTONDOWN, HTMENU, onFile); }),
                   hostMenu)
             << "a click on File";
         EXPECT_EQ(MenusPreparedBy([] { SendMessageA(host.dialog, WM_SYSCOMMAND, SC_KEYMENU, 'f'); }), hostMenu)
             << "Alt+F";
         HMENU context = CreatePopupMenu();
         AppendMenuA(context, MF_STRING, 202, "Paste");
         EXPECT_EQ(MenusPreparedBy([context] {
                       TrackPopupMenu(context, TPM_RETURNCMD, 100, 100, 0, host.dialog, nullptr);
                   }),
                   hostMenu)
             << "a context menu";
         DestroyMenu(context);
         EXPECT_EQ(MenusPreparedBy([] { SendMessageA(host.dialog, WM_SYSCOMMAND, SC_KEYMENU, ' '); }),
                   std::vector<bool>{})
             << "the window menu stays away from the host";
     }},
    {"a menu bar shows between the skinned caption and the client area", 0,
     [] { SetMenu(host.dialog, MakeMenuBar()); },
     [] { RedrawWindow(host.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW); },
     [] {
         MENUBARINFO bar = {sizeof bar};
         ASSERT_TRUE(GetMenuBarInfo(host.dialog, OBJID_MENU, 0, &bar));
         RECT window;
         GetWindowRect(host.dialog, &window);
         // Right of the last item, where the bar shows only its colour.
         const int x = bar.rcBar.right - window.left - 10;
         const int y = (bar.rcBar.top + bar.rcBar.bottom) / 2 - window.top;
         const COLORREF barColour = ReadWindowPixel(host.dialog, x, y);
         EXPECT_TRUE(barColour == GetSysColor(COLOR_MENUBAR) || barColour == GetSysColor(COLOR_MENU))
             << std::hex << barColour;
         const int caption = GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
         EXPECT_NE(ReadWindowPixel(host.dialog, (window.right - window.left) / 2, caption), barColour)
             << "the caption";
         EXPECT_EQ(ReadWindowPixel(host.dialog, 1, y), CurrentFace()->dialogFrame) << "the frame beside the bar";
     }},
    {"a scroll bar with an empty range shows its arrows", 0,
     [] { host.control = MakeChild("ScrollBar", SBS_VERT, 20, 20, 17, 150, ControlId); },
     [] {
         FillWindow(host.control, Sentinel);
         RedrawWindow(host.control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
     },
     [] {
         int min = -1, max = -1;
         GetScrollRange(host.control, SB_CTL, &min, &max);
         ASSERT_EQ(min, max) << "a new control's range";
         EXPECT_NE(ReadWindowPixel(host.control, 0, 0), Sentinel) << "the up arrow";
         EXPECT_NE(ReadWindowPixel(host.control, 8, 75), Sentinel) << "the channel";
         EXPECT_NE(ReadWindowPixel(host.control, 16, 149), Sentinel) << "the down arrow";
     }},
    {"the IP address control keeps its dots and takes a click", 0,
     [] {
         host.control = MakeChild(WC_IPADDRESSA, 0, 20, 20, 160, 22, ControlId);
         SendMessageA(host.control, IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 1));
         // A log below the skin sees what reaches the control itself.
         Enskin(host.control, 0);
         StartLogging(host.control, &controlLog);
         Enskin(host.control, 1);
     },
     [] {
         FillWindow(host.control, Sentinel);
         RedrawWindow(host.control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
     },
     [] {
         const AddressGap gap = GapOf(host.control);
         ASSERT_NE(gap.second, nullptr) << "the control has its fields";
         EXPECT_NE(FindSkinnedWindow(gap.first), nullptr) << "the fields are skinned edits";
         bool background = false;
         bool dot = false;
         for (int x = gap.gap.left; x < gap.gap.right; ++x) {
             for (int y = gap.gap.top; y < gap.gap.bottom; ++y) {
                 const COLORREF colour = ClientPixel(host.control, x, y);
                 background |= colour == GetSysColor(COLOR_WINDOW);
                 dot |= colour == GetSysColor(COLOR_WINDOWTEXT);
             }
         }
         EXPECT_TRUE(background) << "the control paints between its fields";
         EXPECT_TRUE(dot) << "the dot";
         controlLog.Clear();
         const RECT &g = gap.gap;
         SendMessageA(host.control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((g.left + g.right) / 2, g.top + 2));
         EXPECT_NE(GetCapture(), host.control) << "the press was taken for a scroll bar's";
         SendMessageA(host.control, WM_LBUTTONUP, 0, MAKELPARAM((g.left + g.right) / 2, g.top + 2));
         EXPECT_EQ(controlLog.Count(WM_LBUTTONDOWN), 1) << controlLog.Describe();
         EXPECT_EQ(controlLog.Count(WM_LBUTTONUP), 1) << controlLog.Describe();
         StopLogging(host.control);
     }},
    {"the host unloads the library before or after its windows go (in a child process)", 0, [] {}, [] {},
     [] {
         for (const char *order : {"freed-first", "single-window", "released-first"})
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

// The shipped velk.dll driven as a host drives it. The same program runs
// against the 32-bit DLL under the 32-bit loader and against the 64-bit DLL,
// so that anything only one of them does shows as a difference here.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "host.h"
#include "support/harness.h"

namespace {

class VelkEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        velk.module = LoadLibraryA("velk.dll");
        ASSERT_NE(velk.module, nullptr);
        velk.enskin = reinterpret_cast<EnskinProc>(GetProcAddress(velk.module, "Enskin"));
        velk.dlgInit = reinterpret_cast<DlgInitProc>(GetProcAddress(velk.module, "DlgInit"));
        ASSERT_NE(velk.enskin, nullptr);
        ASSERT_NE(velk.dlgInit, nullptr);
        // The first dialog paint loads the background that the library keeps
        // for the life of the process; the accounting starts after it.
        HWND first = CreateTestDialog(TestDialogStyle, 200, 120, "first");
        velk.enskin(first, 1);
        RepaintNow(first);
        DestroyWindow(first);
        PumpMessages();
        velk.ledger = new GdiLedger(velk.module);
    }
    void TearDown() override
    {
        delete velk.ledger;
        velk.ledger = nullptr;
        if (velk.module != nullptr)
            FreeLibrary(velk.module);
    }
};

testing::Environment *const environment = testing::AddGlobalTestEnvironment(new VelkEnvironment);

// Every test leaves skinning off, its windows gone and the library's GDI
// accounting balanced.
class HostTest : public testing::Test {
protected:
    Host host;
    HWND dialog = nullptr;

    void SetUp() override { velk.ledger->Reset(); }

    void TearDown() override
    {
        velk.enskin(nullptr, 0);
        ReleaseCapture();
        if (IsWindow(dialog))
            DestroyWindow(dialog);
        PumpMessages();
        EXPECT_TRUE(velk.ledger->Balanced()) << velk.ledger->Report();
    }

    void OpenSkinned()
    {
        ASSERT_NE(velk.enskin(nullptr, 1), 0);
        dialog = OpenKindsDialog(&host);
        ASSERT_NE(dialog, nullptr);
    }

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
};

#if defined(__i386__)
// Calls a stdcall export with count (1 or 2) DWORD arguments pushed right to
// left and returns how many bytes of them the callee took off the stack:
// 4 per argument for stdcall, none for cdecl.
int ArgumentBytesRemoved(FARPROC function, int count, DWORD first, DWORD second, DWORD *result)
{
    DWORD left;
    DWORD value;
    __asm__ __volatile__(
        "movl %%esp, %%esi\n\t"
        "cmpl $2, %[count]\n\t"
        "jne 1f\n\t"
        "pushl %[second]\n"
        "1:\n\t"
        "pushl %[first]\n\t"
        "call *%[function]\n\t"
        "movl %%esi, %%ecx\n\t"
        "subl %%esp, %%ecx\n\t"
        "movl %%esi, %%esp\n\t"
        : "=c"(left), "=a"(value)
        : [function] "r"(function), [count] "r"(count), [first] "r"(first), [second] "r"(second)
        : "edx", "esi", "memory", "cc");
    *result = value;
    return count * 4 - static_cast<int>(left);
}
#endif

TEST_F(HostTest, ExportsAreUndecoratedStdcallFunctions)
{
    EXPECT_EQ(reinterpret_cast<void *>(GetProcAddress(velk.module, MAKEINTRESOURCEA(1))),
              reinterpret_cast<void *>(velk.enskin));
    EXPECT_EQ(reinterpret_cast<void *>(GetProcAddress(velk.module, MAKEINTRESOURCEA(2))),
              reinterpret_cast<void *>(velk.dlgInit));
    const FARPROC enskinFace = GetProcAddress(velk.module, "EnskinFace");
    ASSERT_NE(enskinFace, nullptr);
    EXPECT_EQ(GetProcAddress(velk.module, MAKEINTRESOURCEA(3)), enskinFace);
    EXPECT_EQ(GetProcAddress(velk.module, "_EnskinFace@4"), nullptr);
    EXPECT_EQ(GetProcAddress(velk.module, "_Enskin@8"), nullptr);
    EXPECT_EQ(GetProcAddress(velk.module, "Enskin@8"), nullptr);

    EXPECT_EQ(velk.enskin(nullptr, 2), 0) << "a null window with any other flag does nothing";
    EXPECT_EQ(velk.enskin(nullptr, 0), 0) << "thread-wide skinning was not on";

    HBRUSH brush = velk.dlgInit(0);
    LOGBRUSH info = {};
    ASSERT_EQ(GetObjectA(brush, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.lbColor, COLORREF{0x00FF350B});
    EXPECT_EQ(velk.ledger->LiveObjects(), 1) << "made through the library's own import";
    DeleteObject(brush);

#if defined(__i386__)
    DWORD result = 1;
    EXPECT_EQ(ArgumentBytesRemoved(reinterpret_cast<FARPROC>(velk.enskin), 2, 0, 2, &result), 8)
        << "Enskin must remove its 8 bytes of arguments";
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(ArgumentBytesRemoved(reinterpret_cast<FARPROC>(velk.dlgInit), 1, 0, 0, &result), 4)
        << "DlgInit must remove its 4 bytes of arguments";
    EXPECT_NE(result, 0u);
    DeleteObject(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(result)));
    EXPECT_EQ(ArgumentBytesRemoved(enskinFace, 1, 0, 0, &result), 4)
        << "EnskinFace must remove its 4 bytes of arguments";
    EXPECT_NE(result, 0u) << "EnskinFace(NULL) puts back the start-up face";
#endif
    // The host deleted the brushes; the library's accounting cannot see that.
    velk.ledger->Reset();
}

TEST_F(HostTest, ThreadWideSkinningTakesOverEveryKindAndLetsGo)
{
    dialog = OpenKindsDialog(&host);
    ASSERT_NE(dialog, nullptr);
    std::vector<LONG_PTR> plain;
    for (const KindRow &row : KindRows)
        plain.push_back(WindowProcedure(Item(row.id)));
    const LONG_PTR plainDialog = WindowProcedure(dialog);

    ASSERT_NE(velk.enskin(nullptr, 1), 0);
    EXPECT_EQ(velk.enskin(nullptr, 1), 0) << "already on";
    EXPECT_NE(WindowProcedure(dialog), plainDialog);
    for (size_t i = 0; i < KindRows.size(); ++i) {
        const KindRow &row = KindRows[i];
        ASSERT_NE(Item(row.id), nullptr) << row.name;
        EXPECT_EQ(WindowProcedure(Item(row.id)) != plain[i], row.skinned) << row.name;
    }

    // Created while skinning is on: the creation hook takes each window over.
    // (The up-down subclasses its buddy after the skin has, so the buddy's
    // procedure is then the up-down's; the paint test sees its skinned look.)
    Host laterHost;
    HWND later = OpenKindsDialog(&laterHost);
    ASSERT_NE(later, nullptr);
    EXPECT_NE(WindowProcedure(later), plainDialog);
    for (size_t i = 0; i < KindRows.size(); ++i) {
        const KindRow &row = KindRows[i];
        if (row.id != IDC_SPINEDIT)
            EXPECT_EQ(WindowProcedure(GetDlgItem(later, row.id)) != plain[i], row.skinned)
                << row.name << ", created later";
    }

    const LONG_PTR skinned = WindowProcedure(Item(IDC_PUSH));
    EXPECT_NE(velk.enskin(nullptr, 0), 0);
    EXPECT_EQ(velk.enskin(nullptr, 0), 0) << "already off";
    EXPECT_EQ(WindowProcedure(dialog), plainDialog);
    EXPECT_EQ(WindowProcedure(later), plainDialog);
    for (size_t i = 0; i < KindRows.size(); ++i) {
        EXPECT_EQ(WindowProcedure(Item(KindRows[i].id)), plain[i]) << KindRows[i].name;
        // The up-down subclassed its buddy above the skin; that window's own
        // procedure comes back without it.
        EXPECT_NE(WindowProcedure(GetDlgItem(later, KindRows[i].id)), skinned) << KindRows[i].name << ", created later";
    }
    DestroyWindow(later);

    // One window alone.
    HWND push = Item(IDC_PUSH);
    EXPECT_NE(velk.enskin(push, 1), 0);
    EXPECT_EQ(velk.enskin(push, 1), 0) << "already skinned";
    EXPECT_EQ(velk.enskin(push, 0), 0) << "the only record";
    EXPECT_EQ(WindowProcedure(push), plain[0]);
}

// The dialog's own look: frame, caption, buttons, rounded region and the
// tiled background.
void ExpectDialogLook(HWND dialog)
{
    const int w = WindowWidth(dialog);
    const int h = WindowHeight(dialog);
    const int cx = GetSystemMetrics(SM_CXDLGFRAME);
    const int cy = GetSystemMetrics(SM_CYDLGFRAME);
    const int side = GetSystemMetrics(SM_CYCAPTION) - 8;
    const int right = w - cx;
    const int top = cy + 4;
    EXPECT_TRUE(PixelIs(dialog, 1, h / 2, RGB(11, 53, 255))) << "frame";
    EXPECT_TRUE(PixelIs(dialog, cx, cy, RGB(11, 144, 255))) << "active caption, top-left";
    EXPECT_TRUE(PixelIs(dialog, right - 4 - side, top, RGB(214, 203, 189))) << "close button";
    EXPECT_TRUE(PixelIs(dialog, right - 9 - 2 * side, top, RGB(214, 203, 189))) << "maximise button";
    EXPECT_TRUE(PixelIs(dialog, right - 14 - 3 * side, top, RGB(214, 203, 189))) << "minimise button";

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(dialog, region), ERROR) << "no rounded window region";
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "rounded top-left corner";
    EXPECT_TRUE(PtInRegion(region, w / 2, h / 2));
    DeleteObject(region);

    // The background tile, where it is found, else the button face.
    COLORREF background = GetSysColor(COLOR_BTNFACE);
    HBITMAP tile = static_cast<HBITMAP>(LoadImageA(nullptr, "face\\back.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (tile != nullptr) {
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(memory, tile);
        background = GetPixel(memory, 1, 1);
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(tile);
    }
    const POINT corner = ClientToWindowPoint(dialog, {1, 1});
    EXPECT_TRUE(PixelIs(dialog, corner.x, corner.y, background)) << "background";
}

TEST_F(HostTest, EveryKindPaintsItsOwnLook)
{
    OpenSkinned();
    ExpectDialogLook(dialog);
    for (const KindRow &row : KindRows) {
        if (row.probes == nullptr)
            continue;
        HWND control = Item(row.id);
        for (const Probe &probe : row.probes(control))
            EXPECT_TRUE(ProbeHolds(control, probe)) << row.name;
    }
}

TEST_F(HostTest, PushButtonClickNotifiesTheHostOnce)
{
    OpenSkinned();
    HWND push = Item(IDC_PUSH);
    Click(push, 5, 5);
    EXPECT_EQ(host.Count(WM_COMMAND, BN_CLICKED, push), 1) << host.Describe();
    EXPECT_EQ(host.Count(WM_COMMAND, BN_CLICKED), 1) << host.Describe();
}

TEST_F(HostTest, CheckBoxClickTogglesTheTick)
{
    OpenSkinned();
    HWND box = Item(IDC_CHECK);
    const int top = (WindowHeight(box) - 13) / 2;
    const COLORREF tick = RGB(33, 162, 33);
    EXPECT_FALSE(PixelIs(box, 3, top + 5, tick)) << "ticked before the click";
    Click(box, 5, top + 5);
    PumpMessages();
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(PixelIs(box, 3, top + 5, tick)) << "the tick";
    EXPECT_EQ(host.Count(WM_COMMAND, BN_CLICKED, box), 1) << host.Describe();
    Click(box, 5, top + 5);
    PumpMessages();
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(PixelIs(box, 3, top + 5, tick)) << "the tick stayed";
}

TEST_F(HostTest, ScrollArrowShowsThePressAndNotifiesOnce)
{
    OpenSkinned();
    HWND bar = Item(IDC_VSCROLL);
    const int w = WindowWidth(bar);
    const int h = WindowHeight(bar);
    const POINT arrow = {w / 2, h - w / 2};
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.x, arrow.y));
    EXPECT_TRUE(PixelIs(bar, 0, h - w, RGB(189, 195, 222))) << "the held arrow's corner";
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(arrow.x, arrow.y));
    EXPECT_TRUE(PixelIs(bar, 0, h - w, RGB(231, 239, 255))) << "the released arrow's corner";
    EXPECT_EQ(host.Count(WM_VSCROLL, SB_LINEDOWN, bar), 1) << host.Describe();
    EXPECT_EQ(host.Count(WM_VSCROLL, SB_LINEUP, bar), 0) << host.Describe();
}

TEST_F(HostTest, UpDownStepsItsBuddy)
{
    OpenSkinned();
    HWND updown = Item(IDC_SPIN);
    RECT client;
    GetClientRect(updown, &client);
    Click(updown, client.right / 2, 3);
    PumpMessages();
    EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), 6);
    char text[16] = {};
    GetWindowTextA(Item(IDC_SPINEDIT), text, sizeof text);
    EXPECT_STREQ(text, "6");
    ASSERT_EQ(host.Count(WM_NOTIFY, UDN_DELTAPOS, updown), 1) << host.Describe();
    for (const HostNote &note : host.notes) {
        if (note.msg == WM_NOTIFY && note.code == UDN_DELTAPOS) {
            EXPECT_EQ(note.position, 5);
            EXPECT_EQ(note.value, 1);
        }
        if (note.msg == WM_VSCROLL && note.code == SB_THUMBPOSITION)
            EXPECT_EQ(note.value, 6);
    }
    EXPECT_EQ(host.Count(WM_VSCROLL, SB_THUMBPOSITION, updown), 1) << host.Describe();
    for (const Probe &probe : RowOf(IDC_SPIN).probes(updown))
        EXPECT_TRUE(ProbeHolds(updown, probe)) << "at rest again";
}

TEST_F(HostTest, TabClickSwitchesTheSelectedLook)
{
    OpenSkinned();
    HWND tab = Item(IDC_TAB);
    RECT second;
    SendMessageA(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    Click(tab, (second.left + second.right) / 2, (second.top + second.bottom) / 2);
    RepaintNow(tab);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(host.Count(WM_NOTIFY, TCN_SELCHANGE, tab), 1) << host.Describe();
    for (const Probe &probe : RowOf(IDC_TAB).probes(tab))
        EXPECT_TRUE(ProbeHolds(tab, probe));
}

// Each state is checked after the X server's answers to the resize have
// come back: under a prefix that leaves windows to a window manager (there
// is none here), Wine's X11 driver takes the server's stale geometry for the
// window's own and sends SC_RESTORE by itself, to any dialog that repaints
// inside its WM_SIZE, skinned or not.
const DWORD SettleMilliseconds = 1000;

TEST_F(HostTest, CaptionButtonsCloseMaximiseRestoreAndMinimise)
{
    OpenSkinned();
    CaptionClick(dialog, HTCLOSE);
    ASSERT_TRUE(IsWindow(dialog)) << "the host answered WM_CLOSE without closing";

    CaptionClick(dialog, HTMAXBUTTON);
    PumpMessages(SettleMilliseconds);
    EXPECT_TRUE(IsZoomed(dialog)) << "the maximise button did not maximise";

    CaptionClick(dialog, HTMAXBUTTON);
    PumpMessages(SettleMilliseconds);
    EXPECT_FALSE(IsZoomed(dialog)) << "the second click did not restore";

    CaptionClick(dialog, HTMINBUTTON);
    PumpMessages(SettleMilliseconds);
    EXPECT_TRUE(IsIconic(dialog)) << "the minimise button did not minimise";
    ExpectSequence(host.Sequence(),
                   {{WM_CLOSE}, {WM_SYSCOMMAND, SEQ_WPARAM, SC_MAXIMIZE}, {WM_SYSCOMMAND, SEQ_WPARAM, SC_RESTORE},
                    {WM_SYSCOMMAND, SEQ_WPARAM, SC_MINIMIZE}},
                   "close, maximise, restore, minimise", {WM_CLOSE, WM_SYSCOMMAND});
    ShowWindow(dialog, SW_RESTORE);
}

// The host ends the sending window inside the notification the library's
// input handling led to; nothing of it may be touched afterwards.
struct DestroyCase {
    const char *name;
    int control;  // 0: the dialog itself
    UINT msg;
    UINT code;
    std::function<void(HWND dialog, HWND control)> drive;
};

void ClickUpperHalf(HWND, HWND updown)
{
    RECT client;
    GetClientRect(updown, &client);
    Click(updown, client.right / 2, 3);
}

void ClickSecondTab(HWND, HWND tab)
{
    RECT second;
    SendMessageA(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    Click(tab, (second.left + second.right) / 2, (second.top + second.bottom) / 2);
}

void PressDownArrow(HWND, HWND bar)
{
    Click(bar, WindowWidth(bar) / 2, WindowHeight(bar) - WindowWidth(bar) / 2);
}

const DestroyCase DestroyCases[] = {
    {"push button, BN_CLICKED", IDC_PUSH, WM_COMMAND, BN_CLICKED, [](HWND, HWND push) { Click(push, 5, 5); }},
    {"scroll bar, SB_LINEDOWN", IDC_VSCROLL, WM_VSCROLL, SB_LINEDOWN, PressDownArrow},
    {"up-down, UDN_DELTAPOS", IDC_SPIN, WM_NOTIFY, UDN_DELTAPOS, ClickUpperHalf},
    {"tab control, TCN_SELCHANGE", IDC_TAB, WM_NOTIFY, TCN_SELCHANGE, ClickSecondTab},
    {"dialog, WM_CLOSE from the close button", 0, WM_CLOSE, 0, [](HWND d, HWND) { CaptionClick(d, HTCLOSE); }},
    {"dialog, SC_MAXIMIZE from the maximise button", 0, WM_SYSCOMMAND, SC_MAXIMIZE,
     [](HWND d, HWND) { CaptionClick(d, HTMAXBUTTON); }},
};

TEST_F(HostTest, HostMayDestroyTheSenderInsideItsNotification)
{
    for (const DestroyCase &c : DestroyCases) {
        host = Host{};
        OpenSkinned();
        HWND target = c.control != 0 ? Item(c.control) : dialog;
        host.destroyOnMsg = c.msg;
        host.destroyOnCode = c.code;
        host.destroyTarget = target;
        c.drive(dialog, target);
        PumpMessages();
        EXPECT_FALSE(IsWindow(target)) << c.name;
        EXPECT_EQ(host.Count(c.msg, c.code), 1) << c.name << "\n" << host.Describe();
        if (IsWindow(dialog)) {
            // The rest of the dialog carries on.
            host.notes.clear();
            Click(Item(IDC_DEFPUSH), 5, 5);
            EXPECT_EQ(host.Count(WM_COMMAND, BN_CLICKED), 1) << c.name;
            DestroyWindow(dialog);
        }
        PumpMessages();
        EXPECT_NE(velk.enskin(nullptr, 0), 0) << c.name;
    }
}

// An ANSI host's windows keep their character set (frameworks choose
// between the A and W calls by IsWindowUnicode) and its bytes.
TEST_F(HostTest, AnAnsiHostsWindowsStayAnsi)
{
    dialog = OpenKindsDialog(&host);
    ASSERT_NE(dialog, nullptr);
    std::vector<BOOL> unicode;
    for (const KindRow &row : KindRows)
        unicode.push_back(IsWindowUnicode(Item(row.id)));
    ASSERT_NE(velk.enskin(nullptr, 1), 0);
    for (size_t i = 0; i < KindRows.size(); ++i)
        EXPECT_EQ(IsWindowUnicode(Item(KindRows[i].id)), unicode[i]) << KindRows[i].name;
    EXPECT_FALSE(IsWindowUnicode(dialog));
    char text[16] = {};
    SetWindowTextA(Item(IDC_PUSH), "caf\xE9 \xA3");
    GetWindowTextA(Item(IDC_PUSH), text, sizeof text);
    EXPECT_STREQ(text, "caf\xE9 \xA3");
}

void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR, DWORD)
{
    EndMenu();
}

// The host prepares its own menus as they open: from its menu bar by mouse
// and keyboard, its context menus and the window menu, as unskinned.
TEST_F(HostTest, TheHostPreparesItsMenus)
{
    OpenSkinned();
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 300, "&Open");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    ASSERT_TRUE(SetMenu(dialog, bar));
    RECT item;
    ASSERT_TRUE(GetMenuItemRect(dialog, bar, 0, &item));
    const UINT_PTR timer = SetTimer(nullptr, 0, 500, EndMenuLater);
    SendMessageA(dialog, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(item.left + 2, item.top + 2));
    SendMessageA(dialog, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    TrackPopupMenu(file, 0, item.left, item.bottom + 20, 0, dialog, nullptr);
    SendMessageA(dialog, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    KillTimer(nullptr, timer);
    EXPECT_EQ(host.Count(WM_INITMENUPOPUP, FALSE), 3) << host.Describe();
    EXPECT_EQ(host.Count(WM_INITMENUPOPUP, TRUE), 1) << host.Describe();
}

INT_PTR CALLBACK PlainDialogProcW(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// Text outside any ANSI code page goes through every skinned window whole,
// whichever DLL the host loads.
TEST_F(HostTest, UnicodeTextComesBackAsItWent)
{
    const wchar_t text[] = L"\x03A9\x043C\x0435\x0433\x0430 \x0416 \x65E5\x672C";
    ASSERT_NE(velk.enskin(nullptr, 1), 0);
    std::vector<WORD> words = DialogTemplate(TestDialogStyle, "", 200, 120);
    dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE *>(words.data()),
                                        nullptr, PlainDialogProcW, 0);
    ASSERT_NE(dialog, nullptr);
    for (const wchar_t *className : {L"Button", L"Static", L"Edit"}) {
        HWND control = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, 10, 10, 150, 24, dialog, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
        EXPECT_TRUE(IsWindowUnicode(control));
        SetWindowTextW(control, text);
        wchar_t read[64] = {};
        GetWindowTextW(control, read, 64);
        EXPECT_STREQ(read, text);
        DestroyWindow(control);
    }
    SetWindowTextW(dialog, text);
    wchar_t title[64] = {};
    GetWindowTextW(dialog, title, 64);
    EXPECT_STREQ(title, text) << "dialog caption";
}

} // namespace

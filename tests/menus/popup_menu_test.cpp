// Popup menus in a face of distinct colours, each row an item type or state and the pixels that tell
// it; and the menu messages the owner hears for keyboard and mouse, skinned against not.
#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "support/window_pixels.h"
#include "core/skin.h"
#include "support/records.h"
#include "velk.h"

namespace {

const Face Distinct = [] {
    Face face = BuiltInFace;
    face.menuBackground = RGB(20, 40, 60), face.menuText = RGB(250, 250, 0), face.menuGreyText = RGB(0, 200, 200);
    face.menuHotBackground = RGB(120, 0, 160), face.menuHotText = RGB(250, 120, 0);
    face.menuSeparator = RGB(0, 250, 100), face.menuFrame = RGB(250, 0, 80);
    face.menuBarBackground = RGB(10, 90, 10), face.menuBarText = RGB(255, 200, 220), face.menuBarGreyText = RGB(90, 90, 255);
    face.menuBarHotBackground = RGB(160, 80, 0), face.menuBarPushedBackground = RGB(0, 60, 160);
    return face;
}();
const COLORREF Ink = RGB(200, 30, 30);  // the owner's own drawing and check bitmap

enum Item { PLAIN, HOT, CHECKED, RADIO, SEPARATOR, GREY, DEFAULT, SUBMENU, OWNER_DRAWN, HOST_CHECK, NEXT_COLUMN, ITEMS };

HMENU MakeMenu(HBITMAP check)
{
    HMENU sub = CreatePopupMenu(), menu = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 300, L"Inside");
    const wchar_t *texts[] = {L"&Plain\tCtrl+P", L"&Hot", L"&Checked", L"&Radio", nullptr, L"&Grey", L"&Default",
                              L"&Submenu", nullptr, L"Host &bitmap", L"&Next"};
    const UINT types[] = {0, 0, MF_CHECKED, 0, MF_SEPARATOR, 0, 0, MF_POPUP, MF_OWNERDRAW, MF_CHECKED, MF_MENUBARBREAK};
    for (int i = 0; i < ITEMS; ++i)
        AppendMenuW(menu, types[i], i == SUBMENU ? reinterpret_cast<UINT_PTR>(sub) : 100 + i, texts[i]);
    CheckMenuRadioItem(menu, RADIO, RADIO, RADIO, MF_BYPOSITION);
    SetMenuDefaultItem(menu, DEFAULT, TRUE);
    SetMenuItemBitmaps(menu, HOST_CHECK, MF_BYPOSITION, nullptr, check);
    return menu;
}

// What the owner heard and saw while its menu was open: the menu messages in order, whether a popup
// was skinned, the one that last went idle.
struct Watch {
    HMENU menu = nullptr;
    std::string log;
    std::function<void(int idle)> onIdle;
    int idles = 0;
    bool skinned = false;
    HWND popup = nullptr;
} *watch = nullptr;

INT_PTR CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Menu handles differ between runs; items, flags and keys must not.
    const ULONG_PTR value = msg == WM_INITMENUPOPUP ? lParam : msg == WM_INITMENU || msg == WM_UNINITMENUPOPUP ? 0 : wParam;
    for (UINT each : {WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT, WM_ENTERMENULOOP, WM_EXITMENULOOP,
                      WM_UNINITMENUPOPUP, WM_MENUCHAR, WM_COMMAND, WM_SYSCOMMAND})
        watch->log += msg == each ? std::to_string(msg) + " " + std::to_string(value) + "\n" : "";
    if (msg == WM_MENUSELECT || msg == WM_ENTERIDLE)
        watch->skinned = watch->skinned || FindSkinnedWindow(FindWindowW(L"#32768", nullptr)) != nullptr;
    const auto *draw = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
    switch (msg) {
    case WM_INITMENUPOPUP:  // the host's own change, made as the menu opens
        if (reinterpret_cast<HMENU>(wParam) == watch->menu)
            EnableMenuItem(watch->menu, GREY, MF_BYPOSITION | MF_GRAYED);
        return FALSE;
    case WM_MEASUREITEM:
        return reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)->itemWidth = 40, reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)->itemHeight = 20;
    case WM_DRAWITEM: {  // a band from 20 to 40 pixels in: the rest shows what was there
        const RECT band = {draw->rcItem.left + 20, draw->rcItem.top + 6, draw->rcItem.left + 40, draw->rcItem.bottom - 6};
        SetBkColor(draw->hDC, Ink);
        return ExtTextOutW(draw->hDC, 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
    }
    case WM_ENTERIDLE:
        watch->popup = reinterpret_cast<HWND>(lParam);
        return watch->onIdle ? watch->onIdle(watch->idles++), TRUE : TRUE;
    case WM_TIMER:  // a menu that does not close in time fails on what it lacks, not by hanging
        return KillTimer(hwnd, wParam) && EndMenu();
    default:
        return FALSE;
    }
}

class PopupMenuTest : public RecordCheckedTest {
protected:
    Watch seen;
    void SetUp() override { RecordCheckedTest::SetUp(), currentFace = &Distinct, watch = &seen; }
    void TearDown() override { Enskin(nullptr, 0), currentFace = &BuiltInFace, RecordCheckedTest::TearDown(); }
};

LRESULT CALLBACK OwnerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return OwnerProc(hwnd, msg, wParam, lParam) ? TRUE : DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A fresh owner in the foreground, with a time limit for its menus: a dialog, or a main window of the
// host's own class.
HWND MakeOwner(HMENU bar, bool dialog)
{
    WNDCLASSW windowClass = {0, OwnerWindowProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"MenuOwner"};
    RegisterClassW(&windowClass);
    HWND owner = dialog ? CreateTestDialog(TestDialogStyle, 300, 200, "owner", OwnerProc)
                        : CreateWindowExW(0, L"MenuOwner", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200,
                                          nullptr, nullptr, nullptr, nullptr);
    SetMenu(owner, bar), SetForegroundWindow(owner), SetTimer(owner, 1, 5000, nullptr);
    *watch = Watch();
    return owner;
}

// Where in an item a row looks: a band from the item's left edge (right edge: fromRight), the given
// width (0: to the arrow column), at mid-height or over the whole height; whether the colour (null:
// the owner's ink) shows.
struct PixelCase { const char *what; Item item; int left, width; bool fromRight, midRow; COLORREF Face::*colour; bool shows; };

const int Check = 2, Text = 17;  // the check column and the text, from the item's left edge at 96 dpi
const PixelCase PixelCases[] = {
    {"plain: background", PLAIN, 0, 1, false, true, &Face::menuBackground, true},
    {"plain: text", PLAIN, Text, 0, false, false, &Face::menuText, true},
    {"plain: no check", PLAIN, Check, 13, false, false, &Face::menuText, false},
    {"hot: background", HOT, 0, 1, false, true, &Face::menuHotBackground, true},
    {"hot: text", HOT, Text, 0, false, false, &Face::menuHotText, true},
    {"checked: mark", CHECKED, Check, 13, false, false, &Face::menuText, true},
    {"radio: bullet", RADIO, Check + 6, 1, false, true, &Face::menuText, true},
    {"separator", SEPARATOR, 4, 0, false, true, &Face::menuSeparator, true},
    {"greyed by the host as it opens", GREY, Text, 0, false, false, &Face::menuGreyText, true},
    {"greyed: no plain text", GREY, Text, 0, false, false, &Face::menuText, false},
    {"owner-drawn: the owner's ink", OWNER_DRAWN, 26, 8, false, true, nullptr, true},
    {"owner-drawn: on the face", OWNER_DRAWN, 0, 1, false, true, &Face::menuBackground, true},
    {"host check bitmap", HOST_CHECK, Check + 6, 1, false, true, nullptr, true},
    {"host check bitmap: no mark of ours", HOST_CHECK, Check, 13, false, false, &Face::menuText, false},
    {"submenu arrow", SUBMENU, 13, 13, true, false, &Face::menuText, true},
    {"column line", NEXT_COLUMN, -1, 1, false, true, &Face::menuSeparator, true},
};

// Skinned with its owner alone; the selection moved by keys once the menu shows, which the system
// draws itself and the skin paints over.
TEST_F(PopupMenuTest, ItemsShowTheirTypeAndStateInTheFace)
{
    const std::vector<DWORD> inked(13 * 13, GetRValue(Ink) << 16 | GetGValue(Ink) << 8 | GetBValue(Ink));
    HBITMAP check = CreateBitmap(13, 13, 1, 32, inked.data());
    HWND owner = MakeOwner(nullptr, true);
    ASSERT_NE(Enskin(owner, 1), 0);
    seen.menu = MakeMenu(check);
    WindowPixels shot;
    RECT places[ITEMS], window;
    seen.onIdle = [&](int idle) {
        for (int i = 0; i < 2 && idle == 0; ++i)
            PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
        if (!(GetMenuState(seen.menu, HOT, MF_BYPOSITION) & MF_HILITE))
            return;
        shot = CaptureWindow(seen.popup);
        GetWindowRect(seen.popup, &window);
        for (int i = 0; i < ITEMS; ++i) {
            GetMenuItemRect(seen.popup, seen.menu, i, &places[i]);
            OffsetRect(&places[i], -window.left, -window.top);
        }
        EndMenu();
    };
    TrackPopupMenu(seen.menu, 0, 100, 100, 0, owner, nullptr);
    ASSERT_TRUE(seen.skinned);
    ASSERT_GT(shot.width, 0);
    EXPECT_EQ(shot.At(0, 0), Distinct.menuFrame);
    for (const PixelCase &c : PixelCases) {
        const RECT &item = places[c.item];
        const int mid = (item.top + item.bottom) / 2, left = c.fromRight ? item.right - c.left : item.left + c.left;
        const RECT area = {left, c.midRow ? mid : item.top, c.width ? left + c.width : item.right - 13,
                           c.midRow ? mid + 1 : item.bottom};
        const int count = CountColour(shot, area, c.colour ? Distinct.*c.colour : Ink);
        EXPECT_EQ(count > 0, c.shows) << c.what << ": " << count;
    }
    DestroyWindow(owner), DestroyMenu(seen.menu), DeleteObject(check);
}

// A bar that wraps in a narrow dialog: an item at rest, one under the pointer, one whose drop-down is open, a
// disabled one, an owner-drawn one, one on the second row and one right-justified.
enum BarItem { BAR_PLAIN, BAR_HOT, BAR_OPEN, BAR_GREY, BAR_OWNER_DRAWN, BAR_SECOND_ROW, BAR_RIGHT, BAR_ITEMS };

HMENU MakeBar()
{
    HMENU bar = CreateMenu();
    const wchar_t *texts[] = {L"&File", L"&Edit", L"&View", L"&Grey", nullptr, L"&Second row", L"&Help"};
    const UINT types[] = {0, 0, 0, MF_GRAYED, MF_OWNERDRAW, 0, MFT_RIGHTJUSTIFY};
    for (int i = 0; i < BAR_ITEMS; ++i)
        AppendMenuW(bar, MF_POPUP | types[i], reinterpret_cast<UINT_PTR>(MakeMenu(nullptr)), texts[i]);
    return bar;
}

// Opened as a context menu, from the bar by Alt+F, F10 or Alt, or by the mouse. Keys are posted at the first idle;
// each mouse step is taken at an idle (the first before the loop when the mouse opens it) at a target: an item of
// the menu (100 + i: its submenu's), 200 + i the bar's items, 300 outside.
enum Start : UINT { CONTEXT, ALT_LETTER, MOUSE, F10 = VK_F10, ALT = VK_MENU };
struct MouseStep { int target; DWORD buttons; };
struct UseCase { const char *name; bool dialog; Start start; std::vector<UINT> keys; std::vector<MouseStep> mouse; };

const DWORD Press = MOUSEEVENTF_LEFTDOWN, Lift = MOUSEEVENTF_LEFTUP, Click = Press | Lift;
const UseCase UseCases[] = {
    {"context menu, keyboard", false, CONTEXT, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_LEFT, 'Q', 'R'}, {}},
    {"context menu, escape", false, CONTEXT, {VK_DOWN, VK_ESCAPE, VK_ESCAPE}, {}},
    {"menu bar, keyboard", false, ALT_LETTER, {VK_RIGHT, VK_DOWN, VK_LEFT, VK_RETURN}, {}},
    {"context menu, mouse", false, CONTEXT, {}, {{HOT, 0}, {SUBMENU, 0}, {SUBMENU, Click}, {100, 0}, {100, Click}}},
    {"dialog's bar, Alt+F, Right into the next drop-down", true, ALT_LETTER, {VK_RIGHT, VK_DOWN, VK_LEFT, VK_RETURN}, {}},
    {"dialog's bar, F10", true, F10, {VK_RIGHT, VK_DOWN, VK_ESCAPE, VK_ESCAPE, VK_ESCAPE}, {}},
    {"dialog's bar, Alt, Enter", true, ALT, {VK_RIGHT, VK_RETURN, VK_DOWN, VK_RETURN}, {}},
    {"dialog's bar, click", true, MOUSE, {}, {{200, Click}, {2, 0}, {2, Click}}},
    {"dialog's bar, drag across", true, MOUSE, {}, {{200, Press}, {201, 0}, {200, 0}, {0, 0}, {0, Lift}}},
    {"dialog's bar, click outside", true, MOUSE, {}, {{201, Click}, {300, Click}}},
};

TEST_F(PopupMenuTest, OwnerHearsTheSameMessagesSkinnedAsNot)
{
    for (const UseCase &use : UseCases) {
        std::string logs[2];
        for (int skinned = 0; skinned < 2; ++skinned) {
            if (skinned)
                Enskin(nullptr, 1);
            HMENU bar = MakeBar(), menu = GetSubMenu(bar, BAR_PLAIN);
            HWND owner = MakeOwner(use.start != CONTEXT ? bar : nullptr, use.dialog);
            seen.menu = menu;
            auto move = [&](const MouseStep &step) {
                RECT place;
                step.target == 300 ? GetWindowRect(owner, &place)  // its left edge, beside the drop-downs
                : step.target >= 200 ? GetMenuItemRect(owner, bar, step.target - 200, &place)
                                     : GetMenuItemRect(nullptr, step.target >= 100 ? GetSubMenu(menu, SUBMENU) : menu, step.target % 100, &place);
                SetCursorPos(place.left + 10, (place.top + place.bottom) / 2);
                mouse_event(step.buttons, 0, 0, 0, 0);
            };
            const size_t first = use.start == MOUSE ? 1 : 0;
            seen.onIdle = [&](int idle) {
                for (UINT key : idle == 0 ? use.keys : std::vector<UINT>())
                    PostMessageW(owner, WM_KEYDOWN, key, 0);
                if (idle + first < use.mouse.size())
                    move(use.mouse[idle + first]);
            };
            if (use.start == CONTEXT)
                TrackPopupMenu(menu, 0, 100, 100, 0, owner, nullptr);
            else if (use.start == ALT_LETTER)
                PostMessageW(owner, WM_SYSCOMMAND, SC_KEYMENU, 'f');
            else if (use.start == MOUSE)
                move(use.mouse[0]);
            else
                PostMessageW(owner, WM_SYSKEYDOWN, use.start, use.start == ALT ? 1 << 29 : 0), PostMessageW(owner, WM_SYSKEYUP, use.start, 0xC0000001);
            PumpMessages(200);
            logs[skinned] = seen.log;
            EXPECT_EQ(seen.skinned, skinned == 1) << use.name;
            DestroyWindow(owner), DestroyMenu(bar), Enskin(nullptr, 0);
        }
        EXPECT_GT(logs[0].size(), 40u) << use.name << "\n" << logs[0];
        EXPECT_EQ(logs[1], logs[0]) << use.name;
    }
}

// Shots: 0 with the pointer over the hot item, 1 with the open item's drop-down shown, 2 drawn into a DC by Windows's
// own menu-bar drawing messages in its layouts (0x91 the strip, 0x92 each item in a state), 3 after a new title.
struct UahBar { HMENU menu; HDC dc; DWORD flags; };
struct UahBarItem { DRAWITEMSTRUCT draw; UahBar bar; int position; DWORD sizes[8], popupWidths[4], updateWidths; };
struct BarCase { const char *what; BarItem item; int shot; UINT drawState; COLORREF Face::*colour; bool midRowOnly, shows; };
const BarCase BarCases[] = {
    {"at rest: strip", BAR_PLAIN, 0, 0, &Face::menuBarBackground, true, true},
    {"at rest: text", BAR_PLAIN, 0, 0, &Face::menuBarText, false, true},
    {"hot: background", BAR_HOT, 0, 0, &Face::menuBarHotBackground, true, true},
    {"hot: text", BAR_HOT, 0, 0, &Face::menuBarText, false, true},
    {"hot no more once the menu opens", BAR_HOT, 1, 0, &Face::menuBarHotBackground, false, false},
    {"open: pushed", BAR_OPEN, 1, 0, &Face::menuBarPushedBackground, true, true},
    {"open: text", BAR_OPEN, 1, 0, &Face::menuBarText, false, true},
    {"disabled: grey text", BAR_GREY, 0, 0, &Face::menuBarGreyText, false, true},
    {"disabled: no plain text", BAR_GREY, 0, 0, &Face::menuBarText, false, false},
    {"owner-drawn: the owner's ink", BAR_OWNER_DRAWN, 0, 0, nullptr, false, true},
    {"second row: text", BAR_SECOND_ROW, 0, 0, &Face::menuBarText, false, true},
    {"right-justified: text", BAR_RIGHT, 0, 0, &Face::menuBarText, false, true},
    {"asked for: strip", BAR_SECOND_ROW, 2, 0, &Face::menuBarBackground, true, true},
    {"asked for: text at rest", BAR_PLAIN, 2, 0, &Face::menuBarText, false, true},
    {"asked for: hot", BAR_HOT, 2, ODS_HOTLIGHT, &Face::menuBarHotBackground, true, true},
    {"asked for: pushed", BAR_OPEN, 2, ODS_SELECTED, &Face::menuBarPushedBackground, true, true},
    {"asked for: disabled", BAR_GREY, 2, ODS_GRAYED, &Face::menuBarGreyText, false, true},
    {"asked for: owner-drawn left to the system", BAR_OWNER_DRAWN, 2, 0, &Face::menuBarText, false, false},
    {"after a new title, which the system paints with its frame: strip", BAR_PLAIN, 3, 0, &Face::menuBarBackground, true, true},
    {"after a new title: text", BAR_PLAIN, 3, 0, &Face::menuBarText, false, true},
};

TEST_F(PopupMenuTest, MenuBarItemsShowTheirTypeAndStateInTheFace)
{
    HMENU bar = MakeBar();
    HWND owner = MakeOwner(bar, true);
    SetWindowPos(owner, nullptr, 0, 0, 260, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ASSERT_NE(Enskin(owner, 1), 0);
    RECT window, places[BAR_ITEMS];
    GetWindowRect(owner, &window);
    for (int i = 0; i < BAR_ITEMS; ++i)
        GetMenuItemRect(owner, bar, i, &places[i]), OffsetRect(&places[i], -window.left, -window.top);
    ASSERT_GT(places[BAR_SECOND_ROW].top, places[BAR_PLAIN].top) << "the bar does not wrap";
    WindowPixels shots[4];
    SetCursorPos(window.left + places[BAR_HOT].left + 5, window.top + places[BAR_HOT].top + 5);
    PumpMessages(100);
    shots[0] = CaptureWindow(owner);
    seen.onIdle = [&](int) { shots[1] = CaptureWindow(owner), EndMenu(); };
    PostMessageW(owner, WM_SYSCOMMAND, SC_KEYMENU, 'v');
    PumpMessages(200);
    ASSERT_GT(shots[1].width, 0);
    Canvas canvas(shots[0].width, shots[0].height);
    UahBar strip = {bar, canvas.dc, 0};
    EXPECT_EQ(SendMessageW(owner, 0x91, 0, reinterpret_cast<LPARAM>(&strip)), TRUE);
    for (const BarCase &c : BarCases) {
        UahBarItem item = {{ODT_MENU, 0, 0, ODA_DRAWENTIRE, c.drawState, nullptr, canvas.dc, places[c.item]}, strip, c.item};
        EXPECT_EQ(c.shot < 2 || SendMessageW(owner, 0x92, 0, reinterpret_cast<LPARAM>(&item)) == (c.item != BAR_OWNER_DRAWN), true) << c.what;
    }
    shots[2] = ReadCanvas(canvas, shots[0].width, shots[0].height);
    SetWindowTextW(owner, L"renamed"), shots[3] = CaptureWindow(owner);
    EXPECT_EQ(shots[0].At(places[BAR_PLAIN].left + 2, ClientAreaIn(owner, WindowRectInWindow(owner)).top - 1), Distinct.menuBarBackground);
    for (const BarCase &c : BarCases) {
        const RECT &item = places[c.item];
        const int mid = (item.top + item.bottom) / 2;
        const RECT area = {item.left + 1, c.midRowOnly ? mid : item.top, c.midRowOnly ? item.left + 2 : item.right,
                           c.midRowOnly ? mid + 1 : item.bottom};
        const int count = CountColour(shots[c.shot], area, c.colour ? Distinct.*c.colour : Ink);
        EXPECT_EQ(count > 0, c.shows) << c.what << ": " << count;
    }
    DestroyWindow(owner), DestroyMenu(bar);
}

}  // namespace

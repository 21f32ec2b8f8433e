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
        return reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)->itemHeight = 20;
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

// Opened from the menu bar with Alt+F, or a context menu. Keys are posted at the first idle; at each
// idle the pointer goes to an item (100 + i: the submenu's), clicking it when the step is negative.
struct UseCase { const char *name; bool bar; std::vector<UINT> keys; std::vector<int> mouseSteps; };

const UseCase UseCases[] = {
    {"context menu, keyboard", false, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_LEFT, 'Q', 'R'}, {}},
    {"context menu, escape", false, {VK_DOWN, VK_ESCAPE, VK_ESCAPE}, {}},
    {"menu bar, keyboard", true, {VK_RIGHT, VK_DOWN, VK_LEFT, VK_RETURN}, {}},
    {"context menu, mouse", false, {}, {HOT, SUBMENU, -SUBMENU, 100, -100}},
};

TEST_F(PopupMenuTest, OwnerHearsTheSameMessagesSkinnedAsNot)
{
    for (const UseCase &use : UseCases) {
        std::string logs[2];
        for (int skinned = 0; skinned < 2; ++skinned) {
            if (skinned)
                Enskin(nullptr, 1);
            HMENU bar = CreateMenu();
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(MakeMenu(nullptr)), L"&File");
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(MakeMenu(nullptr)), L"&Edit");
            HWND owner = MakeOwner(use.bar ? bar : nullptr, false);
            seen.menu = MakeMenu(nullptr);
            seen.onIdle = [&](int idle) {
                for (UINT key : idle == 0 ? use.keys : std::vector<UINT>())
                    PostMessageW(owner, WM_KEYDOWN, key, 0);
                if (idle >= static_cast<int>(use.mouseSteps.size()))
                    return;
                const int step = use.mouseSteps[idle] < 0 ? -use.mouseSteps[idle] : use.mouseSteps[idle];
                RECT item;
                GetMenuItemRect(nullptr, step >= 100 ? GetSubMenu(seen.menu, SUBMENU) : seen.menu, step % 100, &item);
                SetCursorPos(item.left + 10, (item.top + item.bottom) / 2);
                if (use.mouseSteps[idle] < 0)
                    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
            };
            if (use.bar)
                PostMessageW(owner, WM_SYSCOMMAND, SC_KEYMENU, 'f');
            else
                TrackPopupMenu(seen.menu, 0, 100, 100, 0, owner, nullptr);
            PumpMessages(200);
            logs[skinned] = seen.log;
            EXPECT_EQ(seen.skinned, skinned == 1) << use.name;
            DestroyWindow(owner), DestroyMenu(seen.menu), DestroyMenu(bar), Enskin(nullptr, 0);
        }
        EXPECT_GT(logs[0].size(), 40u) << use.name << "\n" << logs[0];
        EXPECT_EQ(logs[1], logs[0]) << use.name;
    }
}

}  // namespace

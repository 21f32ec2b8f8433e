// Popup menus in a face of distinct colours: each row an item type or state
// and the pixels that tell it, read while the menu is open; and the menu
// messages the owner hears, for keyboard and mouse, skinned against not.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "controls/window_pixels.h"
#include "core/skin.h"
#include "support/harness.h"
#include "support/records.h"
#include "velk.h"

namespace {

const Face Distinct = [] {
    Face face = BuiltInFace;
    face.menuBackground = RGB(20, 40, 60);
    face.menuText = RGB(250, 250, 0);
    face.menuGreyText = RGB(0, 200, 200);
    face.menuHotBackground = RGB(120, 0, 160);
    face.menuHotText = RGB(250, 120, 0);
    face.menuSeparator = RGB(0, 250, 100);
    face.menuFrame = RGB(250, 0, 80);
    return face;
}();

const COLORREF OwnerInk = RGB(200, 30, 30);
const COLORREF HostCheck = RGB(30, 200, 90);

enum Item {
    PLAIN,
    HOT,
    CHECKED,
    RADIO,
    SEPARATOR,
    GREY,
    DEFAULT,
    SUBMENU,
    OWNER_DRAWN,
    HOST_CHECK_BITMAP,
    NEXT_COLUMN,
    ITEM_COUNT
};

// The menu every row reads: one item of each kind, the last in a column of
// its own behind a line.
HMENU MakeMenu(HBITMAP check)
{
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 300, L"Inside");
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 100, L"&Plain\tCtrl+P");
    AppendMenuW(menu, MF_STRING, 101, L"&Hot");
    AppendMenuW(menu, MF_STRING | MF_CHECKED, 102, L"&Checked");
    AppendMenuW(menu, MF_STRING, 103, L"&Radio");
    CheckMenuRadioItem(menu, RADIO, RADIO, RADIO, MF_BYPOSITION);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 105, L"&Grey");
    AppendMenuW(menu, MF_STRING, 106, L"&Default");
    SetMenuDefaultItem(menu, DEFAULT, TRUE);
    AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"&Submenu");
    AppendMenuW(menu, MF_OWNERDRAW, 108, nullptr);
    AppendMenuW(menu, MF_STRING | MF_CHECKED, 109, L"Host &bitmap");
    SetMenuItemBitmaps(menu, HOST_CHECK_BITMAP, MF_BYPOSITION, nullptr, check);
    AppendMenuW(menu, MF_STRING | MF_MENUBARBREAK, 110, L"&Next");
    return menu;
}

// What the owner saw while the menu was open.
struct OpenMenu {
    HWND popup = nullptr;
    bool skinned = false;
    RECT items[ITEM_COUNT] = {};
    WindowPixels shot;
    int ownerDraws = 0;
    std::vector<LoggedMessage> log;
    std::function<void(HWND owner, int idle)> onIdle;  // runs at each WM_ENTERIDLE
    std::function<void(HMENU menu)> onInitPopup;       // runs at each WM_INITMENUPOPUP
    int idles = 0;
};
OpenMenu *seen = nullptr;

bool IsMenuMessage(UINT msg)
{
    static const UINT logged[] = {WM_INITMENU,     WM_INITMENUPOPUP, WM_MENUSELECT,
                                  WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_UNINITMENUPOPUP,
                                  WM_MENUCHAR,      WM_COMMAND,      WM_SYSCOMMAND};
    for (UINT each : logged) {
        if (each == msg)
            return true;
    }
    return false;
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (seen != nullptr && IsMenuMessage(msg))
        seen->log.push_back({hwnd, msg, wParam, msg == WM_SYSCOMMAND ? 0 : lParam});
    // A menu about to show, or one whose selection moved, is skinned by now.
    if (seen != nullptr && (msg == WM_MENUSELECT || msg == WM_ENTERIDLE)) {
        HWND popup = FindWindowW(L"#32768", nullptr);
        seen->skinned = seen->skinned || (popup != nullptr && FindSkinnedWindow(popup) != nullptr);
    }
    switch (msg) {
    case WM_INITMENUPOPUP:
        if (seen != nullptr && seen->onInitPopup)
            seen->onInitPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MEASUREITEM: {
        auto *measure = reinterpret_cast<MEASUREITEMSTRUCT *>(lParam);
        measure->itemWidth = 60;
        measure->itemHeight = 20;
        return TRUE;
    }
    case WM_DRAWITEM: {
        // A square in the middle: the rest of the item shows what was there.
        const auto *draw = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        const int x = (draw->rcItem.left + draw->rcItem.right) / 2, y = (draw->rcItem.top + draw->rcItem.bottom) / 2;
        const RECT square = {x - 4, y - 4, x + 4, y + 4};
        HBRUSH ink = CreateSolidBrush(OwnerInk);
        FillRect(draw->hDC, &square, ink);
        DeleteObject(ink);
        if (seen != nullptr)
            ++seen->ownerDraws;
        return TRUE;
    }
    case WM_ENTERIDLE:
        if (seen != nullptr && wParam == MSGF_MENU && seen->onIdle) {
            seen->popup = reinterpret_cast<HWND>(lParam);
            seen->onIdle(hwnd, seen->idles++);
        }
        return 0;
    case WM_TIMER:
        // The menu did not close by itself in time: the test fails on what it
        // then lacks, not by hanging.
        KillTimer(hwnd, wParam);
        EndMenu();
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

HWND MakeOwner(bool withBar)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.lpszClassName = L"MenuTestOwner";
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassW(&windowClass);
    HMENU bar = nullptr;
    if (withBar) {
        bar = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, 400, L"&New");
        AppendMenuW(file, MF_STRING, 401, L"&Quit");
        HMENU edit = CreatePopupMenu();
        AppendMenuW(edit, MF_STRING, 410, L"&Copy");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
    }
    HWND owner = CreateWindowExW(0, L"MenuTestOwner", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 300,
                                 nullptr, bar, nullptr, nullptr);
    SetForegroundWindow(owner);
    SetFocus(owner);
    PumpMessages(50);
    SetTimer(owner, 1, 5000, nullptr);
    return owner;
}

class PopupMenuTest : public RecordCheckedTest {
protected:
    OpenMenu open;

    void SetUp() override
    {
        RecordCheckedTest::SetUp();
        currentFace = &Distinct;
        seen = &open;
    }
    void TearDown() override
    {
        seen = nullptr;
        Enskin(nullptr, 0);
        currentFace = &BuiltInFace;
        RecordCheckedTest::TearDown();
    }
};

// Where a row looks, in the item's rectangle (window coordinates).
enum Where {
    LEFT_EDGE,     // the item's first column of pixels, mid-height
    CHECK_COLUMN,  // the check column's square
    CHECK_CENTRE,
    TEXT,          // right of the check column
    ARROW,         // the right end, where a submenu's arrow is
    MIDDLE,        // the item's centre
    MIDDLE_ROW,    // the row through the middle, left to right
    LINE_LEFT,     // the column of pixels just left of the item
};

struct PixelCase {
    const char *what;
    Item item;
    Where where;
    COLORREF Face::*colour;  // null: the fixed colour
    COLORREF fixed;
    bool present;            // for areas: whether the colour shows there at all
};

RECT Area(const RECT &item, Where where)
{
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    const int midY = (item.top + item.bottom) / 2, midX = (item.left + item.right) / 2;
    const int checkLeft = item.left + 2;
    switch (where) {
    case LEFT_EDGE:
        return {item.left, midY, item.left + 1, midY + 1};
    case CHECK_COLUMN:
        return {checkLeft, item.top, checkLeft + check, item.bottom};
    case CHECK_CENTRE:
        return {checkLeft + check / 2, midY, checkLeft + check / 2 + 1, midY + 1};
    case TEXT:
        return {checkLeft + check, item.top, item.right - check, item.bottom};
    case ARROW:
        return {item.right - check, item.top, item.right, item.bottom};
    case MIDDLE:
        return {midX, midY, midX + 1, midY + 1};
    case MIDDLE_ROW:
        return {item.left + 4, midY, item.right - 4, midY + 1};
    case LINE_LEFT:
        return {item.left - 1, item.top + 2, item.left, item.bottom - 2};
    }
    return item;
}

const PixelCase PixelCases[] = {
    {"plain: background", PLAIN, LEFT_EDGE, &Face::menuBackground, 0, true},
    {"plain: text", PLAIN, TEXT, &Face::menuText, 0, true},
    {"plain: no check", PLAIN, CHECK_COLUMN, &Face::menuText, 0, false},
    {"hot: background", HOT, LEFT_EDGE, &Face::menuHotBackground, 0, true},
    {"hot: text", HOT, TEXT, &Face::menuHotText, 0, true},
    {"hot: not the plain text", HOT, TEXT, &Face::menuText, 0, false},
    {"checked: mark", CHECKED, CHECK_COLUMN, &Face::menuText, 0, true},
    {"radio: bullet", RADIO, CHECK_CENTRE, &Face::menuText, 0, true},
    {"separator: line", SEPARATOR, MIDDLE_ROW, &Face::menuSeparator, 0, true},
    {"grey: grey text", GREY, TEXT, &Face::menuGreyText, 0, true},
    {"grey: no plain text", GREY, TEXT, &Face::menuText, 0, false},
    {"default: text", DEFAULT, TEXT, &Face::menuText, 0, true},
    {"submenu: arrow", SUBMENU, ARROW, &Face::menuText, 0, true},
    {"owner-drawn: owner's ink", OWNER_DRAWN, MIDDLE, nullptr, OwnerInk, true},
    {"owner-drawn: on the face", OWNER_DRAWN, LEFT_EDGE, &Face::menuBackground, 0, true},
    {"host check bitmap", HOST_CHECK_BITMAP, CHECK_CENTRE, nullptr, HostCheck, true},
    {"host check bitmap: no mark of ours", HOST_CHECK_BITMAP, CHECK_COLUMN, &Face::menuText, 0, false},
    {"column line", NEXT_COLUMN, LINE_LEFT, &Face::menuSeparator, 0, true},
    {"next column: text", NEXT_COLUMN, TEXT, &Face::menuText, 0, true},
};

TEST_F(PopupMenuTest, ItemsShowTheirTypeAndStateInTheFace)
{
    ASSERT_NE(Enskin(nullptr, 1), 0);
    HWND owner = MakeOwner(false);
    HDC screen = GetDC(nullptr);
    HBITMAP check = CreateCompatibleBitmap(screen, GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK));
    ReleaseDC(nullptr, screen);
    HDC paint = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(paint, check);
    const RECT all = {0, 0, 64, 64};
    HBRUSH fill = CreateSolidBrush(HostCheck);
    FillRect(paint, &all, fill);
    DeleteObject(fill);
    SelectObject(paint, previous);
    DeleteDC(paint);
    HMENU menu = MakeMenu(check);

    // Two steps down once the menu shows: the system draws the selection
    // itself, and the skin paints after it.
    open.onIdle = [&](HWND, int idle) {
        if (idle == 0) {
            PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
            return;
        }
        if (!(GetMenuState(menu, HOT, MF_BYPOSITION) & MF_HILITE))
            return;
        RECT window;
        GetWindowRect(open.popup, &window);
        for (int i = 0; i < ITEM_COUNT; ++i) {
            GetMenuItemRect(open.popup, menu, i, &open.items[i]);
            OffsetRect(&open.items[i], -window.left, -window.top);
        }
        open.shot = CaptureWindow(open.popup);
        EndMenu();
    };
    TrackPopupMenu(menu, 0, 100, 100, 0, owner, nullptr);
    ASSERT_TRUE(open.skinned);
    ASSERT_GT(open.shot.width, 0);
    EXPECT_EQ(open.shot.At(0, 0), Distinct.menuFrame) << "frame";
    EXPECT_GT(open.ownerDraws, 0) << "WM_DRAWITEM reaches the owner";

    for (const PixelCase &c : PixelCases) {
        const COLORREF colour = c.colour != nullptr ? Distinct.*c.colour : c.fixed;
        const int count = CountColour(open.shot, Area(open.items[c.item], c.where), colour);
        EXPECT_EQ(count > 0, c.present) << c.what << ": " << count << " pixels";
    }
    // Bold text inks more pixels than the same width of plain text would.
    EXPECT_GT(CountColour(open.shot, Area(open.items[DEFAULT], TEXT), Distinct.menuText),
              CountColour(open.shot, Area(open.items[CHECKED], TEXT), Distinct.menuText))
        << "default item in bold";

    DestroyWindow(owner);
    DestroyMenu(menu);
    DeleteObject(check);
}

// A host's changes at WM_INITMENUPOPUP show in the menu the skin paints:
// an item greyed and checked, one taken away and one added.
TEST_F(PopupMenuTest, ChangesAtInitMenuPopupShow)
{
    ASSERT_NE(Enskin(nullptr, 1), 0);
    HWND owner = MakeOwner(false);
    HMENU menu = MakeMenu(nullptr);
    open.onInitPopup = [&](HMENU shown) {
        if (shown != menu)
            return;
        ModifyMenuW(menu, PLAIN, MF_BYPOSITION | MF_STRING | MF_GRAYED | MF_CHECKED, 100, L"&Plain");
        DeleteMenu(menu, NEXT_COLUMN, MF_BYPOSITION);
        AppendMenuW(menu, MF_STRING, 111, L"&Added");
    };
    RECT plain = {}, added = {};
    open.onIdle = [&](HWND, int) {
        RECT window;
        GetWindowRect(open.popup, &window);
        GetMenuItemRect(open.popup, menu, PLAIN, &plain);
        GetMenuItemRect(open.popup, menu, NEXT_COLUMN, &added);
        OffsetRect(&plain, -window.left, -window.top);
        OffsetRect(&added, -window.left, -window.top);
        open.shot = CaptureWindow(open.popup);
        EndMenu();
    };
    TrackPopupMenu(menu, 0, 100, 100, 0, owner, nullptr);
    ASSERT_TRUE(open.skinned);
    EXPECT_GT(CountColour(open.shot, Area(plain, TEXT), Distinct.menuGreyText), 0) << "greyed";
    EXPECT_GT(CountColour(open.shot, Area(plain, CHECK_COLUMN), Distinct.menuGreyText), 0) << "checked";
    EXPECT_GT(CountColour(open.shot, Area(added, TEXT), Distinct.menuText), 0) << "added";
    EXPECT_EQ(CountColour(open.shot, Area(added, LINE_LEFT), Distinct.menuSeparator), 0) << "column taken away";
    DestroyWindow(owner);
    DestroyMenu(menu);
}

INT_PTR CALLBACK MenuOwnerDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_ENTERIDLE && msg != WM_MENUSELECT && msg != WM_TIMER)
        return FALSE;
    OwnerProc(hwnd, msg, wParam, lParam);
    return TRUE;
}

// Skinned alone, a dialog's menus are skinned with it; another dialog's not.
TEST_F(PopupMenuTest, MenusOfAWindowSkinnedAloneFollowIt)
{
    for (bool skinOwner : {true, false}) {
        HWND dialog = CreateTestDialog(TestDialogStyle, 200, 100, "owner", MenuOwnerDialogProc);
        if (skinOwner)
            ASSERT_NE(Enskin(dialog, 1), 0);
        SetTimer(dialog, 1, 5000, nullptr);
        HMENU menu = MakeMenu(nullptr);
        open.skinned = false;
        open.onIdle = [&](HWND, int) {
            open.shot = CaptureWindow(open.popup);
            EndMenu();
        };
        TrackPopupMenu(menu, 0, 100, 100, 0, dialog, nullptr);
        EXPECT_EQ(open.skinned, skinOwner);
        ASSERT_GT(open.shot.width, 1);
        EXPECT_EQ(open.shot.At(1, 1) == Distinct.menuBackground, skinOwner) << skinOwner;
        DestroyWindow(dialog);
        DestroyMenu(menu);
    }
}

// One way of using menus, as input the owner's thread receives.
struct UseCase {
    const char *name;
    bool bar;          // the owner has a menu bar, opened from the keyboard
    const UINT *keys;  // posted before the menu opens, or at the bar's first idle
    int keyCount;
    bool mouse;        // the pointer moves and clicks, one step per idle
};

const UINT ContextKeys[] = {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT,
                            VK_LEFT, 'Q', 'R'};
const UINT BarKeys[] = {VK_RIGHT, VK_DOWN, VK_LEFT, VK_RETURN};
const UINT EscapeKeys[] = {VK_DOWN, VK_ESCAPE, VK_ESCAPE};

const UseCase UseCases[] = {
    {"context menu, keyboard", false, ContextKeys, ARRAYSIZE(ContextKeys), false},
    {"menu bar, keyboard", true, BarKeys, ARRAYSIZE(BarKeys), false},
    {"context menu, escape", false, EscapeKeys, ARRAYSIZE(EscapeKeys), false},
    {"context menu, mouse", false, nullptr, 0, true},
};

void PostKeys(HWND owner, const UseCase &use)
{
    for (int i = 0; i < use.keyCount; ++i)
        PostMessageW(owner, WM_KEYDOWN, use.keys[i], 0);
}

// Runs one use, skinned or not, and returns what the owner heard.
std::vector<LoggedMessage> RunUse(OpenMenu *open, const UseCase &use, bool skinned)
{
    if (skinned)
        Enskin(nullptr, 1);
    HWND owner = MakeOwner(use.bar);
    HMENU menu = MakeMenu(nullptr);
    open->log.clear();
    open->idles = 0;
    open->onIdle = [&](HWND, int idle) {
        if (use.bar && idle == 0) {
            PostKeys(owner, use);
            return;
        }
        if (!use.mouse)
            return;
        RECT item;
        // Over "Hot", over the submenu's item, click it open, into it, click.
        const int steps[] = {HOT, SUBMENU, SUBMENU, -1, -1};
        if (idle >= static_cast<int>(ARRAYSIZE(steps)))
            return;
        if (steps[idle] >= 0) {
            GetMenuItemRect(nullptr, menu, steps[idle], &item);
            SetCursorPos(item.left + 10, (item.top + item.bottom) / 2);
        } else {
            HMENU sub = GetSubMenu(menu, SUBMENU);
            GetMenuItemRect(nullptr, sub, 0, &item);
            SetCursorPos(item.left + 10, (item.top + item.bottom) / 2);
        }
        if (idle == 2 || idle == 4) {
            INPUT click[2] = {};
            click[0].type = click[1].type = INPUT_MOUSE;
            click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(2, click, sizeof(INPUT));
        }
    };
    if (use.bar) {
        // Alt+F as the system hears it.
        PostMessageW(owner, WM_SYSCOMMAND, SC_KEYMENU, 'f');
        PumpMessages(300);
    } else {
        if (!use.mouse)
            PostKeys(owner, use);
        TrackPopupMenu(menu, 0, 100, 100, 0, owner, nullptr);
        PumpMessages(100);
    }
    std::vector<LoggedMessage> log = open->log;
    // Menus of the bar and the context menu alike name their HMENU, which
    // differs between runs; the order and the items are what must match.
    HMENU bar = GetMenu(owner);
    for (LoggedMessage &each : log) {
        each.hwnd = nullptr;
        if (each.lParam == reinterpret_cast<LPARAM>(menu))
            each.lParam = 1;
        else if (each.lParam == reinterpret_cast<LPARAM>(bar))
            each.lParam = 2;
        else if (each.lParam != 0)
            each.lParam = 3;
        if (each.msg == WM_INITMENUPOPUP || each.msg == WM_UNINITMENUPOPUP || each.msg == WM_INITMENU)
            each.wParam = 0;
    }
    DestroyWindow(owner);
    DestroyMenu(menu);
    if (skinned)
        Enskin(nullptr, 0);
    PumpMessages();
    return log;
}

std::string Describe(const std::vector<LoggedMessage> &log)
{
    std::string text;
    char line[80];
    for (const LoggedMessage &each : log) {
        snprintf(line, sizeof line, "%04x %llx %llx\n", each.msg, static_cast<unsigned long long>(each.wParam),
                 static_cast<unsigned long long>(each.lParam));
        text += line;
    }
    return text;
}

TEST_F(PopupMenuTest, OwnerHearsTheSameMessagesSkinnedAsNot)
{
    for (const UseCase &use : UseCases) {
        const std::vector<LoggedMessage> plain = RunUse(&open, use, false);
        open.skinned = false;
        const std::vector<LoggedMessage> skinned = RunUse(&open, use, true);
        EXPECT_TRUE(open.skinned) << use.name << ": the menu was skinned";
        EXPECT_GT(plain.size(), 4u) << use.name << "\n" << Describe(plain);
        EXPECT_EQ(Describe(skinned), Describe(plain)) << use.name;
    }
}

}  // namespace

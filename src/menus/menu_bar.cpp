// A window's menu bar in the face: the strip, every row of it when the bar
// wraps, and its text items. The system keeps the layout (GetMenuItemRect
// places every item, right-justified ones included) and its own drawing of
// bitmap and owner-drawn items. It draws a selection straight into the
// window and then tells the window (WM_MENUSELECT, WM_ENTERIDLE,
// WM_EXITMENULOOP): each is the skin's cue to paint the bar again.
#include "menus.h"

// Windows 10 and 11 ask a window to draw its menu bar with these, where the
// window answers them; the layouts are the system's, not in the SDK.
const UINT DrawMenuBarMessage = 0x91;      // lParam: MenuBarDrawing
const UINT DrawMenuBarItemMessage = 0x92;  // lParam: MenuBarItemDrawing

struct MenuBarDrawing {
    HMENU menu;
    HDC dc;
    DWORD flags;
};

struct MenuBarItemSize {
    DWORD cx;
    DWORD cy;
};

struct MenuBarItemDrawing {
    DRAWITEMSTRUCT draw;  // rcItem in window coordinates of hDC
    MenuBarDrawing bar;
    int position;
    union {
        MenuBarItemSize inBar[2];
        MenuBarItemSize inPopup[4];
    } sizes;
    DWORD popupColumnWidths[4];
    DWORD updateMaxWidths : 2;
};

// The looks of an item, and the colours each takes.
enum BarItemLook { BAR_ITEM_RESTING, BAR_ITEM_HOT, BAR_ITEM_PUSHED, BAR_ITEM_GREY };

struct BarItemColours {
    COLORREF Face::*background;
    COLORREF Face::*text;
};

static const BarItemColours BarItemLooks[] = {
    {&Face::menuBarBackground, &Face::menuBarText},        // at rest
    {&Face::menuBarHotBackground, &Face::menuBarText},     // under the pointer, or chosen by keys
    {&Face::menuBarPushedBackground, &Face::menuBarText},  // its drop-down open
    {&Face::menuBarBackground, &Face::menuBarGreyText},    // disabled, whatever else holds
};

struct BarItem {
    MENUITEMINFOW info;
    wchar_t text[256];
};

static bool ReadBarItem(HMENU menu, int index, BarItem *item)
{
    ZeroMemory(item, sizeof *item);
    item->info.cbSize = sizeof item->info;
    item->info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_BITMAP;
    item->info.dwTypeData = item->text;
    item->info.cch = ARRAYSIZE(item->text);
    return GetMenuItemInfoW(menu, index, TRUE, &item->info) != FALSE;
}

// Bitmap and owner-drawn items stay the system's and the host's.
static bool BarItemLeftToSystem(const BarItem &item)
{
    return (item.info.fType & (MFT_BITMAP | MFT_OWNERDRAW)) != 0 || item.info.hbmpItem != nullptr;
}

// The menu bar of a top-level window; null for a child, whose menu handle is
// its identifier.
static HMENU MenuBarOf(HWND hwnd)
{
    if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) != 0)
        return nullptr;
    return GetMenu(hwnd);
}

bool MenuBarPlace(HWND hwnd, RECT *place)
{
    MENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    if (MenuBarOf(hwnd) == nullptr || !GetMenuBarInfo(hwnd, OBJID_MENU, 0, &bar) || IsRectEmpty(&bar.rcBar))
        return false;
    RECT window;
    GetWindowRect(hwnd, &window);
    *place = bar.rcBar;
    OffsetRect(place, -window.left, -window.top);
    return true;
}

// The strip reaches down to the client area: the system draws a line of its
// own under the last row.
static RECT StripOf(HWND hwnd, const RECT &bar)
{
    RECT strip = bar;
    const RECT client = ClientAreaIn(hwnd, WindowRectInWindow(hwnd));
    if (client.top > strip.bottom)
        strip.bottom = client.top;
    return strip;
}

static void FillStrip(HDC dc, const RECT &strip)
{
    HBRUSH brush = CreateSolidBrush(CurrentFace()->menuBarBackground);
    FillRect(dc, &strip, brush);
    DeleteObject(brush);
}

static void PaintBarItem(HDC dc, const BarItem &item, const RECT &place, BarItemLook look, HFONT font, UINT prefix)
{
    const Face &face = *CurrentFace();
    const BarItemColours &colours = BarItemLooks[look];
    if (look != BAR_ITEM_RESTING && look != BAR_ITEM_GREY) {
        HBRUSH brush = CreateSolidBrush(face.*colours.background);
        FillRect(dc, &place, brush);
        DeleteObject(brush);
    }
    RECT text = place;
    HGDIOBJ previousFont = SelectObject(dc, font);
    const COLORREF previousColour = SetTextColor(dc, face.*colours.text);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, item.text, -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | prefix);
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousColour);
    SelectObject(dc, previousFont);
}

// Clears *menu when a popup menu window of the thread shows it.
static BOOL CALLBACK FindShownMenu(HWND hwnd, LPARAM menu)
{
    wchar_t className[16];
    auto *sought = reinterpret_cast<HMENU *>(menu);
    if (IsWindowVisible(hwnd) && GetClassNameW(hwnd, className, ARRAYSIZE(className)) != 0 &&
        lstrcmpiW(className, PopupMenuClass.className) == 0 &&
        reinterpret_cast<HMENU>(SendMessageW(hwnd, MN_GETHMENU, 0, 0)) == *sought)
        *sought = nullptr;
    return *sought != nullptr;
}

static bool DropDownShows(HMENU menu)
{
    EnumThreadWindows(GetCurrentThreadId(), FindShownMenu, reinterpret_cast<LPARAM>(&menu));
    return menu == nullptr;
}

// The look of a text item from the menu's own state: the system marks the
// item chosen by keys or whose drop-down is open (MFS_HILITE); the one under
// the pointer outside the menu loop is the skin's to track.
static BarItemLook LookOfItem(const BarItem &item, bool pointerOver)
{
    if (item.info.fState & MFS_DISABLED)
        return BAR_ITEM_GREY;
    if (item.info.fState & MFS_HILITE)
        return item.info.hSubMenu != nullptr && DropDownShows(item.info.hSubMenu) ? BAR_ITEM_PUSHED : BAR_ITEM_HOT;
    return pointerOver ? BAR_ITEM_HOT : BAR_ITEM_RESTING;
}

// Mnemonics show as the window's keyboard cues say.
static UINT PrefixOf(HWND hwnd)
{
    return (SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
}

void PaintMenuBar(SkinnedWindow *rec, HDC dc, const RECT &window, int)
{
    const HWND hwnd = rec->hwnd;
    RECT bar;
    if (!MenuBarPlace(hwnd, &bar))
        return;
    const UINT prefix = PrefixOf(hwnd);
    if (rec->released)
        return;
    const HMENU menu = MenuBarOf(hwnd);
    RECT onScreen;
    GetWindowRect(hwnd, &onScreen);
    const POINT origin = MoveOriginToWindow(dc, window);
    const int saved = SaveDC(dc);
    const int count = GetMenuItemCount(menu);
    BarItem item;
    RECT place;
    for (int i = 0; i < count; ++i) {
        if (ReadBarItem(menu, i, &item) && BarItemLeftToSystem(item) && GetMenuItemRect(hwnd, menu, i, &place))
            ExcludeClipRect(dc, place.left - onScreen.left, place.top - onScreen.top, place.right - onScreen.left,
                            place.bottom - onScreen.top);
    }
    FillStrip(dc, StripOf(hwnd, bar));
    HFONT font = CreateMenuFont(false);
    for (int i = 0; i < count; ++i) {
        if (!ReadBarItem(menu, i, &item) || BarItemLeftToSystem(item) || !GetMenuItemRect(hwnd, menu, i, &place))
            continue;
        OffsetRect(&place, -onScreen.left, -onScreen.top);
        PaintBarItem(dc, item, place, LookOfItem(item, rec->menuBarHotItem == i + 1), font, prefix);
    }
    DeleteObject(font);
    RestoreDC(dc, saved);
    PutBackOrigin(dc, origin);
}

void AddMenuBarItemsLeftToSystem(HWND hwnd, HRGN region)
{
    const HMENU menu = MenuBarOf(hwnd);
    const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        BarItem item;
        RECT place;
        if (!ReadBarItem(menu, i, &item) || !BarItemLeftToSystem(item) || !GetMenuItemRect(hwnd, menu, i, &place))
            continue;
        HRGN piece = CreateRectRgnIndirect(&place);
        CombineRgn(region, region, piece, RGN_OR);
        DeleteObject(piece);
    }
}

static LRESULT DrawBarStrip(SkinnedWindow *rec, const MenuBarDrawing *drawing)
{
    RECT bar;
    if (drawing == nullptr || !MenuBarPlace(rec->hwnd, &bar))
        return ForwardMessage(rec, DrawMenuBarMessage, 0, reinterpret_cast<LPARAM>(drawing));
    FillStrip(drawing->dc, StripOf(rec->hwnd, bar));
    return TRUE;
}

static BarItemLook LookOfDrawState(UINT state)
{
    if (state & (ODS_GRAYED | ODS_DISABLED | ODS_INACTIVE))
        return BAR_ITEM_GREY;
    if (state & ODS_SELECTED)
        return BAR_ITEM_PUSHED;
    return (state & ODS_HOTLIGHT) ? BAR_ITEM_HOT : BAR_ITEM_RESTING;
}

// One item where the system asks for it: the strip under it first, as the
// system draws items over a strip it may not have filled again.
static LRESULT DrawBarItem(SkinnedWindow *rec, LPARAM lParam)
{
    const auto *drawing = reinterpret_cast<const MenuBarItemDrawing *>(lParam);
    BarItem item;
    if (drawing == nullptr || !ReadBarItem(drawing->bar.menu, drawing->position, &item) || BarItemLeftToSystem(item))
        return ForwardMessage(rec, DrawMenuBarItemMessage, 0, lParam);
    const BarItemLook look = LookOfDrawState(drawing->draw.itemState);
    FillStrip(drawing->draw.hDC, drawing->draw.rcItem);
    HFONT font = CreateMenuFont(false);
    const UINT prefix = (drawing->draw.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    PaintBarItem(drawing->draw.hDC, item, drawing->draw.rcItem, look, font, prefix);
    DeleteObject(font);
    return TRUE;
}

// The bar's item under the pointer, tracked outside the menu loop; the
// system hot-tracks nothing there. Leaving the frame ends it.
static void TrackPointer(SkinnedWindow *rec, WPARAM hitTest, LPARAM screenPoint)
{
    const HWND hwnd = rec->hwnd;
    const POINT point = {static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    const HMENU menu = hitTest == HTMENU ? MenuBarOf(hwnd) : nullptr;
    const int hot = menu != nullptr ? MenuItemFromPoint(hwnd, menu, point) + 1 : 0;
    if (hot == rec->menuBarHotItem)
        return;
    rec->menuBarHotItem = hot;
    if (hot != 0) {
        TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE | TME_NONCLIENT, hwnd, 0};
        TrackMouseEvent(&leave);
    }
    RepaintWithNow(rec, PaintMenuBar, 0);
}

static bool HasSelection(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE)
            return true;
    }
    return false;
}

static void FollowSelection(SkinnedWindow *rec, UINT msg, HMENU menuOfSelection)
{
    const HMENU bar = MenuBarOf(rec->hwnd);
    if (bar == nullptr)
        return;
    const bool changed = msg == WM_EXITMENULOOP || (msg == WM_ENTERIDLE && HasSelection(bar)) ||
                         (msg == WM_MENUSELECT && (menuOfSelection == bar || menuOfSelection == nullptr));
    if (!changed)
        return;
    rec->menuBarHotItem = 0;
    RepaintWithNow(rec, PaintMenuBar, 0);
}

bool AnswerMenuBarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    switch (msg) {
    case DrawMenuBarMessage:
        *result = DrawBarStrip(rec, reinterpret_cast<const MenuBarDrawing *>(lParam));
        return true;
    case DrawMenuBarItemMessage:
        *result = DrawBarItem(rec, lParam);
        return true;
    case WM_NCMOUSEMOVE:
        TrackPointer(rec, wParam, lParam);
        return false;
    case WM_NCMOUSELEAVE:
    case WM_MOUSEMOVE:
        if (rec->menuBarHotItem != 0)
            TrackPointer(rec, HTNOWHERE, 0);
        return false;
    // The default procedure paints the whole frame again for a new title or
    // icon, the bar in the system's colours: the bar follows the row's own
    // repaint.
    case WM_SETTEXT:
    case WM_SETICON:
        *result = rec->skinClass->handler != nullptr ? rec->skinClass->handler(rec, msg, wParam, lParam)
                                                     : ForwardMessage(rec, msg, wParam, lParam);
        if (!rec->released && MenuBarOf(rec->hwnd) != nullptr)
            RepaintWithNow(rec, PaintMenuBar, 0);
        return true;
    // The system has drawn the bar's selection, or taken it away, itself:
    // a bar item chosen, the menu closing, a drop-down shown, the loop over.
    case WM_MENUSELECT:
    case WM_ENTERIDLE:
    case WM_EXITMENULOOP:
        FollowSelection(rec, msg, reinterpret_cast<HMENU>(lParam));
        return false;
    default:
        return false;
    }
}

// Popup menus ("#32768"): drop-downs, context menus, the window menu and
// submenus. The system makes one window per shown menu and ends it when the
// menu closes; the skin paints it from the menu's own items, read at every
// paint, and leaves the menu and its messages as they are.
#include "menus.h"

// Sizes of the look at 96 dpi.
static const int CheckGap = 4;          // between the check column and the text
static const int TextMargin = 2;        // inside an item, left and right of its parts
static const int ArrowHalfHeight = 4;   // the submenu arrow: a triangle pointing right
static const int BulletDiameter = 6;    // the radio bullet
static const int BarBreakInset = 2;     // the column line stops short of the frame

// The check mark, in design pixels within a 13 x 13 box.
static const POINT CheckMarkStroke[] = {{3, 6}, {5, 8}, {10, 3}};

struct PopupMenuBlock {
    // The menu's hot item when the skin last looked; the system draws a new
    // selection itself, in its own colours, without a message to the window.
    int hotSeen;
    // Lets the skin hear WM_MENUSELECT and WM_ENTERIDLE, which the menu
    // sends its owner after drawing a selection; only while the menu shows.
    HHOOK selectionHook;
};

// One item as the painter needs it.
struct MenuItem {
    MENUITEMINFOW info;
    wchar_t text[256];
    RECT place;  // in window coordinates
};

// What every item of one paint is drawn with.
struct PopupLook {
    const Face *face;
    HFONT font;
    HFONT boldFont;
    HBRUSH hotBrush;
    HBRUSH separatorBrush;
    int dpi;
    int checkSize;
    UINT prefix;  // DT_HIDEPREFIX unless keyboard cues are on
    HWND owner;
    RECT whole;   // the window, in window coordinates
};

static HMENU MenuOf(HWND popup)
{
    return reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
}

static bool ReadItem(HWND popup, HMENU menu, int index, POINT windowOrigin, MenuItem *item)
{
    ZeroMemory(item, sizeof *item);
    item->info.cbSize = sizeof item->info;
    item->info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_STRING |
                       MIIM_BITMAP | MIIM_DATA;
    item->info.dwTypeData = item->text;
    item->info.cch = ARRAYSIZE(item->text);
    if (!GetMenuItemInfoW(menu, index, TRUE, &item->info) || !GetMenuItemRect(popup, menu, index, &item->place))
        return false;
    OffsetRect(&item->place, -windowOrigin.x, -windowOrigin.y);
    return true;
}

static int HotItem(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE)
            return i;
    }
    return -1;
}

// Bitmap items are the system's to draw.
static bool LeftToSystem(const MenuItem &item)
{
    return (item.info.fType & MFT_BITMAP) || (item.info.hbmpItem != nullptr && !(item.info.fType & MFT_OWNERDRAW));
}

// A menu too long for the screen, which the system scrolls and draws with
// its arrows, has items beyond the window; the system draws all of it.
static bool Scrolls(HWND popup, HMENU menu, int count, POINT windowOrigin, const RECT &whole)
{
    for (int i = 0; i < count; ++i) {
        RECT place;
        if (GetMenuItemRect(popup, menu, i, &place) &&
            (place.top - windowOrigin.y < whole.top || place.bottom - windowOrigin.y > whole.bottom))
            return true;
    }
    return false;
}

static void PaintSeparator(HDC dc, const RECT &place, const PopupLook &look)
{
    const int inset = ScaleToDpi(TextMargin, look.dpi);
    const int middle = (place.top + place.bottom) / 2;
    const RECT line = {place.left + inset, middle, place.right - inset, middle + 1};
    FillRect(dc, &line, look.separatorBrush);
}

// A check bitmap of the host's: a monochrome one takes the item's text and
// background colours, as the system draws it.
static void PaintCheckBitmap(HDC dc, HBITMAP bitmap, const RECT &box)
{
    BITMAP size;
    if (GetObjectW(bitmap, sizeof size, &size) == 0)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap);
    const int x = box.left + (box.right - box.left - size.bmWidth) / 2;
    const int y = box.top + (box.bottom - box.top - size.bmHeight) / 2;
    BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

// The check mark or radio bullet, centred in box, in colour.
static void PaintCheckGlyph(HDC dc, const RECT &box, bool radio, COLORREF colour, const PopupLook &look)
{
    const int x = box.left + (box.right - box.left - look.checkSize) / 2;
    const int y = box.top + (box.bottom - box.top - look.checkSize) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    if (radio) {
        const int diameter = ScaleToDpi(BulletDiameter, look.dpi);
        const int left = x + (look.checkSize - diameter) / 2;
        const int top = y + (look.checkSize - diameter) / 2;
        Ellipse(dc, left, top, left + diameter, top + diameter);
    } else {
        DrawDesignStroke(dc, CheckMarkStroke, ARRAYSIZE(CheckMarkStroke), x, y, look.dpi);
    }
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

static void PaintSubmenuArrow(HDC dc, const RECT &column, COLORREF colour, const PopupLook &look)
{
    const int half = ScaleToDpi(ArrowHalfHeight, look.dpi);
    const int middle = (column.top + column.bottom) / 2;
    const int left = column.left + (column.right - column.left - half) / 2;
    const POINT triangle[] = {{left, middle - half}, {left + half, middle}, {left, middle + half}};
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    Polygon(dc, triangle, ARRAYSIZE(triangle));
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

// The owner draws its own items, as without the skin, on the face's
// background and with the face's colours in the DC.
static void AskOwnerToDraw(HDC dc, HMENU menu, const MenuItem &item, const PopupLook &look)
{
    const UINT state = item.info.fState;
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = item.info.wID;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = ((state & MFS_HILITE) ? ODS_SELECTED : 0) | ((state & MFS_CHECKED) ? ODS_CHECKED : 0) |
                     ((state & MFS_DISABLED) ? ODS_GRAYED | ODS_DISABLED : 0) |
                     ((state & MFS_DEFAULT) ? ODS_DEFAULT : 0);
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = dc;
    draw.rcItem = item.place;
    draw.itemData = item.info.dwItemData;
    SendMessageW(look.owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
}

static void PaintTextItem(HDC dc, const MenuItem &item, const PopupLook &look)
{
    const UINT state = item.info.fState;
    const bool hot = (state & MFS_HILITE) != 0;
    const COLORREF colour = (state & MFS_DISABLED) ? look.face->menuGreyText
                            : hot                  ? look.face->menuHotText
                                                   : look.face->menuText;
    const int margin = ScaleToDpi(TextMargin, look.dpi);
    RECT check = item.place;
    check.left += margin;
    check.right = check.left + look.checkSize;
    HBITMAP hostCheck = (state & MFS_CHECKED) ? item.info.hbmpChecked : item.info.hbmpUnchecked;
    if (hostCheck != nullptr)
        PaintCheckBitmap(dc, hostCheck, check);
    else if (state & MFS_CHECKED)
        PaintCheckGlyph(dc, check, (item.info.fType & MFT_RADIOCHECK) != 0, colour, look);

    RECT text = item.place;
    text.left = check.right + ScaleToDpi(CheckGap, look.dpi);
    text.right -= look.checkSize + margin;
    if (item.info.hSubMenu != nullptr) {
        const RECT arrow = {text.right, item.place.top, item.place.right - margin, item.place.bottom};
        PaintSubmenuArrow(dc, arrow, colour, look);
    }
    HGDIOBJ previousFont = SelectObject(dc, (state & MFS_DEFAULT) ? look.boldFont : look.font);
    const COLORREF previousColour = SetTextColor(dc, colour);
    const UINT format = DT_SINGLELINE | DT_VCENTER | look.prefix;
    wchar_t *accelerator = wcschr(const_cast<wchar_t *>(item.text), L'\t');
    const int labelLength = accelerator != nullptr ? static_cast<int>(accelerator - item.text) : -1;
    DrawTextW(dc, item.text, labelLength, &text, format | DT_LEFT);
    if (accelerator != nullptr)
        DrawTextW(dc, accelerator + 1, -1, &text, format | DT_RIGHT);
    SetTextColor(dc, previousColour);
    SelectObject(dc, previousFont);
}

static void PaintItem(HDC dc, HMENU menu, const MenuItem &item, const PopupLook &look)
{
    const UINT type = item.info.fType;
    if (type & MFT_MENUBARBREAK) {
        const int inset = ScaleToDpi(BarBreakInset, look.dpi);
        const RECT line = {item.place.left - 1, look.whole.top + inset, item.place.left, look.whole.bottom - inset};
        FillRect(dc, &line, look.separatorBrush);
    }
    if (type & MFT_SEPARATOR) {
        PaintSeparator(dc, item.place, look);
        return;
    }
    if (item.info.fState & MFS_HILITE)
        FillRect(dc, &item.place, look.hotBrush);
    if (type & MFT_OWNERDRAW)
        AskOwnerToDraw(dc, menu, item, look);
    else
        PaintTextItem(dc, item, look);
}

HFONT CreateMenuFont(bool bold)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (bold)
        metrics.lfMenuFont.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

void PaintPopupMenu(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const HMENU menu = MenuOf(hwnd);
    RECT onScreen;
    GetWindowRect(hwnd, &onScreen);
    const POINT origin = {onScreen.left, onScreen.top};
    const RECT whole = {0, 0, onScreen.right - onScreen.left, onScreen.bottom - onScreen.top};
    const Face *face = CurrentFace();

    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, window, false);
    HBRUSH background = CreateSolidBrush(face->menuBackground);
    FillRect(dc, &whole, background);
    HBRUSH frame = CreateSolidBrush(face->menuFrame);
    FrameRect(dc, &whole, frame);
    DeleteObject(frame);

    BOOL cues = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cues, 0);
    PopupLook look = {};
    look.face = face;
    look.font = CreateMenuFont(false);
    look.boldFont = CreateMenuFont(true);
    look.hotBrush = CreateSolidBrush(face->menuHotBackground);
    look.separatorBrush = CreateSolidBrush(face->menuSeparator);
    look.dpi = WindowDpi(hwnd);
    look.checkSize = GetSystemMetrics(SM_CXMENUCHECK);
    look.prefix = cues ? 0 : DT_HIDEPREFIX;
    look.owner = GetWindow(hwnd, GW_OWNER);
    look.whole = whole;
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousBack = SetBkColor(dc, face->menuBackground);

    // The system's own items are printed by the menu and copied over the
    // face's look, each at its place.
    HRGN systemItems = CreateRectRgn(0, 0, 0, 0);
    int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    if (Scrolls(hwnd, menu, count, origin, whole)) {
        count = 0;
        SetRectRgn(systemItems, whole.left, whole.top, whole.right, whole.bottom);
    }
    for (int i = 0; i < count && !rec->released; ++i) {
        MenuItem item;
        if (!ReadItem(hwnd, menu, i, origin, &item))
            continue;
        if (LeftToSystem(item)) {
            HRGN place = CreateRectRgnIndirect(&item.place);
            CombineRgn(systemItems, systemItems, place, RGN_OR);
            DeleteObject(place);
            continue;
        }
        SetBkColor(dc, (item.info.fState & MFS_HILITE) ? face->menuHotBackground : face->menuBackground);
        PaintItem(dc, menu, item, look);
    }
    RECT systemBox;
    if (GetRgnBox(systemItems, &systemBox) != NULLREGION && !rec->released) {
        const int saved = SaveDC(dc);
        SelectClipRgn(dc, systemItems);
        ForwardMessage(rec, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        RestoreDC(dc, saved);
    }
    DeleteObject(systemItems);

    SetBkColor(dc, previousBack);
    SetBkMode(dc, previousMode);
    DeleteObject(look.separatorBrush);
    DeleteObject(look.hotBrush);
    DeleteObject(look.boldFont);
    DeleteObject(look.font);
    DeleteObject(background);
    EndBackBuffer(&buffer);
}

static void RepaintIfHotMoved(SkinnedWindow *rec)
{
    auto *block = static_cast<PopupMenuBlock *>(rec->extraState);
    const int hot = HotItem(MenuOf(rec->hwnd));
    if (rec->released || hot == block->hotSeen)
        return;
    block->hotSeen = hot;
    RepaintNow(rec);
}

static BOOL CALLBACK RepaintMenuWindow(HWND hwnd, LPARAM)
{
    SkinnedWindow *rec = FindSkinnedWindow(hwnd);
    if (rec == nullptr || rec->skinClass != &PopupMenuClass || rec->released || rec->standardLook ||
        rec->setUpPending)
        return TRUE;
    HoldRecord(rec);
    RepaintIfHotMoved(rec);
    LetGoRecord(rec);
    return TRUE;
}

// The system moves a menu's selection by drawing the items straight into
// the menu window and then telling the owner: WM_MENUSELECT for most moves,
// and WM_ENTERIDLE once the input is handled. Either is the skin's cue to
// paint the menus of the thread whose hot item has moved.
static LRESULT CALLBACK SelectionHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *sent = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && (sent->message == WM_MENUSELECT || sent->message == WM_ENTERIDLE))
        EnumThreadWindows(GetCurrentThreadId(), RepaintMenuWindow, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

static void SetUpPopupMenu(SkinnedWindow *rec, LONG)
{
    auto *block = static_cast<PopupMenuBlock *>(rec->extraState);
    block->hotSeen = -1;
    if (block->selectionHook == nullptr)
        block->selectionHook = SetWindowsHookExW(WH_CALLWNDPROC, SelectionHookProc, nullptr, GetCurrentThreadId());
}

static void TearDownPopupMenu(SkinnedWindow *rec)
{
    auto *block = static_cast<PopupMenuBlock *>(rec->extraState);
    if (block->selectionHook != nullptr)
        UnhookWindowsHookEx(block->selectionHook);
    block->selectionHook = nullptr;
}

// The row paints the menu; its handler only takes the selection hook away
// with the window.
static LRESULT HandlePopupMenuMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCDESTROY)
        TearDownPopupMenu(rec);
    return ForwardMessage(rec, msg, wParam, lParam);
}

const SkinClass PopupMenuClass = {L"#32768", nullptr, CK_POPUPMENU, HandlePopupMenuMessage, SetUpPopupMenu,
                                  sizeof(PopupMenuBlock), PaintPopupMenu, TearDownPopupMenu, nullptr, PAINTS_INSTEAD,
                                  0, nullptr, nullptr};

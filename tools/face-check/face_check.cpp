// face-check: shows a host laid out like a real program (a main window with a
// menu bar, toolbar, status bar, list view and tree view; a dialog with tabs;
// a property sheet; a message box) in a face, and checks what the library
// draws there:
// - every text the library draws, as drawn: its DrawTextW calls are watched
//   through velk.dll's import table; the text colour is the DC's, the
//   background the pixels of the text's box that the glyphs left alone;
//   below 4.5:1 fails, unless the pair is allowed;
// - in a face whose dialogs are dark, the pixels in the system's own light
//   colours inside skinned windows, icons and pictures left out; above the
//   limit (in tenths of a per cent of a window's skinned pixels) fails.
// Writes the screen as a PNG with what failed marked: texts framed in red,
// light pixels painted magenta. Exit code 0 when all passes, 1 when not,
// 2 when it could not run.
// Usage: face-check FACE_FOLDER OUTPUT.png [--light-limit PERMILLE] [--allow #TEXT/#BACK]...
// A negative limit leaves the light pixels uncounted.
#include "gallery.h"

#include <commctrl.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

typedef int(WINAPI *DrawTextWProc)(HDC, LPCWSTR, int, LPRECT, UINT);
typedef BOOL(WINAPI *BitBltProc)(HDC, int, int, int, int, HDC, int, int, DWORD);

static const double RequiredContrast = 4.5;
// A window's pixels are light in the face's sense above this luminance.
static const double LightLuminance = 0.5;
// A dialog whose background is darker than this is a dark face's.
static const double DarkBackgroundLuminance = 0.2;
// The share of a text's free pixels that must clear the contrast: a few
// stray pixels of a gradient's end or an edge are no background.
static const double BackgroundShare = 0.1;

struct DrawnText {
    COLORREF text;
    COLORREF background;
    double contrast;
    std::wstring words;
    HDC pendingOn;   // the memory DC it waits in until copied to a window
    RECT place;      // in pendingOn's device pixels, or on the screen
};

static std::vector<DrawnText> drawn;
static DrawTextWProc realDrawText;
static BitBltProc realBitBlt;
static HMODULE library;

static double Luminance(COLORREF colour)
{
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
           0.0722 * linear(GetBValue(colour));
}

static double Contrast(COLORREF a, COLORREF b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The DC's pixels of a box, as 0x00RRGGBB-ordered COLORREFs, row by row.
static std::vector<COLORREF> Grab(HDC dc, const RECT &box)
{
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    std::vector<COLORREF> pixels(static_cast<size_t>(w) * h);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copy = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(copy, canvas);
    realBitBlt(copy, 0, 0, w, h, dc, box.left, box.top, SRCCOPY);
    GdiFlush();
    const auto *bgra = static_cast<const DWORD *>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB((bgra[i] >> 16) & 0xFF, (bgra[i] >> 8) & 0xFF, bgra[i] & 0xFF);
    SelectObject(copy, previous);
    DeleteDC(copy);
    DeleteObject(canvas);
    return pixels;
}

static RECT ToScreen(HDC dc, RECT logical)
{
    LPtoDP(dc, reinterpret_cast<POINT *>(&logical), 2);
    POINT origin = {0, 0};
    GetDCOrgEx(dc, &origin);
    OffsetRect(&logical, origin.x, origin.y);
    return logical;
}

static bool IsMemoryDc(HDC dc)
{
    return GetObjectType(dc) == OBJ_MEMDC;
}

// The library's DrawTextW: drawn as asked, with the box's pixels read before
// and after. Pixels the text changed are its glyphs; the others, or the
// DC's background colour when the text is drawn opaque, are its background.
static int WINAPI WatchedDrawText(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format)
{
    if ((format & DT_CALCRECT) != 0 || rect == nullptr)
        return realDrawText(dc, text, count, rect, format);
    RECT clip;
    RECT box;
    if (GetClipBox(dc, &clip) == ERROR || !IntersectRect(&box, rect, &clip))
        return realDrawText(dc, text, count, rect, format);
    const std::vector<COLORREF> before = Grab(dc, box);
    const int result = realDrawText(dc, text, count, rect, format);
    const std::vector<COLORREF> after = Grab(dc, box);
    const int w = box.right - box.left;
    RECT glyphs = {box.right, box.bottom, box.left, box.top};
    for (size_t i = 0; i < after.size(); ++i) {
        if (after[i] == before[i])
            continue;
        const int x = box.left + static_cast<int>(i) % w;
        const int y = box.top + static_cast<int>(i) / w;
        glyphs = {std::min<LONG>(glyphs.left, x), std::min<LONG>(glyphs.top, y), std::max<LONG>(glyphs.right, x + 1),
                  std::max<LONG>(glyphs.bottom, y + 1)};
    }
    if (IsRectEmpty(&glyphs))
        return result;
    const COLORREF ink = GetTextColor(dc) & 0xFFFFFF;
    std::vector<std::pair<double, COLORREF>> free;
    if (GetBkMode(dc) == OPAQUE) {
        free.push_back({Contrast(ink, GetBkColor(dc)), GetBkColor(dc) & 0xFFFFFF});
    } else {
        for (int y = glyphs.top; y < glyphs.bottom; ++y)
            for (int x = glyphs.left; x < glyphs.right; ++x) {
                const size_t i = static_cast<size_t>(y - box.top) * w + (x - box.left);
                if (after[i] == before[i])
                    free.push_back({Contrast(ink, after[i]), after[i]});
            }
    }
    if (free.empty())
        return result;
    std::sort(free.begin(), free.end());
    const auto &worst = free[static_cast<size_t>(BackgroundShare * (free.size() - 1))];
    DrawnText entry = {ink, worst.second, worst.first,
                       std::wstring(text, count < 0 ? wcslen(text) : static_cast<size_t>(count)), nullptr, glyphs};
    if (IsMemoryDc(dc)) {
        LPtoDP(dc, reinterpret_cast<POINT *>(&entry.place), 2);
        entry.pendingOn = dc;
    } else {
        entry.place = ToScreen(dc, glyphs);
    }
    drawn.push_back(entry);
    return result;
}

// The library composes off screen and copies the buffer to the window: a
// text waiting in the buffer goes where the copy puts it.
static BOOL WINAPI WatchedBitBlt(HDC target, int x, int y, int w, int h, HDC source, int sx, int sy, DWORD rop)
{
    const BOOL result = realBitBlt(target, x, y, w, h, source, sx, sy, rop);
    if (source == nullptr)
        return result;
    for (DrawnText &entry : drawn) {
        if (entry.pendingOn != source)
            continue;
        RECT place = entry.place;
        OffsetRect(&place, x - sx, y - sy);
        if (IsMemoryDc(target)) {
            LPtoDP(target, reinterpret_cast<POINT *>(&place), 2);
            entry.pendingOn = target;
        } else {
            entry.place = ToScreen(target, place);
            entry.pendingOn = nullptr;
        }
        entry.place = entry.pendingOn != nullptr ? place : entry.place;
    }
    return result;
}

static void *PatchImport(HMODULE module, const char *dllName, const char *functionName, void *replacement)
{
    auto *base = reinterpret_cast<BYTE *>(module);
    auto *dos = reinterpret_cast<IMAGE_DOS_HEADER *>(base);
    auto *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto *descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + directory.VirtualAddress);
    for (; directory.VirtualAddress != 0 && descriptor->Name != 0; ++descriptor) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + descriptor->Name), dllName) != 0)
            continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + descriptor->OriginalFirstThunk);
        auto *addresses = reinterpret_cast<IMAGE_THUNK_DATA *>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char *>(byName->Name), functionName) != 0)
                continue;
            DWORD protection;
            VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, PAGE_READWRITE, &protection);
            void *original = reinterpret_cast<void *>(addresses->u1.Function);
            addresses->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, protection, &protection);
            return original;
        }
    }
    return nullptr;
}

// ---- The host ----

enum : int { IdList = 100, IdTree, IdToolbar, IdStatus, IdTabs, IdPage };

static HWND CreateMainWindow(HINSTANCE instance)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"FaceCheckMain";
    RegisterClassW(&windowClass);
    HMENU bar = CreateMenu();
    const wchar_t *titles[] = {L"&File", L"&Edit", L"&View", L"&Help"};
    for (const wchar_t *title : titles) {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 1, L"&Open...\tCtrl+O");
        AppendMenuW(popup, MF_STRING | MF_GRAYED, 2, L"&Save");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    }
    HWND main = CreateWindowExW(0, L"FaceCheckMain", L"Face check: main window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 640, 440, nullptr, bar, instance, nullptr);

    HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST,
                                   0, 0, 0, 0, main, reinterpret_cast<HMENU>(IdToolbar), instance, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[3] = {};
    const wchar_t *labels[] = {L"New", L"Open", L"Bold"};
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = 200 + i;
        buttons[i].fsState = static_cast<BYTE>(TBSTATE_ENABLED | (i == 2 ? TBSTATE_CHECKED : 0));
        buttons[i].fsStyle = static_cast<BYTE>(BTNS_AUTOSIZE | (i == 2 ? BTNS_CHECK : 0));
        buttons[i].iString = reinterpret_cast<INT_PTR>(labels[i]);
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);

    HWND status = CreateWindowExW(0, STATUSCLASSNAMEW, L"Ready", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                  main, reinterpret_cast<HMENU>(IdStatus), instance, nullptr);
    int parts[] = {200, 400, -1};
    SendMessageW(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"12 objects"));

    RECT client;
    GetClientRect(main, &client);
    HWND tree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, nullptr,
                                WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                    TVS_SHOWSELALWAYS,
                                0, 40, 200, client.bottom - 70, main, reinterpret_cast<HMENU>(IdTree), instance,
                                nullptr);
    TVINSERTSTRUCTW insert = {};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t *>(L"Computer");
    HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    insert.hParent = root;
    HTREEITEM chosen = nullptr;
    for (const wchar_t *name : {L"Documents", L"Pictures", L"Music"}) {
        insert.item.pszText = const_cast<wchar_t *>(name);
        HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        chosen = chosen == nullptr ? item : chosen;
    }
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(chosen));

    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, nullptr,
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 204, 40, client.right - 204,
                                client.bottom - 70, main, reinterpret_cast<HMENU>(IdList), instance, nullptr);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const wchar_t *columns[] = {L"Name", L"Size", L"Type"};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 130;
        column.pszText = const_cast<wchar_t *>(columns[c]);
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (int r = 0; r < 8; ++r) {
        wchar_t name[32];
        wsprintfW(name, L"report-%d.txt", r + 1);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = name;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t *>(L"12 KB");
        SendMessageW(list, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 2;
        item.pszText = const_cast<wchar_t *>(L"Text document");
        SendMessageW(list, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
    }
    LVITEMW selected = {};
    selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));
    SetFocus(list);
    return main;
}

// Dialog templates, built in memory: DLGTEMPLATE, then for each item a
// DLGITEMTEMPLATE with its class and text, DWORD-aligned.
struct TemplateItem {
    const wchar_t *className;
    const wchar_t *text;
    DWORD style;
    short x, y, cx, cy;
    WORD id;
};

static void PutWords(std::vector<WORD> &out, const wchar_t *text)
{
    for (; *text != 0; ++text)
        out.push_back(*text);
    out.push_back(0);
}

static std::vector<WORD> DialogTemplate(const wchar_t *title, DWORD style, short cx, short cy,
                                        const std::vector<TemplateItem> &items)
{
    std::vector<WORD> out;
    auto put = [&](const void *data, size_t bytes) {
        const auto *words = static_cast<const WORD *>(data);
        out.insert(out.end(), words, words + bytes / 2);
    };
    DLGTEMPLATE head = {style | DS_SETFONT | DS_MODALFRAME, 0, static_cast<WORD>(items.size()), 0, 0, cx, cy};
    put(&head, sizeof head);
    out.push_back(0);  // no menu
    out.push_back(0);  // the dialog class
    PutWords(out, title);
    out.push_back(8);
    PutWords(out, L"MS Shell Dlg");
    for (const TemplateItem &item : items) {
        if (out.size() % 2 != 0)
            out.push_back(0);
        DLGITEMTEMPLATE entry = {item.style | WS_CHILD | WS_VISIBLE, 0, item.x, item.y, item.cx, item.cy, item.id};
        put(&entry, sizeof entry);
        PutWords(out, item.className);
        PutWords(out, item.text);
        out.push_back(0);  // no creation data
    }
    return out;
}

static const std::vector<TemplateItem> ControlItems = {
    {L"Static", L"&Name:", SS_LEFT, 8, 8, 60, 10, 300},
    {L"Edit", L"A text", ES_AUTOHSCROLL | WS_BORDER, 70, 6, 110, 14, 301},
    {L"Static", L"Read-only:", SS_LEFT, 8, 26, 60, 10, 302},
    {L"Edit", L"Kept", ES_READONLY | WS_BORDER, 70, 24, 110, 14, 303},
    {L"Static", L"Disabled label", SS_LEFT | WS_DISABLED, 8, 44, 100, 10, 304},
    {L"Static", L"Column\tafter a tab", SS_LEFT, 8, 58, 170, 10, 305},
    {L"Button", L"Options", BS_GROUPBOX, 8, 72, 172, 58, 306},
    {L"Button", L"Check box", BS_AUTOCHECKBOX, 16, 84, 80, 12, 307},
    {L"Button", L"Disabled check", BS_AUTOCHECKBOX | WS_DISABLED, 16, 98, 80, 12, 308},
    {L"Button", L"Radio", BS_AUTORADIOBUTTON, 100, 84, 70, 12, 309},
    {L"Button", L"Other radio", BS_AUTORADIOBUTTON, 100, 98, 70, 12, 310},
    {L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 8, 136, 100, 60, 311},
    {L"msctls_progress32", L"", 0, 8, 156, 172, 10, 312},
    {L"msctls_trackbar32", L"", TBS_AUTOTICKS, 8, 170, 172, 18, 313},
    {L"Button", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 8, 196, 50, 14, IDOK},
    {L"Button", L"Cancel", BS_PUSHBUTTON, 64, 196, 50, 14, IDCANCEL},
    {L"Button", L"Disabled", BS_PUSHBUTTON | WS_DISABLED, 120, 196, 50, 14, 314},
};

static void FillControls(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, 311);
    for (const wchar_t *entry : {L"First choice", L"Second choice"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageW(dialog, 312, PBM_SETPOS, 60, 0);
    SendDlgItemMessageW(dialog, 313, TBM_SETPOS, TRUE, 40);
}

static INT_PTR CALLBACK PageProcedure(HWND dialog, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        FillControls(dialog);
        return TRUE;
    }
    return FALSE;
}

static INT_PTR CALLBACK TabbedProcedure(HWND dialog, UINT msg, WPARAM, LPARAM)
{
    if (msg != WM_INITDIALOG)
        return FALSE;
    HWND tabs = GetDlgItem(dialog, IdTabs);
    for (const wchar_t *title : {L"General", L"Advanced", L"About"}) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t *>(title);
        SendMessageW(tabs, TCM_INSERTITEMW, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&item));
    }
    // The page: a child dialog over the tab control's display area.
    const std::vector<WORD> page = DialogTemplate(L"", DS_CONTROL | WS_CHILD, 190, 216, ControlItems);
    HWND pageWindow = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                                 reinterpret_cast<const DLGTEMPLATE *>(page.data()), dialog,
                                                 PageProcedure, 0);
    RECT area;
    GetWindowRect(tabs, &area);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT *>(&area), 2);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    SetWindowPos(pageWindow, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_SHOWWINDOW);
    return TRUE;
}

static HWND CreateTabbedDialog()
{
    const std::vector<WORD> dialog = DialogTemplate(
        L"Face check: a dialog with tabs", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 206, 250,
        {{WC_TABCONTROLW, L"", 0, 4, 4, 198, 242, IdTabs}});
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE *>(dialog.data()),
                                      nullptr, TabbedProcedure, 0);
}

static HWND CreateSheet()
{
    static const std::vector<WORD> first = DialogTemplate(L"Settings", WS_CHILD | WS_CAPTION, 190, 216, ControlItems);
    static const std::vector<WORD> second = DialogTemplate(
        L"Notes", WS_CHILD | WS_CAPTION, 190, 216,
        {{L"Static", L"A property sheet's note, in a label\tof its own.", SS_LEFT, 8, 8, 170, 30, 400},
         {L"Button", L"Remember", BS_AUTOCHECKBOX, 8, 44, 80, 12, 401}});
    PROPSHEETPAGEW pages[2] = {};
    const std::vector<WORD> *templates[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].dwFlags = PSP_DLGINDIRECT;
        pages[i].pResource = reinterpret_cast<const DLGTEMPLATE *>(templates[i]->data());
        pages[i].pfnDlgProc = PageProcedure;
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW;
    header.pszCaption = L"Face check: property sheet";
    header.nPages = 2;
    header.ppsp = pages;
    return reinterpret_cast<HWND>(PropertySheetW(&header));
}

// ---- What is measured ----

struct Options {
    double lightLimit = 0.5; // per mille of a window's skinned pixels; below 0, not counted
    std::vector<std::pair<COLORREF, COLORREF>> allowed;
};

static COLORREF ParseColour(const char *text)
{
    const unsigned long value = std::strtoul(text + (text[0] == '#'), nullptr, 16);
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

// Whether the library subclasses the window: its procedure lies in velk.dll.
static bool IsSkinned(HWND hwnd)
{
    const auto procedure = static_cast<ULONG_PTR>(IsWindowUnicode(hwnd) ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC)
                                                                         : GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    const auto base = reinterpret_cast<ULONG_PTR>(library);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER *>(library)->e_lfanew);
    return procedure >= base && procedure < base + nt->OptionalHeader.SizeOfImage;
}

// Icons and pictures keep their own colours.
static bool IsPicture(HWND hwnd)
{
    wchar_t className[32];
    GetClassNameW(hwnd, className, 32);
    const LONG type = GetWindowLongW(hwnd, GWL_STYLE) & SS_TYPEMASK;
    return lstrcmpiW(className, L"Static") == 0 && (type == SS_ICON || type == SS_BITMAP);
}

struct Screen {
    int width, height;
    std::vector<COLORREF> pixels;
    std::vector<unsigned char> marks;  // 1: a failed text's frame, 2: a light pixel
    std::vector<bool> texts;           // within a measured text's box
};

static void MarkFrame(Screen &screen, RECT place)
{
    InflateRect(&place, 2, 2);
    for (int y = place.top; y < place.bottom; ++y)
        for (int x = place.left; x < place.right; ++x) {
            const bool edge = y < place.top + 2 || y >= place.bottom - 2 || x < place.left + 2 || x >= place.right - 2;
            if (edge && x >= 0 && y >= 0 && x < screen.width && y < screen.height)
                screen.marks[static_cast<size_t>(y) * screen.width + x] = 1;
        }
}

// Light pixels by the class of the window that shows them.
struct Tally {
    int light = 0;
    int skinned = 0;
    std::vector<std::pair<std::wstring, int>> byClass;
};

// Each pixel of the top-level window top to the innermost window over it that
// is skinned and no picture, or null: windows are painted into owners from
// the bottom of each z-order up, each parent before its children.
static void MarkWindowTree(HWND window, const RECT &top, std::vector<HWND> &owners)
{
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child))
            continue;
        RECT place;
        GetWindowRect(child, &place);
        const int w = top.right - top.left;
        HWND owner = IsPicture(child) || !IsSkinned(child) ? nullptr : child;
        for (int y = std::max(place.top, top.top); y < std::min(place.bottom, top.bottom); ++y)
            for (int x = std::max(place.left, top.left); x < std::min(place.right, top.right); ++x)
                owners[static_cast<size_t>(y - top.top) * w + (x - top.left)] = owner;
        MarkWindowTree(child, top, owners);
    }
}

// The light pixels of one top-level window and what lies in it: each pixel
// belongs to the innermost window over it, and counts where that is skinned.
static Tally CountLight(HWND window, const std::vector<COLORREF> &lightColours, Screen &screen, bool mark)
{
    RECT top;
    GetWindowRect(window, &top);
    const int w = top.right - top.left;
    const int h = top.bottom - top.top;
    std::vector<HWND> owners(static_cast<size_t>(w) * h, IsSkinned(window) ? window : nullptr);
    MarkWindowTree(window, top, owners);
    HDC dc = GetWindowDC(window);
    const RECT whole = {0, 0, w, h};
    const std::vector<COLORREF> pixels = Grab(dc, whole);
    ReleaseDC(window, dc);
    Tally tally;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const int x = top.left + static_cast<int>(i) % w;
        const int y = top.top + static_cast<int>(i) / w;
        const bool onScreen = x >= 0 && y >= 0 && x < screen.width && y < screen.height;
        // Texts are measured by their contrast: white text on a dark face is
        // no light patch.
        if (owners[i] == nullptr || (onScreen && screen.texts[static_cast<size_t>(y) * screen.width + x]))
            continue;
        ++tally.skinned;
        if (std::find(lightColours.begin(), lightColours.end(), pixels[i]) == lightColours.end())
            continue;
        ++tally.light;
        wchar_t className[40] = L"";
        GetClassNameW(owners[i], className, 40);
        auto same = std::find_if(tally.byClass.begin(), tally.byClass.end(),
                                 [&](const std::pair<std::wstring, int> &seen) { return seen.first == className; });
        if (same == tally.byClass.end())
            tally.byClass.push_back({className, 1});
        else
            ++same->second;
        if (mark && onScreen)
            screen.marks[static_cast<size_t>(y) * screen.width + x] = 2;
    }
    return tally;
}

static std::string Hex(COLORREF colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

static std::string Narrow(const std::wstring &text)
{
    std::string out;
    for (wchar_t c : text)
        out += c == L'\t' ? ' ' : (c >= 32 && c < 127 ? static_cast<char>(c) : '?');
    return out.size() > 24 ? out.substr(0, 24) : out;
}

static bool Allowed(const Options &options, COLORREF text, COLORREF background)
{
    for (const auto &pair : options.allowed) {
        const int distance = std::max({std::abs(GetRValue(pair.second) - GetRValue(background)),
                                       std::abs(GetGValue(pair.second) - GetGValue(background)),
                                       std::abs(GetBValue(pair.second) - GetBValue(background))});
        if (pair.first == text && distance <= 8)
            return true;
    }
    return false;
}

static Screen GrabScreen()
{
    Screen screen;
    screen.width = GetSystemMetrics(SM_CXSCREEN);
    screen.height = GetSystemMetrics(SM_CYSCREEN);
    HDC dc = GetDC(nullptr);
    const RECT whole = {0, 0, screen.width, screen.height};
    screen.pixels = Grab(dc, whole);
    ReleaseDC(nullptr, dc);
    screen.marks.assign(screen.pixels.size(), 0);
    screen.texts.assign(screen.pixels.size(), false);
    return screen;
}

static void Pump(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

struct Run {
    Options options;
    const char *output;
    std::vector<HWND> windows;
    int failures;
};

static BOOL CALLBACK CollectMessageBox(HWND hwnd, LPARAM context)
{
    wchar_t title[64];
    GetWindowTextW(hwnd, title, 64);
    if (lstrcmpW(title, L"Face check: message box") == 0)
        *reinterpret_cast<HWND *>(context) = hwnd;
    return TRUE;
}

static int Measure(Run &run)
{
    // Everything drawn again from here on is what the check sees.
    drawn.clear();
    for (HWND window : run.windows)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(300);
    Screen screen = GrabScreen();

    int failures = 0;
    std::vector<DrawnText> pairs;
    for (const DrawnText &entry : drawn) {
        if (entry.pendingOn != nullptr)
            continue;
        for (int y = std::max(0L, entry.place.top); y < std::min<LONG>(screen.height, entry.place.bottom); ++y)
            for (int x = std::max(0L, entry.place.left); x < std::min<LONG>(screen.width, entry.place.right); ++x)
                screen.texts[static_cast<size_t>(y) * screen.width + x] = true;
        const bool low = entry.contrast < RequiredContrast && !Allowed(run.options, entry.text, entry.background);
        if (low)
            MarkFrame(screen, entry.place);
        auto same = std::find_if(pairs.begin(), pairs.end(), [&](const DrawnText &seen) {
            return seen.text == entry.text && seen.background == entry.background;
        });
        if (same == pairs.end())
            pairs.push_back(entry);
    }
    std::sort(pairs.begin(), pairs.end(), [](const DrawnText &a, const DrawnText &b) { return a.contrast < b.contrast; });
    std::printf("texts as drawn: %zu draws, %zu pairs of text and background colour\n", drawn.size(), pairs.size());
    for (const DrawnText &pair : pairs) {
        const bool allowed = Allowed(run.options, pair.text, pair.background);
        const bool low = pair.contrast < RequiredContrast;
        failures += low && !allowed;
        HWND where = WindowFromPoint({(pair.place.left + pair.place.right) / 2, (pair.place.top + pair.place.bottom) / 2});
        wchar_t className[40] = L"";
        GetClassNameW(where, className, 40);
        std::printf("  %-7s %5.2f:1  %s on %s  \"%s\" (%s)\n", low ? (allowed ? "allowed" : "FAIL") : "ok",
                    pair.contrast, Hex(pair.text).c_str(), Hex(pair.background).c_str(), Narrow(pair.words).c_str(),
                    Narrow(className).c_str());
    }

    // The system's own light colours, read as the system has them now.
    static const int SystemColours[] = {COLOR_BTNFACE, COLOR_WINDOW, COLOR_3DLIGHT, COLOR_3DHILIGHT, COLOR_MENU,
                                        COLOR_MENUBAR, COLOR_INFOBK, COLOR_SCROLLBAR, COLOR_ACTIVEBORDER,
                                        COLOR_INACTIVEBORDER, COLOR_GRADIENTINACTIVECAPTION};
    std::vector<COLORREF> light;
    for (int index : SystemColours)
        if (Luminance(GetSysColor(index)) > LightLuminance)
            light.push_back(GetSysColor(index));
    // The face's dialogs are dark when the tabbed dialog's background is.
    HWND dialog = run.windows[1];
    RECT client;
    GetClientRect(dialog, &client);
    HDC dc = GetDC(dialog);
    const COLORREF corner = GetPixel(dc, client.right - 3, client.bottom - 3);
    ReleaseDC(dialog, dc);
    const bool dark = Luminance(corner) < DarkBackgroundLuminance;
    if (run.options.lightLimit < 0) {
        std::printf("light pixels: not counted for this face\n");
    } else if (dark) {
        std::printf("light pixels (the system's light colours inside skinned windows; limit %.2f %%):\n",
                    run.options.lightLimit / 10);
        for (HWND window : run.windows) {
            Tally probe = CountLight(window, light, screen, false);
            const double permille = probe.skinned > 0 ? 1000.0 * probe.light / probe.skinned : 0;
            const bool over = permille > run.options.lightLimit;
            if (over)
                CountLight(window, light, screen, true);
            failures += over;
            wchar_t title[64];
            GetWindowTextW(window, title, 64);
            std::printf("  %-4s %6d of %7d px (%5.2f %%)  %s\n", over ? "FAIL" : "ok", probe.light, probe.skinned,
                        permille / 10, Narrow(title).c_str());
            for (const auto &part : probe.byClass)
                std::printf("         %6d in %s\n", part.second, Narrow(part.first).c_str());
        }
    } else {
        std::printf("light pixels: not counted, the dialog background %s is light\n", Hex(corner).c_str());
    }

    std::vector<unsigned char> rgb(static_cast<size_t>(screen.width) * screen.height * 3);
    for (size_t i = 0; i < screen.pixels.size(); ++i) {
        COLORREF colour = screen.pixels[i];
        if (screen.marks[i] == 1)
            colour = RGB(255, 0, 0);
        else if (screen.marks[i] == 2)
            colour = RGB(255, 0, 255);
        rgb[i * 3] = GetRValue(colour);
        rgb[i * 3 + 1] = GetGValue(colour);
        rgb[i * 3 + 2] = GetBValue(colour);
    }
    if (!WritePng(run.output, rgb.data(), screen.width, screen.height, screen.width * 3)) {
        std::fprintf(stderr, "face-check: cannot write %s\n", run.output);
        return -1;
    }
    return failures;
}

static Run *currentRun;

// Runs inside the message box's own loop: everything is on screen.
static void CALLBACK MeasureWhileMessageBoxIsUp(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), CollectMessageBox, reinterpret_cast<LPARAM>(&box));
    if (box != nullptr) {
        SetWindowPos(box, HWND_TOP, 660, 560, 0, 0, SWP_NOSIZE);
        currentRun->windows.push_back(box);
    }
    currentRun->failures = Measure(*currentRun);
    if (box != nullptr)
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: face-check FACE_FOLDER OUTPUT.png [--light-limit PERMILLE] [--allow #TEXT/#BACK]...\n");
        return 2;
    }
    Run run = {};
    run.output = argv[2];
    for (int i = 3; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--light-limit") == 0)
            run.options.lightLimit = std::atof(argv[i + 1]);
        else if (std::strcmp(argv[i], "--allow") == 0 && std::strchr(argv[i + 1], '/') != nullptr)
            run.options.allowed.push_back({ParseColour(argv[i + 1]), ParseColour(std::strchr(argv[i + 1], '/') + 1)});
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    library = LoadLibraryW(L"velk.dll");
    auto enskin = library != nullptr ? reinterpret_cast<EnskinProc>(reinterpret_cast<void *>(GetProcAddress(library, "Enskin"))) : nullptr;
    auto enskinFace =
        library != nullptr ? reinterpret_cast<EnskinFaceProc>(reinterpret_cast<void *>(GetProcAddress(library, "EnskinFace"))) : nullptr;
    if (enskin == nullptr || enskinFace == nullptr) {
        std::fprintf(stderr, "face-check: no velk.dll with Enskin and EnskinFace beside the program\n");
        return 2;
    }
    wchar_t folder[MAX_PATH];
    MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, folder, MAX_PATH);
    if (!enskinFace(folder)) {
        std::fprintf(stderr, "face-check: %s is no face folder with a face.ini\n", argv[1]);
        return 2;
    }
    // The library's own texts, and those the common controls draw in the
    // colours the library gives them.
    for (HMODULE drawer : {library, GetModuleHandleW(L"comctl32.dll")}) {
        void *drawText = PatchImport(drawer, "user32.dll", "DrawTextW", reinterpret_cast<void *>(WatchedDrawText));
        void *bitBlt = PatchImport(drawer, "gdi32.dll", "BitBlt", reinterpret_cast<void *>(WatchedBitBlt));
        realDrawText = drawText != nullptr ? reinterpret_cast<DrawTextWProc>(drawText) : realDrawText;
        realBitBlt = bitBlt != nullptr ? reinterpret_cast<BitBltProc>(bitBlt) : realBitBlt;
    }
    if (realDrawText == nullptr || realBitBlt == nullptr) {
        std::fprintf(stderr, "face-check: velk.dll imports no DrawTextW or BitBlt to watch\n");
        return 2;
    }
    enskin(nullptr, 1);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    run.windows.push_back(CreateMainWindow(instance));
    run.windows.push_back(CreateTabbedDialog());
    SetWindowPos(run.windows[1], nullptr, 650, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND sheet = CreateSheet();
    SetWindowPos(sheet, nullptr, 0, 450, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    run.windows.push_back(sheet);
    // The list shows its selection with the focus.
    SetForegroundWindow(run.windows[0]);
    SetFocus(GetDlgItem(run.windows[0], IdList));
    Pump(300);

    currentRun = &run;
    run.failures = -1;
    SetTimer(nullptr, 0, 500, MeasureWhileMessageBoxIsUp);
    MessageBoxW(run.windows[0], L"Save the changes to report-2.txt?", L"Face check: message box",
                MB_YESNOCANCEL | MB_ICONQUESTION);

    enskin(nullptr, 0);
    for (HWND window : run.windows)
        DestroyWindow(window);
    if (run.failures < 0)
        return 2;
    std::printf("%s: %d failed\n", run.failures == 0 ? "passed" : "FAILED", run.failures);
    return run.failures == 0 ? 0 : 1;
}

// Status bars: the skin draws the background, the parts' edges, icons, texts
// and the size grip. Owner-drawn parts are left to the control, which paints
// them into the same buffer through its own WM_PAINT, clipped to
// them; its background colour is the face's (SB_SETBKCOLOR), so that what it
// fills there matches.
#include "controls.h"

#include <commctrl.h>

// Design sizes, drawn at the window's DPI.
static const int PartTextInset = 3;
static const int PartIconGap = 2;
static const int DividerWidth = 1;

// Parts of a status bar in simple mode: the one the control keeps apart.
static const int SimplePartIndex = 0;
static const UINT PartTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
// A tab in a part's text starts the centred piece, a second the right one.
static const UINT PieceFormats[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
static const int ShortTextLength = 256;

// The status bar's extraState block.
struct StatusBarColours {
    bool hostSet;   // the host has a background colour of its own
    COLORREF host;  // that colour
};

static COLORREF StatusBackground(const SkinnedWindow *rec)
{
    const auto *block = static_cast<const StatusBarColours *>(rec->extraState);
    return block->hostSet ? block->host : CurrentFace()->barBackground;
}

// The grip's square at the trailing end, as the control places it.
static RECT SizeGripRect(const RECT &client)
{
    const int size = GetSystemMetrics(SM_CXVSCROLL);
    return {client.right - size, client.top, client.right, client.bottom};
}

static void PaintPartText(HDC dc, HWND hwnd, wchar_t *text, RECT area, UINT readingOrder)
{
    for (int piece = 0; piece < 3 && text != nullptr; ++piece) {
        wchar_t *tab = wcschr(text, L'\t');
        if (tab != nullptr)
            *tab = L'\0';
        RECT place = area;
        const UINT format = PartTextFormat | PieceFormats[piece] | readingOrder;
        DrawCaptionText(dc, hwnd, text, &place, CurrentFace()->barText, format, CAPTION_IN_RECT);
        text = tab != nullptr ? tab + 1 : nullptr;
    }
}

// Returns false for a part the control draws itself.
// textEnd: where the text must stop, short of the grip.
static bool PaintPart(HDC dc, HWND hwnd, int index, HBRUSH divider, bool last, int textEnd, int dpi)
{
    RECT part = {};
    SendMessageW(hwnd, SB_GETRECT, index, reinterpret_cast<LPARAM>(&part));
    if (part.right > textEnd)
        part.right = textEnd;
    const LRESULT lengthAndType = SendMessageW(hwnd, SB_GETTEXTLENGTHW, index, 0);
    const UINT type = HIWORD(lengthAndType);
    if (type & SBT_OWNERDRAW)
        return false;
    if ((type & SBT_NOBORDERS) == 0 && !last) {
        const RECT line = {part.right - ScaleToDpi(DividerWidth, dpi), part.top, part.right, part.bottom};
        FillRect(dc, &line, divider);
    }
    RECT area = part;
    area.left += ScaleToDpi(PartTextInset, dpi);
    area.right -= ScaleToDpi(PartTextInset, dpi);
    HICON icon = reinterpret_cast<HICON>(SendMessageW(hwnd, SB_GETICON, index, 0));
    if (icon != nullptr) {
        const int size = GetSystemMetrics(SM_CYSMICON);
        DrawIconEx(dc, area.left, (area.top + area.bottom - size) / 2, icon, size, size, 0, nullptr, DI_NORMAL);
        area.left += size + ScaleToDpi(PartIconGap, dpi);
    }
    const int length = LOWORD(lengthAndType);
    if (length == 0)
        return true;
    wchar_t shortText[ShortTextLength];
    auto *text = length < ShortTextLength
                     ? shortText
                     : static_cast<wchar_t *>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(wchar_t)));
    if (text == nullptr)
        return true;
    text[0] = L'\0';
    SendMessageW(hwnd, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text));
    text[length] = L'\0';
    PaintPartText(dc, hwnd, text, area, (type & SBT_RTLREADING) ? DT_RTLREADING : 0);
    if (text != shortText)
        HeapFree(GetProcessHeap(), 0, text);
    return true;
}

void PaintStatusBar(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const int dpi = WindowDpi(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, ClientAreaIn(hwnd, window), false);
    HBRUSH background = CreateSolidBrush(StatusBackground(rec));
    FillRect(dc, &client, background);
    DeleteObject(background);

    HRGN kept = CreateRectRgn(0, 0, 0, 0);
    HBRUSH divider = CreateSolidBrush(CurrentFace()->barDivider);
    const bool gripped = (GetWindowLongW(hwnd, GWL_STYLE) & SBARS_SIZEGRIP) != 0;
    const RECT grip = SizeGripRect(client);
    if (gripped)
        DrawSizeGrip(dc, grip, dpi);
    const bool simple = SendMessageW(hwnd, SB_ISSIMPLE, 0, 0) != 0;
    const int count = simple ? 1 : static_cast<int>(SendMessageW(hwnd, SB_GETPARTS, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int index = simple ? SimplePartIndex : i;
        if (PaintPart(dc, hwnd, index, divider, i == count - 1, gripped ? grip.left : client.right, dpi))
            continue;
        RECT part = {};
        SendMessageW(hwnd, SB_GETRECT, index, reinterpret_cast<LPARAM>(&part));
        HRGN partRegion = CreateRectRgnIndirect(&part);
        CombineRgn(kept, kept, partRegion, RGN_OR);
        DeleteObject(partRegion);
    }
    DeleteObject(divider);
    RECT keptBox;
    if (GetRgnBox(kept, &keptBox) != NULLREGION && !rec->released)
        LetControlPaint(rec, dc, kept);
    DeleteObject(kept);
    EndBackBuffer(&buffer);
}

// The face's colour goes in unless the host has its own; the host's stays.
static void SetUpStatusBar(SkinnedWindow *rec, LONG)
{
    if (rec->setUpPending)
        return;
    auto *block = static_cast<StatusBarColours *>(rec->extraState);
    block->host = static_cast<COLORREF>(ForwardMessage(rec, SB_SETBKCOLOR, 0, CurrentFace()->barBackground));
    block->hostSet = block->host != CLR_DEFAULT;
    if (!rec->released && block->hostSet)
        ForwardMessage(rec, SB_SETBKCOLOR, 0, block->host);
}

static void TearDownStatusBar(SkinnedWindow *rec)
{
    if (!static_cast<const StatusBarColours *>(rec->extraState)->hostSet)
        ForwardMessage(rec, SB_SETBKCOLOR, 0, CLR_DEFAULT);
}

// The host's colour is kept and shown; the default stays the face's. The
// host hears of the colour it set before, not the face's.
static LRESULT StatusBarSetBackground(SkinnedWindow *rec, COLORREF colour)
{
    auto *block = static_cast<StatusBarColours *>(rec->extraState);
    const COLORREF before = block->hostSet ? block->host : CLR_DEFAULT;
    block->host = colour;
    block->hostSet = colour != CLR_DEFAULT;
    ForwardMessage(rec, SB_SETBKCOLOR, 0, colour == CLR_DEFAULT ? CurrentFace()->barBackground : colour);
    return before;
}

LRESULT HandleStatusBarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return CreateThenSetUp(rec, wParam, lParam);
    case SB_SETBKCOLOR:
        return StatusBarSetBackground(rec, static_cast<COLORREF>(lParam));
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

const SkinClass StatusBarClass = {STATUSCLASSNAMEW, nullptr, CK_STATUSBAR, HandleStatusBarMessage, SetUpStatusBar,
                                  sizeof(StatusBarColours), PaintStatusBar, TearDownStatusBar, nullptr, PAINTS_INSTEAD,
                                  0, nullptr, nullptr};

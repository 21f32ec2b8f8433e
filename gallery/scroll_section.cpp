// The scroll section: scroll bars in every layout the skin distinguishes
// (full, short, thumb at either end, empty channel) and up-down controls
// alone and against Edit buddies.
#include "gallery.h"

#include <commctrl.h>

#include <vector>

#include "velk.h"

static const char SectionTitle[] = "velk scroll bars and up-downs";
static const int Margin = Px(12);
static const int LabelHeight = Px(14);
static const int LabelGap = Px(2);
static const int RowGap = Px(10);
static const int ColumnGap = Px(10);
static const int Thickness = Px(17);
static const int VerticalBarLength = Px(150);
static const int ShortBarLength = Px(30);
static const int HorizontalBarLength = Px(200);
static const int EmptyChannelLength = 2 * Thickness;
static const int EditWidth = Px(56);
static const int EditHeight = Px(22);
static const int SpinWidth = Px(16);
static const int SpinHeight = Px(30);
static const int ScrollRange = 100;
static const int ScrollPage = 10;
static const int BarColumnWidth = Px(36);
static const int UpDownColumnWidth = Px(86);

static HWND AddChild(HWND dialog, const char *className, const char *text, DWORD style, DWORD exStyle, int x,
                     int y, int width, int height)
{
    HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                 dialog, nullptr,
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    SendMessageA(child, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    return child;
}

static void AddCaption(HWND dialog, const char *text, int x, int y, int width)
{
    AddChild(dialog, "Static", text, SS_LEFT, 0, x, y, width, LabelHeight);
}

static HWND AddScrollBar(HWND dialog, DWORD style, int x, int y, int width, int height, int position)
{
    HWND bar = AddChild(dialog, "ScrollBar", "", style, 0, x, y, width, height);
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, ScrollRange, ScrollPage, position, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    return bar;
}

struct BarExample {
    const char *caption;  // horizontal bars only: the vertical ones share one
    int length;
    int position;
};

// Thumb in the middle, at the top, at the bottom; a bar too short for one.
static const BarExample VerticalBars[] = {
    {nullptr, VerticalBarLength, 50},
    {nullptr, VerticalBarLength, 0},
    {nullptr, VerticalBarLength, ScrollRange},
    {nullptr, ShortBarLength, 50},
};

static const BarExample HorizontalBars[] = {
    {"Thumb in the middle:", HorizontalBarLength, 50},
    {"Thumb at the left end:", HorizontalBarLength, 0},
    {"Thumb at the right end:", HorizontalBarLength, ScrollRange},
    {"Empty channel:", EmptyChannelLength, 50},
};

// Each builder places its examples from (left, top), returns the right edge
// of what it placed and sets *bottom to its lowest edge.
static int BuildVerticalBars(HWND dialog, int left, int top, int *bottom)
{
    AddCaption(dialog, "Vertical bars:", left, top, BarColumnWidth * 4);
    int x = left;
    for (const BarExample &bar : VerticalBars) {
        AddScrollBar(dialog, SBS_VERT, x, top + LabelHeight + LabelGap, Thickness, bar.length, bar.position);
        x += BarColumnWidth;
    }
    *bottom = top + LabelHeight + LabelGap + VerticalBarLength;
    return x;
}

static int BuildHorizontalBars(HWND dialog, int left, int top, int *bottom)
{
    int y = top;
    for (const BarExample &bar : HorizontalBars) {
        AddCaption(dialog, bar.caption, left, y, HorizontalBarLength);
        y += LabelHeight + LabelGap;
        AddScrollBar(dialog, SBS_HORZ, left, y, bar.length, Thickness, bar.position);
        y += Thickness + RowGap;
    }
    *bottom = y - RowGap;
    return left + HorizontalBarLength;
}

// An up-down made while thread-wide skinning is on is taken over before it
// has a buddy; skinning it again once the buddy is set gives it the frame
// that joins it to the Edit.
static void ReskinWithBuddy(HWND updown)
{
    HMODULE library = GetModuleHandleA("velk.dll");
    const auto enskin = reinterpret_cast<decltype(&Enskin)>(
        reinterpret_cast<void *>(GetProcAddress(library, "Enskin")));
    if (enskin == nullptr)
        return;
    enskin(updown, 0);
    enskin(updown, 1);
}

static void AddSpinWithEdit(HWND dialog, const char *caption, DWORD editStyle, DWORD align, int x, int y,
                            int value)
{
    AddCaption(dialog, caption, x, y, UpDownColumnWidth);
    y += LabelHeight + LabelGap;
    // Leave room on the side the up-down takes.
    const int editX = align == UDS_ALIGNLEFT ? x + SpinWidth - Px(2) : x;
    HWND edit = AddChild(dialog, "Edit", "", ES_NUMBER | WS_TABSTOP | editStyle, WS_EX_CLIENTEDGE, editX, y, EditWidth,
                         EditHeight);
    HWND updown = AddChild(dialog, UPDOWN_CLASSA, "", align | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 0, 0, 0);
    SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(updown, UDM_SETRANGE32, 0, ScrollRange);
    SendMessageA(updown, UDM_SETPOS32, 0, value);
    ReskinWithBuddy(updown);
}

static int BuildUpDowns(HWND dialog, int left, int top, int *bottom)
{
    int y = top;
    AddCaption(dialog, "Alone:", left, y, UpDownColumnWidth);
    y += LabelHeight + LabelGap;
    HWND vertical = AddChild(dialog, UPDOWN_CLASSA, "", 0, 0, left, y, SpinWidth, SpinHeight);
    SendMessageA(vertical, UDM_SETRANGE32, 0, ScrollRange);
    HWND horizontal =
        AddChild(dialog, UPDOWN_CLASSA, "", UDS_HORZ, 0, left + SpinWidth + RowGap, y, SpinHeight, SpinWidth);
    SendMessageA(horizontal, UDM_SETRANGE32, 0, ScrollRange);
    y += SpinHeight + RowGap;

    AddSpinWithEdit(dialog, "Edit left:", 0, UDS_ALIGNRIGHT, left, y, 42);
    y += LabelHeight + LabelGap + EditHeight + RowGap;
    AddSpinWithEdit(dialog, "Edit right:", 0, UDS_ALIGNLEFT, left, y, 7);
    y += LabelHeight + LabelGap + EditHeight + RowGap;
    AddSpinWithEdit(dialog, "Disabled:", WS_DISABLED, UDS_ALIGNRIGHT, left, y, 13);
    y += LabelHeight + LabelGap + EditHeight;
    *bottom = y;
    return left + UpDownColumnWidth;
}

// The skinned bars report; moving the thumb is the owner's job.
static void ApplyScrollRequest(HWND bar, WPARAM request)
{
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &info);
    const int page = static_cast<int>(info.nPage);
    int position = info.nPos;
    switch (LOWORD(request)) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = HIWORD(request); break;
    default: return;
    }
    SetScrollPos(bar, SB_CTL, position, TRUE);
}

static INT_PTR CALLBACK ScrollSectionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        // Vertical bars and up-downs side by side, the horizontal bars below.
        int verticalBottom, upDownBottom, bottom;
        const int barsRight = BuildVerticalBars(dialog, Margin, Margin, &verticalBottom);
        int right = BuildUpDowns(dialog, barsRight + ColumnGap, Margin, &upDownBottom);
        const int top = (verticalBottom > upDownBottom ? verticalBottom : upDownBottom) + RowGap;
        const int horizontalRight = BuildHorizontalBars(dialog, Margin, top, &bottom);
        right = right > horizontalRight ? right : horizontalRight;
        RECT client = {0, 0, right + Margin, bottom + Margin};
        AdjustWindowRectEx(&client, GetWindowLongA(dialog, GWL_STYLE), FALSE, GetWindowLongA(dialog, GWL_EXSTYLE));
        SetWindowPos(dialog, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return FALSE;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        char className[16] = {};
        HWND source = reinterpret_cast<HWND>(lParam);
        if (source != nullptr && GetClassNameA(source, className, sizeof className) != 0 &&
            lstrcmpiA(className, "ScrollBar") == 0)
            ApplyScrollRequest(source, wParam);
        return TRUE;
    }
    case WM_CLOSE:
        CloseGalleryWindow(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

// An in-memory template with no items; the controls are made in WM_INITDIALOG.
static void AppendWide(std::vector<WORD> &words, const char *text)
{
    do
        words.push_back(static_cast<unsigned char>(*text));
    while (*text++ != '\0');
}

HWND BuildScrollSection(const GalleryContext &context)
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto *header = reinterpret_cast<DLGTEMPLATE *>(words.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    header->cx = 100;
    header->cy = 100;
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    AppendWide(words, SectionTitle);
    words.push_back(8);
    AppendWide(words, "MS Shell Dlg");
    return CreateDialogIndirectParamA(context.instance, reinterpret_cast<DLGTEMPLATE *>(words.data()), nullptr,
                                      ScrollSectionProc, 0);
}

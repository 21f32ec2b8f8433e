// The mirrored section: a dialog laid out right to left (WS_EX_LAYOUTRTL), as
// Hebrew and Arabic programs make them, with the skinned kinds that draw
// text or point somewhere. Its children inherit the mirroring; one label
// also asks for right-to-left reading (WS_EX_RTLREADING).
#include "gallery.h"

#include <commctrl.h>

#include <vector>

static const char SectionTitle[] = "velk gallery: mirrored";

static const int Margin = Px(6);
static const int Gap = Px(8);
static const int RowGap = Px(6);
static const int ButtonWidth = Px(100);
static const int ButtonHeight = Px(24);
static const int CheckWidth = Px(110);
static const int CheckHeight = Px(18);
static const int LabelWidth = Px(150);
static const int LabelHeight = Px(14);
static const int FieldWidth = Px(120);
static const int FieldHeight = Px(21);
static const int DropDownHeight = Px(100);
static const int ScrollWidth = Px(150);
static const int ScrollThickness = Px(17);
static const int ProgressWidth = Px(120);

// One control of a row: left to right in the template's terms, which the
// mirroring shows right to left.
struct MirroredItem {
    const char *className;
    const char *text;
    DWORD style;
    DWORD exStyle;
    int width;
    int height;
};

static const MirroredItem FirstRow[] = {
    {"Button", "Push button", BS_PUSHBUTTON, 0, ButtonWidth, ButtonHeight},
    {"Button", "Check box", BS_AUTOCHECKBOX, 0, CheckWidth, CheckHeight},
    {"Button", "Radio button", BS_AUTORADIOBUTTON, 0, CheckWidth, CheckHeight},
    {"Static", "Right-to-left reading!", SS_LEFT, WS_EX_RTLREADING, LabelWidth, LabelHeight},
};

static const MirroredItem SecondRow[] = {
    {"Edit", "Edit text", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, FieldWidth, FieldHeight},
    {"ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL, 0, FieldWidth, DropDownHeight},
    {"ScrollBar", "", SBS_HORZ, 0, ScrollWidth, ScrollThickness},
    {PROGRESS_CLASSA, "", 0, 0, ProgressWidth, CheckHeight},
};

static HWND AddItem(HWND dialog, const MirroredItem &item, int x, int y)
{
    HWND child = CreateWindowExA(item.exStyle, item.className, item.text, WS_CHILD | WS_VISIBLE | item.style, x, y,
                                 item.width, item.height, dialog, nullptr,
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    SendMessageA(child, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    return child;
}

// Places a row from the left and returns its right edge; the controls are
// centred on the row's middle, which lies middle below top.
template <size_t N>
static int AddRow(HWND dialog, const MirroredItem (&items)[N], int top, int middle, std::vector<HWND> *made)
{
    int x = Margin;
    for (const MirroredItem &item : items) {
        // A combo box takes its own height; the list height asked for is not it.
        const int height = item.height > 2 * ButtonHeight ? FieldHeight : item.height;
        made->push_back(AddItem(dialog, item, x, top + middle - height / 2));
        x += item.width + Gap;
    }
    return x - Gap;
}

static void FillRows(const std::vector<HWND> &controls)
{
    SendMessageA(controls[1], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(controls[2], BM_SETCHECK, BST_CHECKED, 0);
    static const char *const Items[] = {"First", "Second", "Third"};
    for (const char *item : Items)
        SendMessageA(controls[5], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(controls[5], CB_SETCURSEL, 1, 0);
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 20, 0};
    SetScrollInfo(controls[6], SB_CTL, &info, TRUE);
    SendMessageA(controls[7], PBM_SETRANGE32, 0, 100);
    SendMessageA(controls[7], PBM_SETPOS, 30, 0);
}

static INT_PTR CALLBACK MirroredSectionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return PlainSectionProc(dialog, message, wParam, lParam);
    std::vector<HWND> controls;
    const int firstRight = AddRow(dialog, FirstRow, Margin, ButtonHeight / 2, &controls);
    const int secondTop = Margin + ButtonHeight + RowGap;
    const int secondRight = AddRow(dialog, SecondRow, secondTop, FieldHeight / 2, &controls);
    FillRows(controls);
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_APPLICATION)));

    RECT client = {0, 0, (firstRight > secondRight ? firstRight : secondRight) + Margin,
                   secondTop + FieldHeight + Margin};
    AdjustWindowRectEx(&client, GetWindowLongA(dialog, GWL_STYLE), FALSE, GetWindowLongA(dialog, GWL_EXSTYLE));
    SetWindowPos(dialog, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return FALSE;
}

HWND BuildMirroredSection(const GalleryContext &context)
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto *header = reinterpret_cast<DLGTEMPLATE *>(words.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_SETFONT;
    header->dwExtendedStyle = WS_EX_LAYOUTRTL;
    header->cx = 100;
    header->cy = 50;
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    for (const char *c = SectionTitle; *c != '\0'; ++c)
        words.push_back(static_cast<unsigned char>(*c));
    words.push_back(0);
    words.push_back(8);
    for (const char *c = "MS Shell Dlg"; *c != '\0'; ++c)
        words.push_back(static_cast<unsigned char>(*c));
    words.push_back(0);
    return CreateDialogIndirectParamA(context.instance, reinterpret_cast<DLGTEMPLATE *>(words.data()), nullptr,
                                      MirroredSectionProc, 0);
}

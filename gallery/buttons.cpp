// The buttons section: push buttons, check boxes, radio buttons, group boxes
// and labels in each state the host can set, side by side.
#include "gallery.h"

#include <algorithm>
#include <vector>

namespace {

const int Margin = Px(12);
const int ColumnWidth = Px(170);
const int ColumnGap = Px(14);
const int RowGap = Px(6);
const int PushHeight = Px(26);
const int TallPushHeight = Px(52);
const int CheckHeight = Px(18);
const int LabelHeight = Px(14);
const int DisabledGroupHeight = Px(60);
const int FirstId = 300;

// How a row is made: its class, style, text and what the host then sends it.
enum Setup { PLAIN, PRESSED, CHECKED, INDETERMINATE, WITH_ICON };

struct Row {
    const char *className;
    const char *text;
    DWORD style;
    int height;
    Setup setup;
};

const Row PushRows[] = {
    {"Button", "Push button", BS_PUSHBUTTON, PushHeight, PLAIN},
    {"Button", "Default", BS_DEFPUSHBUTTON, PushHeight, PLAIN},
    {"Button", "Default, flat", BS_DEFPUSHBUTTON | BS_FLAT, PushHeight, PLAIN},
    {"Button", "Pressed", BS_PUSHBUTTON, PushHeight, PRESSED},
    {"Button", "Disabled", BS_PUSHBUTTON | WS_DISABLED, PushHeight, PLAIN},
    {"Button", "A caption far too long for its button", BS_PUSHBUTTON, PushHeight, PLAIN},
    {"Button", "Icon above", BS_PUSHBUTTON, TallPushHeight, WITH_ICON},
    {"Button", "Icon left", BS_PUSHBUTTON | BS_CENTER, TallPushHeight, WITH_ICON},
    {"Button", "Disabled icon", BS_PUSHBUTTON | BS_CENTER | WS_DISABLED, TallPushHeight, WITH_ICON},
    {"Button", "Push-like, third state", BS_AUTO3STATE | BS_PUSHLIKE, PushHeight, INDETERMINATE},
};

const Row CheckRows[] = {
    {"Button", "Check box", BS_AUTOCHECKBOX, CheckHeight, PLAIN},
    {"Button", "Checked", BS_AUTOCHECKBOX, CheckHeight, CHECKED},
    {"Button", "Indeterminate", BS_AUTO3STATE, CheckHeight, INDETERMINATE},
    {"Button", "Pressed", BS_AUTOCHECKBOX, CheckHeight, PRESSED},
    {"Button", "Disabled, checked", BS_AUTOCHECKBOX | WS_DISABLED, CheckHeight, CHECKED},
    {"Button", "Text on the left", BS_AUTOCHECKBOX | BS_LEFTTEXT, CheckHeight, CHECKED},
    {"Button", "Radio button", BS_RADIOBUTTON | BS_LEFT, CheckHeight, PLAIN},
    {"Button", "Selected", BS_RADIOBUTTON | BS_LEFT, CheckHeight, CHECKED},
    {"Button", "Pressed", BS_RADIOBUTTON | BS_LEFT, CheckHeight, PRESSED},
    {"Button", "Disabled, selected", BS_RADIOBUTTON | BS_LEFT | WS_DISABLED, CheckHeight, CHECKED},
    {"Button", "Centred caption", BS_RADIOBUTTON, CheckHeight, PLAIN},
};

const Row LabelRows[] = {
    {"Static", "Label (SS_LEFT)", SS_LEFT, LabelHeight, PLAIN},
    {"Static", "Centred label (SS_CENTER), drawn from the left", SS_CENTER, 2 * LabelHeight, PLAIN},
    {"Static", "A longer label that wraps at word boundaries onto further lines.", SS_LEFT, 3 * LabelHeight,
     PLAIN},
    {"Static", "Disabled label", SS_LEFT | WS_DISABLED, LabelHeight, PLAIN},
};

struct Column {
    HWND dialog;
    int left;
    int top;
    int nextId;
};

void AddRow(Column &column, const Row &row)
{
    HWND control = CreateWindowExA(0, row.className, row.text, WS_CHILD | WS_VISIBLE | row.style, column.left,
                                   column.top, ColumnWidth, row.height, column.dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(column.nextId++)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(column.dialog, GWLP_HINSTANCE)),
                                   nullptr);
    SendMessageA(control, WM_SETFONT, SendMessageA(column.dialog, WM_GETFONT, 0, 0), FALSE);
    switch (row.setup) {
    case PRESSED:
        SendMessageA(control, BM_SETSTATE, TRUE, 0);
        break;
    case CHECKED:
        SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
        break;
    case INDETERMINATE:
        SendMessageA(control, BM_SETCHECK, BST_INDETERMINATE, 0);
        break;
    case WITH_ICON:
        // The host's icon, as a host gives one to a skinned push button.
        SendMessageA(control, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32516))));
        break;
    case PLAIN:
        break;
    }
    column.top += row.height + RowGap;
}

template <size_t N> int AddRows(Column &column, const Row (&rows)[N])
{
    for (const Row &row : rows)
        AddRow(column, row);
    return column.top;
}

// A group box around the rows, its caption above the first.
template <size_t N> int AddGroup(HWND dialog, int left, const char *caption, const Row (&rows)[N], int *nextId)
{
    const int inset = Px(10);
    Column column = {dialog, left + inset, Margin + Px(20), *nextId};
    const int bottom = AddRows(column, rows);
    *nextId = column.nextId;
    HWND group = CreateWindowExA(0, "Button", caption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, left, Margin,
                                 ColumnWidth + 2 * inset, bottom - Margin + inset, dialog, nullptr,
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    SendMessageA(group, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    return bottom + inset;
}

void OnInitDialog(HWND dialog)
{
    int nextId = FirstId;
    const int groupWidth = ColumnWidth + Px(20);
    int lowest = AddGroup(dialog, Margin, "Push buttons", PushRows, &nextId);
    lowest = std::max(lowest, AddGroup(dialog, Margin + groupWidth + ColumnGap, "Check and radio", CheckRows, &nextId));

    const int labelsLeft = Margin + 2 * (groupWidth + ColumnGap);
    Column labels = {dialog, labelsLeft, Margin, nextId};
    AddRows(labels, LabelRows);
    HWND disabledGroup = CreateWindowExA(0, "Button", "Disabled group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | WS_DISABLED,
                                         labelsLeft, labels.top, ColumnWidth, DisabledGroupHeight, dialog, nullptr,
                                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)),
                                         nullptr);
    SendMessageA(disabledGroup, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    lowest = std::max(lowest, labels.top + DisabledGroupHeight);

    RECT window, client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    SetWindowPos(dialog, nullptr, 0, 0,
                 labelsLeft + ColumnWidth + Margin + (window.right - window.left) - client.right,
                 lowest + Margin + (window.bottom - window.top) - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK ButtonsDialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;
    case WM_CLOSE:
        CloseGalleryWindow(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

void AppendWide(std::vector<WORD> *words, const char *text)
{
    for (; *text != '\0'; ++text)
        words->push_back(static_cast<unsigned char>(*text));
    words->push_back(0);
}

}  // namespace

HWND BuildButtonsSection(const GalleryContext &context)
{
    // DLGTEMPLATE, then no menu, the standard class, the title and the font.
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto *header = reinterpret_cast<DLGTEMPLATE *>(words.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    header->cx = 100;
    header->cy = 100;
    words.push_back(0);
    words.push_back(0);
    AppendWide(&words, "velk buttons");
    words.push_back(8);
    AppendWide(&words, "MS Shell Dlg");
    return CreateDialogIndirectParamA(context.instance, reinterpret_cast<DLGTEMPLATE *>(words.data()), nullptr,
                                      ButtonsDialogProc, 0);
}

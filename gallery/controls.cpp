// The simple controls section: Edits of each border style and state, combo
// boxes, date-time picker and month calendar, progress bars at several
// positions (drawn from the gallery's own face\progress.bmp) and a tab
// control with a selection.
#include "gallery.h"

#include <commctrl.h>

#include <algorithm>

static const char SectionTitle[] = "velk gallery: simple controls";

static const int Margin = Px(12);
static const int LabelWidth = Px(125);
static const int FieldWidth = Px(170);
static const int ColumnGap = Px(20);
static const int RowGap = Px(8);
static const int LabelHeight = Px(14);
static const int FieldHeight = Px(21);
static const int DropDownHeight = Px(140);  // the list's height; the box takes its own
static const int ProgressHeight = Px(18);   // the picture's height wins under skinning
static const int TabHeight = Px(80);

// What a row puts to the right of its label.
struct FieldRow {
    const char *label;
    const char *className;
    const char *text;
    DWORD style;
    DWORD exStyle;
    int height;
    void (*fill)(HWND field);  // null: nothing more to set
};

static const char *const ComboItems[] = {"Apple", "Banana", "Cherry", "Damson"};

static void FillCombo(HWND combo)
{
    for (const char *item : ComboItems)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
}

// An extended combo box's items go in through its own message.
static void FillExtendedCombo(HWND combo)
{
    for (const char *text : ComboItems) {
        COMBOBOXEXITEMA item = {CBEIF_TEXT, -1, const_cast<char *>(text)};
        SendMessageA(combo, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
}

static SYSTEMTIME GalleryDate()
{
    SYSTEMTIME date = {};
    date.wYear = 2024;
    date.wMonth = 3;
    date.wDay = 15;
    return date;
}

static void SetPickerDate(HWND picker)
{
    SYSTEMTIME date = GalleryDate();
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
}

static const FieldRow EditRows[] = {
    {"Edit:", "Edit", "Plain text", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, FieldHeight, nullptr},
    {"Read-only edit:", "Edit", "Read-only text", ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, FieldHeight,
     nullptr},
    {"Disabled edit:", "Edit", "Disabled text", ES_AUTOHSCROLL | WS_DISABLED, WS_EX_CLIENTEDGE, FieldHeight,
     nullptr},
    {"Client + static edge:", "Edit", "Three rings", ES_AUTOHSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, FieldHeight, nullptr},
    {"No border:", "Edit", "Borderless text", ES_AUTOHSCROLL | WS_TABSTOP, 0, FieldHeight, nullptr},
};

static const FieldRow ComboRows[] = {
    {"Drop-down list:", "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, DropDownHeight, FillCombo},
    {"Drop-down:", "ComboBox", "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 0, DropDownHeight, FillCombo},
    {"Disabled combo:", "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_DISABLED, 0, DropDownHeight, FillCombo},
    {"Date-time picker:", DATETIMEPICK_CLASSA, "", DTS_SHORTDATEFORMAT | WS_TABSTOP, 0, FieldHeight, SetPickerDate},
    {"Extended combo:", WC_COMBOBOXEXA, "", CBS_DROPDOWNLIST | WS_TABSTOP, 0, DropDownHeight, FillExtendedCombo},
};

static const int ProgressPercents[] = {0, 25, 60, 100};
static const char *const TabNames[] = {"General", "Layout", "Colours"};
static const int SelectedTab = 1;

// Where the next control goes in a column of the section.
struct Cursor {
    HWND parent;
    int left;
    int top;
};

static HWND MakeChild(const Cursor &at, const char *className, const char *text, DWORD style, DWORD exStyle,
                      int x, int width, int height)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(at.parent, GWLP_HINSTANCE));
    HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, at.top, width, height,
                                 at.parent, nullptr, instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

static void AddHeading(Cursor &at, const char *text)
{
    MakeChild(at, "Static", text, SS_LEFT, 0, at.left, LabelWidth + FieldWidth, LabelHeight);
    at.top += LabelHeight + RowGap / 2;
}

// Moves down by the height the control really took: combo boxes and, under
// skinning, progress bars choose their own.
static HWND AddRow(Cursor &at, const FieldRow &row)
{
    HWND label = MakeChild(at, "Static", row.label, SS_LEFT, 0, at.left, LabelWidth - Px(4), LabelHeight);
    HWND field = MakeChild(at, row.className, row.text, row.style, row.exStyle, at.left + LabelWidth, FieldWidth,
                           row.height);
    RECT taken;
    GetWindowRect(field, &taken);
    const int height = taken.bottom - taken.top;
    SetWindowPos(label, nullptr, at.left, at.top + (height - LabelHeight) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    at.top += height + RowGap;
    if (row.fill != nullptr)
        row.fill(field);
    return field;
}

static void BuildFieldColumn(Cursor &at)
{
    AddHeading(at, "Edit frames");
    for (const FieldRow &row : EditRows)
        AddRow(at, row);
    at.top += RowGap;
    AddHeading(at, "Combo boxes");
    for (const FieldRow &row : ComboRows)
        AddRow(at, row);
}

static void BuildPictureColumn(Cursor &at)
{
    AddHeading(at, "Progress bars (face\\progress.bmp)");
    char label[32];
    for (int percent : ProgressPercents) {
        wsprintfA(label, "At %d%%:", percent);
        const FieldRow row = {label, PROGRESS_CLASSA, "", 0, 0, ProgressHeight, nullptr};
        HWND bar = AddRow(at, row);
        SendMessageA(bar, PBM_SETRANGE32, 0, 100);
        SendMessageA(bar, PBM_SETPOS, percent, 0);
    }
    at.top += RowGap;

    AddHeading(at, "Tab control, second tab selected");
    HWND tabs = MakeChild(at, WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP, 0, at.left, LabelWidth + FieldWidth,
                          TabHeight);
    for (int i = 0; i < static_cast<int>(sizeof TabNames / sizeof TabNames[0]); ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char *>(TabNames[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tabs, TCM_SETCURSEL, SelectedTab, 0);
    at.top += TabHeight + RowGap;

    AddHeading(at, "Month calendar (too tall for a frame)");
    HWND calendar = MakeChild(at, MONTHCAL_CLASSA, "", WS_TABSTOP, 0, at.left, 0, 0);
    RECT size = {};
    SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&size));
    SetWindowPos(calendar, nullptr, 0, 0, size.right, size.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SYSTEMTIME date = GalleryDate();
    SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&date));
    at.top += size.bottom + RowGap;
}

HWND BuildControlsSection(const GalleryContext &context)
{
    // A standard dialog window, so that the skin frames it like any dialog.
    HWND section = CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", SectionTitle,
                                   WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100, nullptr, nullptr,
                                   context.instance, nullptr);
    if (section == nullptr)
        return nullptr;
    SetWindowLongPtrA(section, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(PlainSectionProc));

    Cursor fields = {section, Margin, Margin};
    BuildFieldColumn(fields);
    Cursor pictures = {section, Margin + LabelWidth + FieldWidth + ColumnGap, Margin};
    BuildPictureColumn(pictures);

    RECT window;
    RECT client;
    GetWindowRect(section, &window);
    GetClientRect(section, &client);
    const int width = pictures.left + LabelWidth + FieldWidth + Margin;
    const int height = std::max(fields.top, pictures.top) - RowGap + Margin;
    SetWindowPos(section, nullptr, 0, 0, width + (window.right - window.left) - client.right,
                 height + (window.bottom - window.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return section;
}

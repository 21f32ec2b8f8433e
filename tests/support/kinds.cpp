#include "kinds.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

const TestKind Rows[] = {
    {"push button", "Button", BS_PUSHBUTTON, 0, 90, 26},
    {"default push button", "Button", BS_DEFPUSHBUTTON, 0, 90, 26},
    {"push-like check box", "Button", BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, 90, 26},
    {"check box", "Button", BS_AUTOCHECKBOX, 0, 120, 20},
    {"three-state check box", "Button", BS_AUTO3STATE, 0, 120, 20},
    {"radio button", "Button", BS_AUTORADIOBUTTON, 0, 120, 20},
    {"group box", "Button", BS_GROUPBOX, 0, 160, 80},
    {"label", "Static", SS_LEFT, 0, 160, 20},
    // A sunken edge the skin rings; a WS_BORDER border it leaves as it is.
    {"edit", "Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 160, 22},
    {"bordered edit", "Edit", WS_BORDER | ES_AUTOHSCROLL, 0, 160, 22},
    {"list box", "ListBox", LBS_NOTIFY | WS_BORDER | WS_VSCROLL, 0, 160, 80},
    {"drop-down combo box", "ComboBox", CBS_DROPDOWN, 0, 160, 200},
    {"drop-down list", "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 160, 200},
    {"vertical scroll bar", "ScrollBar", SBS_VERT, 0, 17, 160},
    {"horizontal scroll bar", "ScrollBar", SBS_HORZ, 0, 160, 17},
    {"up-down", UPDOWN_CLASSA, 0, 0, 16, 30},
    {"progress bar", PROGRESS_CLASSA, 0, 0, 160, 18},
    {"tab control", WC_TABCONTROLA, 0, 0, 200, 100},
    {"hot-key", HOTKEY_CLASSA, 0, 0, 120, 22},
    {"IP address", WC_IPADDRESSA, 0, 0, 140, 22},
    {"list view", WC_LISTVIEWA, LVS_REPORT | WS_BORDER, 0, 200, 120},
    // Skinned for their own scroll bars only: a combo box's dropped list,
    // made here on its own, and a tree view.
    {"combo box's list", "ComboLBox", WS_BORDER | WS_VSCROLL, 0, 160, 80},
    {"tree view", WC_TREEVIEWA, WS_BORDER, 0, 160, 80},
    {"date-time picker", DATETIMEPICK_CLASSA, 0, 0, 120, 22},
    {"month calendar", MONTHCAL_CLASSA, 0, 0, 220, 180},
    {"dialog", "#32770", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 300, 200},
};

} // namespace

const std::vector<TestKind> &TestKinds()
{
    static const std::vector<TestKind> kinds(std::begin(Rows), std::end(Rows));
    return kinds;
}

const TestKind &KindNamed(const char *name)
{
    for (const TestKind &kind : Rows) {
        if (std::strcmp(kind.name, name) == 0)
            return kind;
    }
    std::fprintf(stderr, "no test kind is named \"%s\"\n", name);
    std::fflush(stderr);
    std::abort();
}

std::vector<TestKind> KindsNamed(std::initializer_list<const char *> names)
{
    std::vector<TestKind> kinds;
    for (const char *name : names)
        kinds.push_back(KindNamed(name));
    return kinds;
}

bool IsDialogKind(const TestKind &kind)
{
    return std::strcmp(kind.className, "#32770") == 0;
}

HWND CreateKind(HWND parent, const TestKind &kind, int x, int y, int id, const char *text, DWORD addedStyle)
{
    HWND child = CreateWindowExA(kind.exStyle, kind.className, text, kind.style | addedStyle | WS_CHILD | WS_VISIBLE,
                                 x, y, kind.width, kind.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
    return child;
}

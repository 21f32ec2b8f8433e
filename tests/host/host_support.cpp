#include "host.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "core/face.h"
#include "support/harness.h"
#include "support/kinds.h"
#include "support/window_pixels.h"

LoadedVelk velk = {};

namespace {

// The look's colours, from the built-in face the DLL is built with.
const COLORREF White = RGB(255, 255, 255);
const COLORREF Black = RGB(0, 0, 0);
const Face &Built = BuiltInFace;
const COLORREF PushOutline = Built.pushOutline.outline;
const COLORREF PushShadow = Built.pushShadow;
const COLORREF IndicatorFrame = Built.indicatorFrame;
// Halfway down the dot's gradient.
const COLORREF RadioDotMiddle = RGB((GetRValue(Built.radioDot[0]) + GetRValue(Built.radioDot[2])) / 2,
                                    (GetGValue(Built.radioDot[0]) + GetGValue(Built.radioDot[2])) / 2,
                                    (GetBValue(Built.radioDot[0]) + GetBValue(Built.radioDot[2])) / 2);
const COLORREF LabelText = Built.labelText;
const COLORREF EditFrame = Built.editRing;
const COLORREF ComboFrame = Built.fieldFrame;  // also the up-down's frame beside a buddy
const COLORREF PartCornerTopLeft = Built.scrollCorners[SET_NORMAL][0];  // scroll part at rest
const COLORREF PartCornerTopRight = Built.scrollCorners[SET_NORMAL][1];
const COLORREF ProgressFrame = Built.progressFrame;
const COLORREF SelectedTab = Built.tabs[1].fill;
const COLORREF OtherTab = Built.tabs[0].fill;
const COLORREF DialogFrame = Built.dialogFrame;
const COLORREF ActiveCaptionTop = Built.activeCaption[0];
const COLORREF CaptionButtonTop = Built.captionButtons[GROUP_NORMAL][0];  // a button at rest

// ---- The skinned look of each kind, at a few telling pixels ----

std::vector<Probe> PushButtonProbes(HWND button)
{
    const int w = WindowWidth(button);
    const int h = WindowHeight(button);
    return {{"outline", w / 2, 1, PushOutline, 0, false},
            {"shadow", 0, h / 2, PushShadow, 0, false},
            {"top-right corner", w - 1, 0, White, 0, false}};
}

std::vector<Probe> CheckBoxProbes(HWND box)
{
    const int top = (WindowHeight(box) - 13) / 2;
    return {{"box, left side", 0, top + 6, IndicatorFrame, 0, false},
            {"box, right side", 12, top + 6, IndicatorFrame, 0, false}};
}

std::vector<Probe> RadioProbes(HWND radio)
{
    const int top = (WindowHeight(radio) - 15) / 2;
    return {{"circle, left side", 2, top + 7, IndicatorFrame, 0, false},
            {"dot", 7, top + 7, RadioDotMiddle, 12, false}};
}

std::vector<Probe> GroupBoxProbes(HWND group)
{
    const int w = WindowWidth(group);
    const int h = WindowHeight(group);
    return {{"frame, left", 0, h / 2, Black, 0, false}, {"frame, right", w - 1, h / 2, Black, 0, false}};
}

std::vector<Probe> LabelProbes(HWND)
{
    return {{"text colour", 0, 0, LabelText, 0, true}};
}

std::vector<Probe> EditProbes(HWND edit)
{
    const int w = WindowWidth(edit);
    const int h = WindowHeight(edit);
    std::vector<Probe> probes = {{"outer ring, top", w / 2, 0, EditFrame, 0, false},
                                 {"outer ring, left", 0, h / 2, EditFrame, 0, false}};
    if (GetWindowLongA(edit, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE))
        probes.push_back({"inner ring", w / 2, 1, White, 0, false});
    return probes;
}

// Drop-down combo boxes and date pickers: a flat two-ring frame and the
// library's drop button at the right.
std::vector<Probe> ComboProbes(HWND combo)
{
    const int w = WindowWidth(combo);
    const int buttonLeft = w - 2 - GetSystemMetrics(SM_CYVTHUMB);
    return {{"outer ring", w / 2, 0, ComboFrame, 0, false},
            {"inner ring", w / 2, 1, GetSysColor(COLOR_WINDOW), 0, false},
            {"drop button, top-left corner", buttonLeft + 1, 2, PartCornerTopLeft, 0, false},
            {"drop button, top-right corner", w - 3, 2, PartCornerTopRight, 0, false}};
}

std::vector<Probe> VerticalScrollProbes(HWND bar)
{
    const int w = WindowWidth(bar);
    const int h = WindowHeight(bar);
    return {{"up arrow, top-left corner", 0, 0, PartCornerTopLeft, 0, false},
            {"up arrow, top-right corner", w - 1, 0, PartCornerTopRight, 0, false},
            {"down arrow, top-left corner", 0, h - w, PartCornerTopLeft, 0, false},
            {"channel, white rim", 0, w + 3, White, 0, false}};
}

// Not aligned to its buddy: the window colour around two arrow halves.
std::vector<Probe> UpDownProbes(HWND updown)
{
    RECT client;
    GetClientRect(updown, &client);
    const POINT edge = ClientToWindowPoint(updown, {0, 0});
    const POINT firstHalf = ClientToWindowPoint(updown, {1, 1});
    const POINT secondHalf = ClientToWindowPoint(updown, {1, 1 + (client.bottom - 2) / 2});
    return {{"background", edge.x, edge.y, GetSysColor(COLOR_WINDOW), 0, false},
            {"upper half, top-left corner", firstHalf.x, firstHalf.y, PartCornerTopLeft, 0, false},
            {"lower half, top-left corner", secondHalf.x, secondHalf.y, PartCornerTopLeft, 0, false}};
}

std::vector<Probe> ProgressProbes(HWND bar)
{
    return {{"frame, top", WindowWidth(bar) / 2, 0, ProgressFrame, 0, false},
            {"frame, left", 0, 2, ProgressFrame, 0, false}};
}

std::vector<Probe> TabProbes(HWND tab)
{
    static const char *const Names[] = {"first tab", "second tab", "third tab"};
    const LRESULT selected = SendMessageA(tab, TCM_GETCURSEL, 0, 0);
    std::vector<Probe> probes;
    for (int i = 0; i < 3; ++i) {
        RECT item;
        SendMessageA(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
        const POINT at = ClientToWindowPoint(tab, {item.left + 2, (item.top + item.bottom) / 2});
        probes.push_back({Names[i], at.x, at.y, i == selected ? SelectedTab : OtherTab, 0, false});
    }
    return probes;
}

// ---- How the host sets each control up ----

void CheckIt(HWND button)
{
    SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
}

void FillList(HWND list)
{
    for (const char *item : {"one", "two", "three"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

void FillCombo(HWND combo)
{
    for (const char *item : {"one", "two", "three"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void SetUpDownRange(HWND updown)
{
    SendMessageA(updown, UDM_SETRANGE32, 0, 10);
    SendMessageA(updown, UDM_SETPOS32, 0, 5);
}

void SetProgress(HWND bar)
{
    SendMessageA(bar, PBM_SETRANGE32, 0, 100);
    SendMessageA(bar, PBM_SETPOS, 50, 0);
}

void AddTabs(HWND tab)
{
    static char names[3][8] = {"First", "Second", "Third"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = names[i];
        SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tab, TCM_SETCURSEL, 0, 0);
}

void SetScrollRange(HWND bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 100;
    info.nPage = 10;
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

// A control of a shared kind, with the style bits and the place this dialog
// gives it.
KindRow Skinned(const char *kind, const char *text, DWORD addedStyle, short x, short y, short cx, short cy, WORD id,
                void (*prepare)(HWND), std::vector<Probe> (*probes)(HWND))
{
    const TestKind &row = KindNamed(kind);
    return {row.name, row.className, text, row.style | addedStyle, row.exStyle, x, y, cx, cy, id, true, prepare,
            probes};
}

} // namespace

// The up-down follows its Edit so that it takes it as its buddy; it is not
// aligned to it, since the buddy it has when the creation hook skins it is
// none yet. The last rows are kinds the library must leave alone.
const std::vector<KindRow> KindRows = {
    Skinned("push button", "Push", WS_TABSTOP, 7, 7, 50, 14, IDC_PUSH, nullptr, PushButtonProbes),
    Skinned("default push button", "Default", WS_TABSTOP, 62, 7, 50, 14, IDC_DEFPUSH, nullptr, PushButtonProbes),
    Skinned("push-like check box", "Push-like", WS_TABSTOP, 7, 24, 50, 14, IDC_PUSHLIKE, nullptr, PushButtonProbes),
    Skinned("check box", "Check", WS_TABSTOP, 7, 42, 60, 10, IDC_CHECK, nullptr, CheckBoxProbes),
    Skinned("radio button", "Radio", WS_TABSTOP, 7, 55, 60, 10, IDC_RADIO, CheckIt, RadioProbes),
    Skinned("group box", "Group", 0, 7, 68, 100, 36, IDC_GROUP, nullptr, GroupBoxProbes),
    Skinned("label", "Label text", 0, 7, 108, 60, 8, IDC_LABEL, nullptr, LabelProbes),
    Skinned("edit", "text", WS_TABSTOP, 7, 120, 60, 12, IDC_EDIT, nullptr, EditProbes),
    Skinned("list box", "", 0, 7, 136, 60, 36, IDC_LIST, FillList, nullptr),
    Skinned("drop-down list", "", WS_TABSTOP, 120, 7, 70, 60, IDC_COMBO, FillCombo, ComboProbes),
    {"up-down's edit", "Edit", "5", ES_NUMBER, WS_EX_CLIENTEDGE, 120, 24, 40, 12, IDC_SPINEDIT, true, nullptr,
     EditProbes},
    Skinned("up-down", "", UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS, 162, 24, 10, 14, IDC_SPIN, SetUpDownRange,
            UpDownProbes),
    Skinned("progress bar", "", 0, 120, 42, 70, 10, IDC_PROGRESS, SetProgress, ProgressProbes),
    Skinned("tab control", "", WS_CLIPSIBLINGS, 120, 58, 100, 40, IDC_TAB, AddTabs, TabProbes),
    Skinned("hot-key", "", 0, 120, 102, 70, 12, IDC_HOTKEY, nullptr, nullptr),
    Skinned("date-time picker", "", DTS_SHORTDATEFORMAT, 120, 118, 70, 12, IDC_DATE, nullptr, ComboProbes),
    Skinned("IP address", "", 0, 120, 134, 80, 12, IDC_IPADDRESS, nullptr, nullptr),
    Skinned("list view", "", 0, 120, 150, 70, 30, IDC_LISTVIEW, nullptr, nullptr),
    Skinned("vertical scroll bar", "", 0, 230, 7, 10, 120, IDC_VSCROLL, SetScrollRange, VerticalScrollProbes),
    Skinned("tree view", "", 0, 250, 7, 40, 40, IDC_TREE, nullptr, nullptr),
    Skinned("icon", "", 0, 250, 135, 20, 20, IDC_ICONKIND, nullptr, nullptr),
    {"owner-drawn button", "Button", "", BS_OWNERDRAW, 0, 250, 50, 40, 14, IDC_OWNERDRAW, false, nullptr, nullptr},
    {"simple combo box", "ComboBox", "", CBS_SIMPLE, 0, 250, 70, 40, 40, IDC_SIMPLECOMBO, false, nullptr, nullptr},
    {"bitmap static", "Static", "", SS_BITMAP, 0, 250, 115, 20, 20, IDC_BITMAPSTATIC, false, nullptr, nullptr},
};

const KindRow &RowOf(int id)
{
    for (const KindRow &row : KindRows) {
        if (row.id == id)
            return row;
    }
    return KindRows.front();
}

namespace {

const char HostProperty[] = "velk.host";

void Note(Host *host, const HostNote &note)
{
    host->notes.push_back(note);
    if (host->destroyOnMsg == note.msg && host->destroyOnCode == note.code && host->destroyTarget != nullptr) {
        HWND target = host->destroyTarget;
        host->destroyTarget = nullptr;
        DestroyWindow(target);
    }
}

INT_PTR CALLBACK HostDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        SetPropA(dialog, HostProperty, reinterpret_cast<HANDLE>(lParam));
    auto *host = static_cast<Host *>(GetPropA(dialog, HostProperty));
    if (host == nullptr)
        return FALSE;
    switch (msg) {
    case WM_COMMAND:
        Note(host, {msg, HIWORD(wParam), reinterpret_cast<HWND>(lParam), 0, 0});
        return TRUE;
    case WM_NOTIFY: {
        const auto *header = reinterpret_cast<const NMHDR *>(lParam);
        // Painting chatter of the common controls.
        if (header->code == static_cast<UINT>(NM_CUSTOMDRAW))
            return FALSE;
        HostNote note = {msg, header->code, header->hwndFrom, 0, 0};
        if (header->code == UDN_DELTAPOS) {
            const auto *change = reinterpret_cast<const NMUPDOWN *>(lParam);
            note.value = change->iDelta;
            note.position = change->iPos;
        }
        Note(host, note);
        return FALSE;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        Note(host, {msg, LOWORD(wParam), reinterpret_cast<HWND>(lParam), static_cast<short>(HIWORD(wParam)), 0});
        return TRUE;
    case WM_CLOSE:
        Note(host, {msg, 0, dialog, 0, 0});
        return TRUE;
    case WM_SYSCOMMAND:
        Note(host, {msg, static_cast<UINT>(wParam & 0xFFF0), dialog, 0, 0});
        return FALSE;
    // A menu the host is asked to prepare is noted and closed at once.
    case WM_INITMENUPOPUP:
        Note(host, {msg, HIWORD(lParam), dialog, 0, 0});
        EndMenu();
        return FALSE;
    case WM_NCDESTROY:
        RemovePropA(dialog, HostProperty);
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

int Host::Count(UINT msg, UINT code) const
{
    int count = 0;
    for (const HostNote &note : notes)
        count += note.msg == msg && note.code == code;
    return count;
}

int Host::Count(UINT msg, UINT code, HWND from) const
{
    int count = 0;
    for (const HostNote &note : notes)
        count += note.msg == msg && note.code == code && note.from == from;
    return count;
}

std::vector<LoggedMessage> Host::Sequence() const
{
    std::vector<LoggedMessage> sequence;
    for (const HostNote &note : notes)
        sequence.push_back({note.from, note.msg, note.code, 0});
    return sequence;
}

std::string Host::Describe() const
{
    std::string text;
    char line[128];
    for (const HostNote &note : notes) {
        std::snprintf(line, sizeof line, "  msg 0x%04x code 0x%x from %p value %d position %d\n", note.msg, note.code,
                      static_cast<void *>(note.from), note.value, note.position);
        text += line;
    }
    return text;
}

HWND OpenKindsDialog(Host *host)
{
    std::vector<WORD> words = DialogTemplate(KindsDialogStyle, "Every kind", 300, 190);
    for (const KindRow &row : KindRows)
        AppendDialogItem(&words, row.className, row.text, row.style, row.x, row.y, row.cx, row.cy, row.id,
                         row.exStyle);
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE *>(words.data()),
                                             nullptr, HostDialogProc, reinterpret_cast<LPARAM>(host));
    if (dialog == nullptr)
        return nullptr;
    for (const KindRow &row : KindRows) {
        if (row.prepare != nullptr)
            row.prepare(GetDlgItem(dialog, row.id));
    }
    SetActiveWindow(dialog);
    RepaintNow(dialog);
    return dialog;
}

LONG_PTR WindowProcedure(HWND window)
{
    return GetWindowLongPtrA(window, GWLP_WNDPROC);
}

int WindowWidth(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.right - rect.left;
}

int WindowHeight(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

POINT ClientToWindowPoint(HWND window, POINT client)
{
    RECT rect;
    GetWindowRect(window, &rect);
    ClientToScreen(window, &client);
    return {client.x - rect.left, client.y - rect.top};
}

::testing::AssertionResult ProbeHolds(HWND window, const Probe &probe)
{
    if (!probe.anywhere)
        return PixelIs(window, probe.x, probe.y, probe.colour, probe.tolerance) << " (" << probe.what << ")";
    if (Shows(window, probe.colour, probe.tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no pixel of the " << probe.what << " anywhere";
}

void CaptionClick(HWND dialog, LRESULT hitTest)
{
    const POINT at = FindHitPoint(dialog, hitTest);
    SendMessageA(dialog, WM_NCLBUTTONDOWN, hitTest, MAKELPARAM(at.x, at.y));
    if (IsWindow(dialog))
        SendMessageA(dialog, WM_NCLBUTTONUP, hitTest, MAKELPARAM(at.x, at.y));
}

void RepaintNow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
}

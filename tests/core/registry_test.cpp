// Classification, attach, detach and the subclass procedure, on real windows.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/skin.h"
#include "dialog/dialog.h"
#include "scroll/scroll.h"
#include "support/harness.h"
#include "support/import_patch.h"
#include "support/kinds.h"
#include "support/records.h"

namespace {

struct ClassifyCase {
    const char *className;
    DWORD style;
    int kind;
};

// A shared row and the kind it classifies as.
ClassifyCase Shared(const char *name, int kind)
{
    const TestKind &row = KindNamed(name);
    return {row.className, row.style, kind};
}

// Every shared row but the dialog (classified below), every button and
// static type, and the styles a class leaves to the system.
const ClassifyCase ClassifyCases[] = {
    Shared("push button", CK_PUSHBUTTON),
    Shared("default push button", CK_PUSHBUTTON),
    {"Button", BS_CHECKBOX, CK_CHECKBOX},
    Shared("check box", CK_CHECKBOX),
    {"Button", BS_3STATE, CK_CHECKBOX},
    Shared("three-state check box", CK_CHECKBOX),
    {"Button", BS_RADIOBUTTON, CK_RADIOBUTTON},
    Shared("radio button", CK_RADIOBUTTON),
    {"Button", BS_CHECKBOX | BS_PUSHLIKE, CK_PUSHBUTTON},
    Shared("push-like check box", CK_PUSHBUTTON),
    {"Button", BS_RADIOBUTTON | BS_PUSHLIKE, CK_PUSHBUTTON},
    {"Button", BS_3STATE | BS_PUSHLIKE, CK_PUSHBUTTON},
    {"Button", BS_AUTO3STATE | BS_PUSHLIKE, CK_PUSHBUTTON},
    {"Button", BS_AUTORADIOBUTTON | BS_PUSHLIKE, CK_PUSHBUTTON},
    Shared("group box", CK_GROUPBOX),
    {"Button", BS_GROUPBOX | BS_PUSHLIKE, CK_GROUPBOX},
    {"Button", BS_USERBUTTON, CK_NONE},
    {"Button", BS_PUSHBOX, CK_NONE},
    {"Button", BS_OWNERDRAW, CK_NONE},
    {"Button", 12, CK_NONE},
    {"Button", BS_PUSHBUTTON | BS_LEFT | BS_MULTILINE, CK_PUSHBUTTON},
    Shared("label", CK_LABEL),
    {"Static", SS_CENTER, CK_LABEL},
    {"Static", SS_ETCHEDHORZ, CK_LABEL},
    {"Static", SS_ETCHEDVERT, CK_LABEL},
    {"Static", SS_RIGHT, CK_NONE},
    Shared("icon", CK_ICON),
    Shared("size grip", CK_SIZEGRIP),
    Shared("extended combo box", CK_COMBOBOXEX),
    {"Static", SS_SIMPLE, CK_NONE},
    {"Static", SS_BITMAP, CK_NONE},
    {"Static", SS_ETCHEDFRAME, CK_NONE},
    {"Static", SS_LEFT | SS_NOPREFIX, CK_LABEL},
    {"Edit", ES_LEFT, CK_EDIT},
    Shared("edit", CK_EDIT),
    Shared("bordered edit", CK_EDIT),
    {"Edit", ES_READONLY | ES_MULTILINE, CK_EDIT},
    Shared("drop-down combo box", CK_COMBOBOX),
    Shared("drop-down list", CK_COMBOBOX),
    {"ComboBox", CBS_SIMPLE, CK_NONE},
    Shared("list box", CK_LISTBOX),
    Shared("hot-key", CK_LISTBOX),
    Shared("vertical scroll bar", CK_SCROLLBAR),
    Shared("horizontal scroll bar", CK_SCROLLBAR),
    // Its own window stays the control's, followed as a list box is.
    Shared("IP address", CK_LISTBOX),
    Shared("list view", CK_LISTVIEW),
    Shared("combo box's list", CK_LISTBOX),
    Shared("tree view", CK_TREEVIEW),
    Shared("date-time picker", CK_COMBOBOX),
    {"SysDateTimePick32", DTS_SHOWNONE, CK_COMBOBOX},
    {"SysDateTimePick32", DTS_UPDOWN, CK_NONE},
    Shared("month calendar", CK_COMBOBOX),
    {"SysMonthCal32", MCS_MULTISELECT, CK_COMBOBOX},
    {"SysMonthCal32", MCS_DAYSTATE, CK_NONE},
    Shared("up-down", CK_UPDOWN),
    {"msctls_updown32", UDS_HORZ, CK_UPDOWN},
    Shared("tab control", CK_TAB),
    Shared("progress bar", CK_PROGRESS),
    Shared("header", CK_HEADER),
    Shared("trackbar", CK_TRACKBAR),
    Shared("vertical trackbar", CK_TRACKBAR),
    Shared("status bar", CK_STATUSBAR),
    Shared("tooltip", CK_TOOLTIP),
    Shared("toolbar", CK_TOOLBAR),
    Shared("rebar", CK_REBAR),
};

class RegistryTest : public InDialogTest {
protected:
    HWND Child(const char *className, DWORD style, int id = 0)
    {
        return CreateChild(dialog, className, style, 10, 10, 80, 40, id, "text");
    }
};

TEST_F(RegistryTest, ClassifiesEveryClassAndStyleOfTheKindTable)
{
    for (const ClassifyCase &c : ClassifyCases) {
        HWND hwnd = Child(c.className, c.style);
        ASSERT_NE(hwnd, nullptr) << c.className;
        // Some controls rewrite their type at creation (a user button becomes
        // a push button); the table is about the style as it stands.
        SetWindowLongA(hwnd, GWL_STYLE, WS_CHILD | c.style);
        EXPECT_EQ(ClassifyWindow(hwnd), c.kind) << c.className << " style 0x" << std::hex << c.style;
        DestroyWindow(hwnd);
    }
    EXPECT_EQ(ClassifyWindow(dialog), CK_DIALOG);
}

// A class the library skins that no shared row makes, or makes only in styles
// the class leaves alone, goes untested by every test that walks the list.
TEST(KindListTest, CoversEveryClassOfTheClassTable)
{
    for (int i = 0; i < SkinClassCount; ++i) {
        const SkinClass &skinClass = *SkinClasses[i];
        // The row without a class name takes a host's own top-level windows.
        const std::wstring wide = skinClass.className != nullptr ? skinClass.className : L"";
        const std::string className =
            skinClass.className != nullptr ? std::string(wide.begin(), wide.end()) : MainWindowClassName;
        bool named = false;
        bool skinned = false;
        for (const TestKind &kind : TestKinds()) {
            if (lstrcmpiA(kind.className, className.c_str()) != 0)
                continue;
            named = true;
            skinned |= skinClass.rowOfStyle == nullptr || skinClass.rowOfStyle(&skinClass, kind.style) != nullptr;
        }
        EXPECT_TRUE(named) << className << " has no row in the shared kind list";
        EXPECT_TRUE(skinned) << className << " has no row in the shared kind list in a style it skins";
    }
}

TEST_F(RegistryTest, ClassifiesNonWindowsAndForeignClassesAsNotSkinned)
{
    EXPECT_EQ(ClassifyWindow(nullptr), CK_NONE);
    EXPECT_EQ(ClassifyWindow(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF1234))), CK_NONE);

    WNDCLASSA plain = {};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = GetModuleHandleA(nullptr);
    plain.lpszClassName = "VelkForeignWindow";
    ASSERT_NE(RegisterClassA(&plain), 0) << "error " << GetLastError();
    HWND foreign = Child("VelkForeignWindow", 0);
    ASSERT_NE(foreign, nullptr);
    EXPECT_EQ(ClassifyWindow(foreign), CK_NONE);
    EXPECT_EQ(AttachWindow(foreign), nullptr);
}

TEST_F(RegistryTest, ComparesClassNamesWithoutRegardToCase)
{
    // A class of the module's own may carry any spelling; whether the system
    // reports that spelling back decides whether this can be observed.
    WNDCLASSA shouting = {};
    shouting.lpfnWndProc = DefWindowProcA;
    shouting.hInstance = GetModuleHandleA(nullptr);
    shouting.lpszClassName = "SYSTABCONTROL32";
    // A failed registration would leave the system's own class to report
    // its canonical spelling below.
    ASSERT_NE(RegisterClassA(&shouting), 0) << "error " << GetLastError();
    HWND hwnd = Child("SYSTABCONTROL32", 0);
    ASSERT_NE(hwnd, nullptr);
    char reported[64] = {};
    GetClassNameA(hwnd, reported, sizeof reported);
    if (lstrcmpA(reported, "SysTabControl32") == 0)
        GTEST_SKIP() << "the system reports the canonical spelling";
    EXPECT_EQ(ClassifyWindow(hwnd), CK_TAB) << "class reported as " << reported;
}

TEST_F(RegistryTest, AttachSetsInitialStateFromStyleFocusAndCheck)
{
    HWND readOnly = Child("Edit", ES_READONLY | WS_TABSTOP);
    SetFocus(readOnly);
    ASSERT_EQ(GetFocus(), readOnly);
    SkinnedWindow *rec = AttachWindow(readOnly);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->state, 0x88u);
    EXPECT_EQ(rec->skinClass->kind, CK_EDIT);
    EXPECT_EQ(rec->hwnd, readOnly);

    HWND disabledDefault = Child("Button", BS_DEFPUSHBUTTON | WS_DISABLED);
    rec = AttachWindow(disabledDefault);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->state, 0x11u);

    HWND checked = Child("Button", BS_AUTOCHECKBOX);
    SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
    HWND third = Child("Button", BS_AUTO3STATE);
    SendMessageA(third, BM_SETCHECK, BST_INDETERMINATE, 0);
    HWND checkedRadio = Child("Button", BS_AUTORADIOBUTTON);
    SendMessageA(checkedRadio, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(AttachWindow(checked)->state, DWORD{SKS_CHECKED});
    EXPECT_EQ(AttachWindow(third)->state, DWORD{SKS_INDETERMINATE});
    EXPECT_EQ(AttachWindow(checkedRadio)->state, DWORD{SKS_CHECKED});

    // The default bit belongs to the button kinds only.
    HWND edit = Child("Edit", 1);
    EXPECT_EQ(AttachWindow(edit)->state, 0u);
}

TEST_F(RegistryTest, AttachGivesBlocksToScrollBarsAndDialogsOnly)
{
    SkinnedWindow *dialogRec = AttachWindow(dialog);
    ASSERT_NE(dialogRec, nullptr);
    ASSERT_NE(dialogRec->extraState, nullptr);
    const CaptionButtonState zeroCaption = {};
    EXPECT_EQ(memcmp(dialogRec->extraState, &zeroCaption, sizeof zeroCaption), 0);
    // The frame paint that attach asks for installs the rounded region of a
    // visible dialog.
    ASSERT_TRUE(IsWindowVisible(dialog));
    EXPECT_NE(dialogRec->windowRegion, nullptr);

    SkinnedWindow *bar = AttachWindow(Child("ScrollBar", SBS_VERT));
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(bar->extraState, nullptr);
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, bar->extraState), sizeof(ScrollBarState));
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, dialogRec->extraState), sizeof(CaptionButtonState));

    // The kinds whose colours the skin sets keep the colours they had; a
    // popup menu keeps the selection it last painted, a toolbar its notify
    // window while it paints.
    const char *const withBlocks[] = {"ScrollBar",     WC_LISTVIEWA,     MONTHCAL_CLASSA, WC_TREEVIEWA,
                                      STATUSCLASSNAMEA, TOOLTIPS_CLASSA, REBARCLASSNAMEA, "#32768", TOOLBARCLASSNAMEA,
                                      MainWindowClassName};
    for (const TestKind &kind : TestKinds()) {
        if (IsDialogKind(kind))
            continue;
        // A size grip is a scroll-bar window without a bar.
        bool hasBlock = false;
        for (const char *className : withBlocks)
            hasBlock |= lstrcmpA(kind.className, className) == 0 && std::strcmp(kind.name, "size grip") != 0;
        SkinnedWindow *rec = AttachWindow(CreateKind(dialog, kind, 10, 10));
        ASSERT_NE(rec, nullptr) << kind.name;
        EXPECT_EQ(rec->extraState != nullptr, hasBlock) << kind.name;
    }
}

// An ANSI window is subclassed in its own character set.
TEST_F(RegistryTest, AttachInstallsTheSubclassAndKeepsThePreviousProcedure)
{
    HWND button = Child("Button", BS_PUSHBUTTON);
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button, GWLP_WNDPROC));
    SkinnedWindow *rec = AttachWindow(button);
    ASSERT_NE(rec, nullptr);
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button, GWLP_WNDPROC)), original);
    EXPECT_EQ(rec->prevWndProc, original);
    DetachWindow(button);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button, GWLP_WNDPROC)), original);
}

TEST_F(RegistryTest, NewRecordsGoToTheHeadAndEachWindowHasOne)
{
    HWND first = Child("Edit", 0);
    HWND second = Child("Edit", 0);
    SkinnedWindow *firstRec = AttachWindow(first);
    SkinnedWindow *secondRec = AttachWindow(second);
    ASSERT_NE(firstRec, nullptr);
    ASSERT_NE(secondRec, nullptr);
    EXPECT_EQ(secondRec->next, firstRec);
    EXPECT_EQ(FindSkinnedWindow(first), firstRec);
    EXPECT_EQ(FindSkinnedWindow(second), secondRec);

    EXPECT_EQ(AttachWindow(first), nullptr);
    EXPECT_EQ(RecordsFor(first), 1);
    EXPECT_EQ(SkinnedRecords().size(), 2u);
}

TEST_F(RegistryTest, DetachReturnsTheRecordThatTookThePlace)
{
    HWND a = Child("Edit", 0);
    HWND b = Child("Edit", 0);
    HWND c = Child("Edit", 0);
    HWND d = Child("Edit", 0);

    SkinnedWindow *only = AttachWindow(a);
    ASSERT_NE(only, nullptr);
    EXPECT_EQ(DetachWindow(a), nullptr) << "the only record: the list is empty afterwards";
    EXPECT_EQ(DetachWindow(a), nullptr) << "a window without a record";

    // List from the head: d, c, b, a.
    SkinnedWindow *recA = AttachWindow(a);
    SkinnedWindow *recB = AttachWindow(b);
    SkinnedWindow *recC = AttachWindow(c);
    AttachWindow(d);
    EXPECT_EQ(DetachWindow(d), recC) << "the head: the new head";
    EXPECT_EQ(DetachWindow(b), recC) << "the middle: its predecessor";
    EXPECT_EQ(recC->next, recA);
    EXPECT_EQ(DetachWindow(a), recC) << "the tail: its predecessor";
    EXPECT_EQ(recC->next, nullptr);
    (void)recB;
    EXPECT_EQ(DetachWindow(c), nullptr);
}

TEST_F(RegistryTest, LookupsAgreeWithTheListThroughManyAttachesAndDetaches)
{
    // Enough windows that the lookup index holds chains, not single records.
    const int count = 1500;
    std::vector<HWND> windows;
    std::vector<SkinnedWindow *> records;
    for (int i = 0; i < count; ++i) {
        windows.push_back(CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 4, 4, dialog, nullptr, nullptr, nullptr));
        records.push_back(AttachWindow(windows.back()));
        ASSERT_NE(records.back(), nullptr) << i;
    }
    std::vector<SkinnedWindow *> list = SkinnedRecords();
    ASSERT_EQ(list.size(), size_t{count});
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(list[i], records[count - 1 - i]) << "newest first";
        EXPECT_EQ(FindSkinnedWindow(windows[i]), records[i]);
    }

    // Every third goes, oldest first; the record before each in the list is
    // the next newer one, which stays.
    for (int i = 0; i < count; i += 3)
        EXPECT_EQ(DetachWindow(windows[i]), records[i + 1]) << i;
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(FindSkinnedWindow(windows[i]), i % 3 == 0 ? nullptr : records[i]) << i;
    EXPECT_EQ(SkinnedRecords().size(), size_t{count - (count + 2) / 3});

    for (HWND hwnd : windows)
        DestroyWindow(hwnd);
    EXPECT_TRUE(SkinnedRecords().empty());
}

TEST_F(RegistryTest, DestroyedWindowsOfEveryKindLeaveNoRecord)
{
    for (const ClassifyCase &c : ClassifyCases) {
        if (c.kind == CK_NONE)
            continue;
        HWND hwnd = Child(c.className, c.style);
        ASSERT_NE(AttachWindow(hwnd), nullptr) << c.className;
        DestroyWindow(hwnd);
        EXPECT_EQ(FindSkinnedWindow(hwnd), nullptr) << c.className << " style 0x" << std::hex << c.style;
    }

    // A skinned dialog destroyed with all its skinned controls.
    for (const ClassifyCase &c : ClassifyCases) {
        if (c.kind != CK_NONE)
            AttachWindow(Child(c.className, c.style));
    }
    AttachWindow(dialog);
    DestroyWindow(dialog);
    dialog = nullptr;
    EXPECT_TRUE(SkinnedRecords().empty());
}

TEST_F(RegistryTest, PushButtonsFindTheIconNamedByTheirIdentifier)
{
    // The module holds icons 1 and 101, 32 by 32 as LoadIcon gives them.
    struct IconCase {
        DWORD style;
        int id;
        int width, height;
        bool getsIcon;
    };
    const IconCase cases[] = {
        {BS_PUSHBUTTON, 101, 80, 60, true},
        {BS_AUTOCHECKBOX | BS_PUSHLIKE, 101, 80, 60, true},
        {BS_PUSHBUTTON, 102, 80, 60, false},   // no such resource
        {BS_AUTOCHECKBOX, 101, 80, 60, false}, // not a push button
        {BS_PUSHBUTTON, 0, 80, 60, false},
        {BS_DEFPUSHBUTTON, IDOK, 80, 60, false},  // the module's own icon would push OK's caption out
        {BS_PUSHBUTTON, 101, 80, 40, false},      // the caption would not fit below the icon
        {BS_PUSHBUTTON | BS_RIGHT, 101, 50, 60, false},  // nor beside it
        {BS_PUSHBUTTON, 101, 30, 60, false},      // nor the icon itself
    };
    for (const IconCase &c : cases) {
        HWND button = CreateChild(dialog, "Button", c.style, 10, 10, c.width, c.height, c.id, "text");
        MessageLog log;
        StartLogging(button, &log);
        ASSERT_NE(AttachWindow(button), nullptr);
        EXPECT_EQ(log.Count(WM_SETICON), c.getsIcon ? 1 : 0)
            << "style 0x" << std::hex << c.style << " id " << std::dec << c.id << " " << c.width << "x" << c.height
            << "\n"
            << log.Describe();
        for (const LoggedMessage &m : log.messages) {
            if (m.msg == WM_SETICON) {
                EXPECT_EQ(m.wParam, WPARAM{ICON_SMALL});
                EXPECT_EQ(reinterpret_cast<HICON>(m.lParam),
                          LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101)));
            }
        }
        DetachWindow(button);
        StopLogging(button);
        DestroyWindow(button);
    }
}

TEST_F(RegistryTest, UpDownsLearnTheirSideOfASkinnedEditBuddy)
{
    struct BuddyCase {
        DWORD style;
        const char *buddyClass;
        bool skinBuddy;
        DWORD bits;
    };
    const BuddyCase cases[] = {
        {UDS_ALIGNRIGHT, "Edit", true, SKS_UPDOWNRIGHT},
        {UDS_ALIGNLEFT, "Edit", true, SKS_UPDOWNLEFT},
        {UDS_ALIGNLEFT | UDS_ALIGNRIGHT, "Edit", true, SKS_UPDOWNLEFT},
        {UDS_ALIGNRIGHT, "Edit", false, 0},
        {UDS_ALIGNRIGHT, "Button", true, 0},
        {0, "Edit", true, 0},
        {UDS_ALIGNRIGHT | UDS_HORZ, "Edit", true, SKS_UPDOWNRIGHT | SKS_HORZ},
        {UDS_HORZ, "Edit", false, SKS_HORZ},
    };
    for (const BuddyCase &c : cases) {
        HWND buddy = CreateChild(dialog, c.buddyClass, 0, 10, 10, 60, 20);
        if (c.skinBuddy)
            ASSERT_NE(AttachWindow(buddy), nullptr);
        HWND upDown = CreateChild(dialog, "msctls_updown32", c.style, 0, 0, 16, 20);
        SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
        SkinnedWindow *rec = AttachWindow(upDown);
        ASSERT_NE(rec, nullptr);
        EXPECT_EQ(rec->state, c.bits) << "style 0x" << std::hex << c.style << " buddy " << c.buddyClass;
        DestroyWindow(upDown);
        DestroyWindow(buddy);
    }

    HWND lonely = CreateChild(dialog, "msctls_updown32", UDS_ALIGNRIGHT, 0, 0, 16, 20);
    EXPECT_EQ(AttachWindow(lonely)->state, 0u) << "no buddy at all";
}

TEST_F(RegistryTest, SkinWndProcAnswersAWindowWithoutARecord)
{
    HWND plain = Child("Static", SS_LEFT);
    SetWindowTextA(plain, "four");
    EXPECT_EQ(SkinWndProc(plain, WM_GETTEXTLENGTH, 0, 0), 4);
    EXPECT_EQ(FindSkinnedWindow(plain), nullptr);

    // A foreign subclass that outlives the skin keeps calling the procedure.
    SkinnedWindow *rec = AttachWindow(plain);
    ASSERT_NE(rec, nullptr);
    DetachWindow(plain);
    SetWindowLongPtrW(plain, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SkinWndProc));
    SetWindowTextA(plain, "eleven char");
    EXPECT_EQ(SendMessageA(plain, WM_GETTEXTLENGTH, 0, 0), 11);
    DestroyWindow(plain);
}

// The process heap, seen through the library's own imports.
int allocationsToAllow;
int allocations;
int frees;
decltype(&HeapAlloc) realHeapAlloc;
decltype(&HeapFree) realHeapFree;

LPVOID WINAPI RationedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes)
{
    if (allocationsToAllow-- <= 0)
        return nullptr;
    ++allocations;
    return realHeapAlloc(heap, flags, bytes);
}

BOOL WINAPI CountedHeapFree(HANDLE heap, DWORD flags, LPVOID memory)
{
    ++frees;
    return realHeapFree(heap, flags, memory);
}

TEST_F(RegistryTest, RefusedAllocationsLeaveTheWindowUnskinnedAndWorking)
{
    HWND button = Child("Button", BS_PUSHBUTTON, 7);
    HWND bar = Child("ScrollBar", SBS_VERT);
    const LONG_PTR buttonProc = GetWindowLongPtrA(button, GWLP_WNDPROC);
    const LONG_PTR barProc = GetWindowLongPtrA(bar, GWLP_WNDPROC);

    {
        ScopedImportPatch alloc(LibraryModule(), "kernel32.dll", "HeapAlloc",
                                reinterpret_cast<void *>(RationedHeapAlloc));
        ScopedImportPatch free(LibraryModule(), "kernel32.dll", "HeapFree",
                               reinterpret_cast<void *>(CountedHeapFree));
        ASSERT_NE(alloc.original, nullptr) << "the library does not import HeapAlloc";
        realHeapAlloc = reinterpret_cast<decltype(&HeapAlloc)>(alloc.original);
        realHeapFree = reinterpret_cast<decltype(&HeapFree)>(free.original);

        allocationsToAllow = 0;
        EXPECT_EQ(AttachWindow(button), nullptr);
        // The record is granted, its scroll-bar block is not.
        allocationsToAllow = 1;
        allocations = frees = 0;
        EXPECT_EQ(AttachWindow(bar), nullptr);
        EXPECT_EQ(allocations, 1);
        EXPECT_EQ(frees, 1);
    }

    EXPECT_EQ(FindSkinnedWindow(button), nullptr);
    EXPECT_EQ(FindSkinnedWindow(bar), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(button, GWLP_WNDPROC), buttonProc);
    EXPECT_EQ(GetWindowLongPtrA(bar, GWLP_WNDPROC), barProc);

    // The button still clicks as a standard button.
    MessageLog parentLog;
    StartLogging(dialog, &parentLog);
    SendMessageA(button, BM_CLICK, 0, 0);
    StopLogging(dialog);
    bool clicked = false;
    for (const LoggedMessage &m : parentLog.messages)
        clicked |= m.msg == WM_COMMAND && m.wParam == MAKEWPARAM(7, BN_CLICKED);
    EXPECT_TRUE(clicked) << parentLog.Describe();

    // And attaching works again once the heap gives.
    EXPECT_NE(AttachWindow(bar), nullptr);
}

// A host procedure beneath the skin that, told a status bar's colour, asks
// the window something of its own through the window's procedure.
WNDPROC statusBarProcedure = nullptr;
int questionsHeard = 0;
const UINT HostQuestion = WM_APP + 7;

LRESULT CALLBACK AskingOnColour(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == HostQuestion)
        ++questionsHeard;
    if (msg == SB_SETBKCOLOR)
        SendMessageW(hwnd, HostQuestion, 0, 0);
    return CallWindowProcW(statusBarProcedure, hwnd, msg, wParam, lParam);
}

TEST_F(RegistryTest, ATearDownsMessagesReachTheWindowsOwnProcedure)
{
    HWND bar = Child(STATUSCLASSNAMEA, WS_CHILD | WS_VISIBLE);
    statusBarProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AskingOnColour)));
    ASSERT_NE(AttachWindow(bar), nullptr);
    questionsHeard = 0;
    DetachWindow(bar);
    EXPECT_EQ(questionsHeard, 1) << "the question sent while the colour went back fell to the default procedure";
    EXPECT_EQ(GetWindowLongPtrW(bar, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(AskingOnColour));
}

} // namespace

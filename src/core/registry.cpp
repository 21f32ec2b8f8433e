// The record list, window classification and the one subclass procedure.
#include "skin.h"

#include <commctrl.h>

#include "../buttons/buttons.h"
#include "../controls/controls.h"
#include "../dialog/dialog.h"
#include "../scroll/scroll.h"

// Most recently attached first. The list keeps the attach order; lookups go
// through the hash index beside it, since every message to every skinned
// window starts with one.
static SkinnedWindow *skinnedWindows = nullptr;

// A fixed table of chains, so that indexing never allocates and cannot fail;
// with ten thousand windows a chain is still only a few records long.
const int IndexBits = 12;
static SkinnedWindow *indexBuckets[1 << IndexBits];

static SkinnedWindow **BucketOf(HWND hwnd)
{
    // Window handles carry their information in the low 32 bits.
    const UINT32 key = static_cast<UINT32>(reinterpret_cast<UINT_PTR>(hwnd));
    return &indexBuckets[(key * 0x9E3779B9u) >> (32 - IndexBits)];
}

static void IndexRecord(SkinnedWindow *rec)
{
    SkinnedWindow **bucket = BucketOf(rec->hwnd);
    rec->nextInBucket = *bucket;
    *bucket = rec;
}

static void UnindexRecord(SkinnedWindow *rec)
{
    SkinnedWindow **link = BucketOf(rec->hwnd);
    while (*link != rec)
        link = &(*link)->nextInBucket;
    *link = rec->nextInBucket;
}

// How a class's style decides its kind.
enum StyleTest {
    ST_NONE,      // every window of the class gets the kind
    ST_BUTTON,    // by button type and BS_PUSHLIKE
    ST_STATIC,    // plain text types only
    ST_NOTTYPE1,  // style AND 3 must not be 1 (CBS_SIMPLE, DTS_UPDOWN, MCS_DAYSTATE)
};

struct ClassEntry {
    const char *className;
    int kind;
    StyleTest styleTest;
};

// Compared in this order; the first match decides.
static const ClassEntry SkinnedClasses[] = {
    {"Button", CK_PUSHBUTTON, ST_BUTTON},
    {"Edit", CK_EDIT, ST_NONE},
    {"ComboBox", CK_COMBOBOX, ST_NOTTYPE1},
    {"ListBox", CK_LISTBOX, ST_NONE},
    {"ScrollBar", CK_SCROLLBAR, ST_NONE},
    {"Static", CK_LABEL, ST_STATIC},
    {"#32770", CK_DIALOG, ST_NONE},
    {"msctls_hotkey32", CK_LISTBOX, ST_NONE},
    {"SysIPAddress32", CK_SCROLLBAR, ST_NONE},
    {"SysListView32", CK_LISTVIEW, ST_NONE},
    {"SysTreeView32", CK_NONE, ST_NONE},
    {"SysDateTimePick32", CK_COMBOBOX, ST_NOTTYPE1},
    {"msctls_updown32", CK_UPDOWN, ST_NONE},
    {"SysMonthCal32", CK_COMBOBOX, ST_NOTTYPE1},
    {"SysTabControl32", CK_TAB, ST_NONE},
    {"msctls_progress32", CK_PROGRESS, ST_NONE},
};

static int ClassifyButton(LONG style)
{
    const LONG type = style & 0x1F;
    const bool pushLike = (style & BS_PUSHLIKE) != 0;
    switch (type) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return CK_PUSHBUTTON;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return pushLike ? CK_PUSHBUTTON : CK_CHECKBOX;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return pushLike ? CK_PUSHBUTTON : CK_RADIOBUTTON;
    case BS_GROUPBOX:
        return CK_GROUPBOX;
    default:
        return CK_NONE;
    }
}

int ClassifyWindow(HWND hwnd)
{
    char className[260];
    if (GetClassNameA(hwnd, className, sizeof className) == 0)
        className[0] = '\0';

    const ClassEntry *entry = nullptr;
    for (const ClassEntry &candidate : SkinnedClasses) {
        if (lstrcmpiA(className, candidate.className) == 0) {
            entry = &candidate;
            break;
        }
    }
    if (entry == nullptr)
        return CK_NONE;

    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    switch (entry->styleTest) {
    case ST_BUTTON:
        return ClassifyButton(style);
    case ST_STATIC:
        return (style & 0x0E) == 0 ? CK_LABEL : CK_NONE;
    case ST_NOTTYPE1:
        return (style & 3) == 1 ? CK_NONE : entry->kind;
    case ST_NONE:
        break;
    }
    return entry->kind;
}

SkinnedWindow *FindSkinnedWindow(HWND hwnd)
{
    for (SkinnedWindow *rec = *BucketOf(hwnd); rec != nullptr; rec = rec->nextInBucket) {
        if (rec->hwnd == hwnd)
            return rec;
    }
    return nullptr;
}

static SIZE_T ExtraStateSize(int kind)
{
    switch (kind) {
    case CK_SCROLLBAR:
        return sizeof(ScrollBarState);
    case CK_DIALOG:
        return sizeof(CaptionButtonState);
    default:
        return 0;
    }
}

// A push button whose control identifier names an icon resource of its own
// module shows that icon.
static void LoadPushButtonIcon(HWND hwnd)
{
    const WORD id = LOWORD(GetDlgCtrlID(hwnd));
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    // Identifier 0 names no resource, and a null module would make LoadIconA
    // hand out one of the system's predefined icons instead.
    if (id == 0 || module == nullptr)
        return;
    HICON icon = LoadIconA(module, MAKEINTRESOURCEA(id));
    if (icon != nullptr)
        SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

static void SetUpButtonKind(SkinnedWindow *rec, LONG style)
{
    if ((style & 0x1F) == BS_DEFPUSHBUTTON)
        rec->state |= SKS_DEFAULT;
    const HWND hwnd = rec->hwnd;
    const LRESULT check = SendMessageA(hwnd, BM_GETCHECK, 0, 0);
    // The message ran through the subclass and may have ended in host code.
    rec = FindSkinnedWindow(hwnd);
    if (rec == nullptr)
        return;
    if (check == BST_CHECKED)
        rec->state |= SKS_CHECKED;
    else if (check == BST_INDETERMINATE)
        rec->state |= SKS_INDETERMINATE;
    if (rec->kind == CK_PUSHBUTTON)
        LoadPushButtonIcon(hwnd);
}

static void SetUpUpDownKind(SkinnedWindow *rec, LONG style)
{
    if (style & UDS_HORZ)
        rec->state |= SKS_HORZ;
    const HWND hwnd = rec->hwnd;
    HWND buddy = reinterpret_cast<HWND>(SendMessageA(hwnd, UDM_GETBUDDY, 0, 0));
    rec = FindSkinnedWindow(hwnd);
    if (rec == nullptr)
        return;
    if (ClassifyWindow(buddy) != CK_EDIT || FindSkinnedWindow(buddy) == nullptr)
        return;
    if (style & UDS_ALIGNLEFT)
        rec->state |= SKS_UPDOWNLEFT;
    else if (style & UDS_ALIGNRIGHT)
        rec->state |= SKS_UPDOWNRIGHT;
}

static void SetUpKind(SkinnedWindow *rec, LONG style)
{
    switch (rec->kind) {
    case CK_PUSHBUTTON:
    case CK_CHECKBOX:
    case CK_RADIOBUTTON:
    case CK_GROUPBOX:
    case CK_LABEL:
        SetUpButtonKind(rec, style);
        break;
    case CK_EDIT:
        if (style & ES_READONLY)
            rec->state |= SKS_READONLY;
        break;
    case CK_UPDOWN:
        SetUpUpDownKind(rec, style);
        break;
    default:
        break;
    }
}

static void RedrawWholeWindow(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
}

SkinnedWindow *AttachWindow(HWND hwnd)
{
    if (FindSkinnedWindow(hwnd) != nullptr)
        return nullptr;
    const int kind = ClassifyWindow(hwnd);
    if (kind == CK_NONE)
        return nullptr;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);

    // Both allocations come first, so that a refusal leaves the window as it was.
    HANDLE heap = GetProcessHeap();
    auto *rec = static_cast<SkinnedWindow *>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(SkinnedWindow)));
    if (rec == nullptr)
        return nullptr;
    const SIZE_T extraSize = ExtraStateSize(kind);
    if (extraSize != 0) {
        rec->extraState = HeapAlloc(heap, HEAP_ZERO_MEMORY, extraSize);
        if (rec->extraState == nullptr) {
            HeapFree(heap, 0, rec);
            return nullptr;
        }
    }

    rec->next = skinnedWindows;
    skinnedWindows = rec;
    rec->hwnd = hwnd;
    IndexRecord(rec);
    rec->kind = kind;
    rec->state = (style & WS_DISABLED) ? DWORD{SKS_DISABLED} : 0;
    if (GetFocus() == hwnd)
        rec->state |= SKS_FOCUSED;

    // The record is linked first, so the messages sent below already find it.
    rec->prevWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SkinWndProc)));

    SetUpKind(rec, style);
    if (FindSkinnedWindow(hwnd) != rec)
        return nullptr;

    RedrawWholeWindow(hwnd);
    return FindSkinnedWindow(hwnd);
}

SkinnedWindow *DetachWindow(HWND hwnd)
{
    SkinnedWindow *rec = FindSkinnedWindow(hwnd);
    if (rec == nullptr)
        return nullptr;

    SkinnedWindow *standIn;
    if (skinnedWindows == rec) {
        skinnedWindows = rec->next;
        standIn = skinnedWindows;
    } else {
        SkinnedWindow *previous = skinnedWindows;
        while (previous->next != rec)
            previous = previous->next;
        previous->next = rec->next;
        standIn = previous;
    }
    UnindexRecord(rec);

    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(rec->prevWndProc));

    // The record owns its block and its icon copy; the window region belongs
    // to the system.
    HANDLE heap = GetProcessHeap();
    if (rec->extraState != nullptr)
        HeapFree(heap, 0, rec->extraState);
    if (rec->buttonIcon != nullptr)
        DestroyIcon(rec->buttonIcon);
    HeapFree(heap, 0, rec);

    RedrawWholeWindow(hwnd);
    return standIn;
}

LRESULT ForwardMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(rec->prevWndProc, rec->hwnd, msg, wParam, lParam);
}

static LRESULT DispatchByKind(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (rec->kind) {
    case CK_PUSHBUTTON:
    case CK_CHECKBOX:
    case CK_RADIOBUTTON:
    case CK_GROUPBOX:
    case CK_LABEL:
        return HandleButtonMessage(rec, msg, wParam, lParam);
    case CK_EDIT:
        return HandleEditMessage(rec, msg, wParam, lParam);
    case CK_COMBOBOX:
        return HandleComboBoxMessage(rec, msg, wParam, lParam);
    case CK_LISTBOX:
        return HandleListBoxMessage(rec, msg, wParam, lParam);
    case CK_SCROLLBAR:
        return HandleScrollBarMessage(rec, msg, wParam, lParam);
    case CK_DIALOG:
        return HandleDialogMessage(rec, msg, wParam, lParam);
    case CK_UPDOWN:
        return HandleUpDownMessage(rec, msg, wParam, lParam);
    case CK_PROGRESS:
        return HandleProgressMessage(rec, msg, wParam, lParam);
    case CK_TAB:
        return HandleTabMessage(rec, msg, wParam, lParam);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

LRESULT CALLBACK SkinWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SkinnedWindow *rec = FindSkinnedWindow(hwnd);
    // Only a foreign subclass still calling us after a release gets here; the
    // previous procedure is no longer known, so the default one answers.
    if (rec == nullptr)
        return DefWindowProcA(hwnd, msg, wParam, lParam);

    const LRESULT result = DispatchByKind(rec, msg, wParam, lParam);

    // A handler may already have released the record, so look it up again.
    if (msg == WM_NCDESTROY && FindSkinnedWindow(hwnd) != nullptr)
        DetachWindow(hwnd);
    return result;
}

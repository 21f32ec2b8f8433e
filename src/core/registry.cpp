// The record list, window classification and the one subclass procedure.
//
// Every record belongs to the thread that owns its window: only that thread
// attaches, finds, dispatches and detaches it. The process-wide list is
// shared and guarded by a lock; each thread finds its own records through an
// index of its own, so the lookup that starts every message takes no lock.
#include "skin.h"

// Most recently attached first; the order the list keeps and the stand-in
// DetachWindow reports are the library's contract with Enskin's callers.
static SkinnedWindow *skinnedWindows = nullptr;
static SRWLOCK listLock = SRWLOCK_INIT;

// A fixed table of chains, so that indexing never allocates and cannot fail;
// with ten thousand windows a chain is still only a few records long.
const int IndexBits = 12;

struct ThreadRegistry {
    int records;
    // Windows whose skin was released while a host's subclass sat above it:
    // the skin stays in the chain and passes every message down to the
    // procedure it once replaced, until the window is destroyed, the host
    // removes its subclass, or the window is skinned again. Each keeps its
    // released record, out of the list and the index, linked through next.
    SkinnedWindow *passThroughs;
    SkinnedWindow *buckets[1 << IndexBits];
};

static DWORD threadRegistrySlot = TLS_OUT_OF_INDEXES;

bool StartRegistry()
{
    threadRegistrySlot = TlsAlloc();
    return threadRegistrySlot != TLS_OUT_OF_INDEXES;
}

void EndRegistry()
{
    if (threadRegistrySlot != TLS_OUT_OF_INDEXES)
        TlsFree(threadRegistrySlot);
    threadRegistrySlot = TLS_OUT_OF_INDEXES;
}

// The calling thread's registry, or null before its first attach. The slot
// read clears the thread's last error, which belongs to the host.
static ThreadRegistry *CurrentThreadRegistry()
{
    if (threadRegistrySlot == TLS_OUT_OF_INDEXES)
        return nullptr;
    const DWORD lastError = GetLastError();
    auto *registry = static_cast<ThreadRegistry *>(TlsGetValue(threadRegistrySlot));
    SetLastError(lastError);
    return registry;
}

static ThreadRegistry *EnsureThreadRegistry()
{
    ThreadRegistry *registry = CurrentThreadRegistry();
    if (registry != nullptr || threadRegistrySlot == TLS_OUT_OF_INDEXES)
        return registry;
    registry = static_cast<ThreadRegistry *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ThreadRegistry)));
    if (registry != nullptr && !TlsSetValue(threadRegistrySlot, registry)) {
        HeapFree(GetProcessHeap(), 0, registry);
        registry = nullptr;
    }
    return registry;
}

// A thread that no longer holds anything gives its index back.
static void ReleaseThreadRegistryIfEmpty(ThreadRegistry *registry)
{
    if (registry->records != 0 || registry->passThroughs != nullptr)
        return;
    TlsSetValue(threadRegistrySlot, nullptr);
    HeapFree(GetProcessHeap(), 0, registry);
}

static SkinnedWindow **BucketOf(ThreadRegistry *registry, HWND hwnd)
{
    // Window handles carry their information in the low 32 bits.
    const UINT32 key = static_cast<UINT32>(reinterpret_cast<UINT_PTR>(hwnd));
    return &registry->buckets[(key * 0x9E3779B9u) >> (32 - IndexBits)];
}

static void IndexRecord(ThreadRegistry *registry, SkinnedWindow *rec)
{
    SkinnedWindow **bucket = BucketOf(registry, rec->hwnd);
    rec->nextInBucket = *bucket;
    *bucket = rec;
    ++registry->records;
}

static void UnindexRecord(ThreadRegistry *registry, SkinnedWindow *rec)
{
    SkinnedWindow **link = BucketOf(registry, rec->hwnd);
    while (*link != rec)
        link = &(*link)->nextInBucket;
    *link = rec->nextInBucket;
    --registry->records;
}

SkinnedWindow *FindSkinnedWindow(HWND hwnd)
{
    ThreadRegistry *registry = CurrentThreadRegistry();
    if (registry == nullptr)
        return nullptr;
    for (SkinnedWindow *rec = *BucketOf(registry, hwnd); rec != nullptr; rec = rec->nextInBucket) {
        if (rec->hwnd == hwnd)
            return rec;
    }
    return nullptr;
}

static SkinnedWindow **FindPassThrough(ThreadRegistry *registry, HWND hwnd)
{
    SkinnedWindow **link = &registry->passThroughs;
    while (*link != nullptr && (*link)->hwnd != hwnd)
        link = &(*link)->next;
    return link;
}

// Takes the window's pass-through out of the thread's list; the caller
// disposes of it. Null when the window has none.
static SkinnedWindow *TakePassThrough(ThreadRegistry *registry, HWND hwnd)
{
    SkinnedWindow **link = FindPassThrough(registry, hwnd);
    SkinnedWindow *passThrough = *link;
    if (passThrough != nullptr)
        *link = passThrough->next;
    return passThrough;
}

// The window's procedure slot, read and written in the character set the
// skin was installed in: the A slot of an ANSI window holds SkinWndProcA
// itself, where the W slot would give a translating stand-in.
static LONG_PTR SetProcedure(HWND hwnd, bool ansi, WNDPROC procedure)
{
    const LONG_PTR value = reinterpret_cast<LONG_PTR>(procedure);
    return ansi ? SetWindowLongPtrA(hwnd, GWLP_WNDPROC, value) : SetWindowLongPtrW(hwnd, GWLP_WNDPROC, value);
}

static bool SkinIsOnTop(HWND hwnd, bool ansi)
{
    return ansi ? GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SkinWndProcA)
                : GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SkinWndProc);
}

static void PutBackPreviousProcedure(HWND hwnd, const SkinnedWindow *rec)
{
    SetProcedure(hwnd, rec->ansi, rec->prevWndProc);
}

static LRESULT CallPrevious(bool ansi, WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ansi ? CallWindowProcA(previous, hwnd, msg, wParam, lParam)
                : CallWindowProcW(previous, hwnd, msg, wParam, lParam);
}

// The row named after the window's class; else, for a top-level window, the
// first row without a class name, which takes such windows by style.
static const SkinClass *FindSkinClass(HWND hwnd)
{
    wchar_t className[260];
    if (GetClassNameW(hwnd, className, ARRAYSIZE(className)) == 0)
        return nullptr;
    for (int i = 0; i < SkinClassCount; ++i) {
        if (SkinClasses[i]->className != nullptr && lstrcmpiW(className, SkinClasses[i]->className) == 0)
            return SkinClasses[i];
    }
    if (GetAncestor(hwnd, GA_PARENT) != GetDesktopWindow())
        return nullptr;
    for (int i = 0; i < SkinClassCount; ++i) {
        if (SkinClasses[i]->className == nullptr)
            return SkinClasses[i];
    }
    return nullptr;
}

// The row the window is skinned by, or null.
static const SkinClass *RowOf(HWND hwnd)
{
    const SkinClass *skinClass = FindSkinClass(hwnd);
    if (skinClass == nullptr || skinClass->rowOfStyle == nullptr)
        return skinClass;
    return skinClass->rowOfStyle(skinClass, GetWindowLongW(hwnd, GWL_STYLE));
}

int ClassifyWindow(HWND hwnd)
{
    const SkinClass *row = RowOf(hwnd);
    return row != nullptr ? row->kind : CK_NONE;
}

static void LinkRecord(ThreadRegistry *registry, SkinnedWindow *rec)
{
    AcquireSRWLockExclusive(&listLock);
    rec->next = skinnedWindows;
    skinnedWindows = rec;
    ReleaseSRWLockExclusive(&listLock);
    IndexRecord(registry, rec);
}

HWND *CollectSkinnedWindows(int *count)
{
    *count = 0;
    AcquireSRWLockShared(&listLock);
    int records = 0;
    for (const SkinnedWindow *rec = skinnedWindows; rec != nullptr; rec = rec->next)
        ++records;
    auto *windows = records > 0 ? static_cast<HWND *>(HeapAlloc(GetProcessHeap(), 0, records * sizeof(HWND))) : nullptr;
    for (const SkinnedWindow *rec = skinnedWindows; windows != nullptr && rec != nullptr; rec = rec->next)
        windows[(*count)++] = rec->hwnd;
    ReleaseSRWLockShared(&listLock);
    return windows;
}

// Takes the record out of the list and the index; returns the record that
// now stands in its place: its predecessor, or the new head.
static SkinnedWindow *UnlinkRecord(ThreadRegistry *registry, SkinnedWindow *rec)
{
    SkinnedWindow *standIn;
    AcquireSRWLockExclusive(&listLock);
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
    ReleaseSRWLockExclusive(&listLock);
    UnindexRecord(registry, rec);
    return standIn;
}

// The record owns its block, its icon copy and the hook of a menu loop it
// is in; the window region belongs to the system.
static void ReleaseKindState(SkinnedWindow *rec)
{
    if (rec->extraState != nullptr)
        HeapFree(GetProcessHeap(), 0, rec->extraState);
    rec->extraState = nullptr;
    if (rec->buttonIcon != nullptr)
        DestroyIcon(rec->buttonIcon);
    rec->buttonIcon = nullptr;
    if (rec->menuLoopHook != nullptr)
        UnhookWindowsHookEx(rec->menuLoopHook);
    rec->menuLoopHook = nullptr;
}

// Every record counts as a use of the library from its allocation to here.
static void FreeRecord(SkinnedWindow *rec)
{
    ReleaseKindState(rec);
    HeapFree(GetProcessHeap(), 0, rec);
    LetGoLibrary();
}

// A record some message or call still holds is freed when the last hold
// ends; it is already out of the list and the index.
static void DisposeRecord(SkinnedWindow *rec)
{
    rec->released = true;
    if (rec->holds > 0)
        rec->freeWhenLetGo = true;
    else
        FreeRecord(rec);
}

void HoldRecord(SkinnedWindow *rec)
{
    ++rec->holds;
}

// A pass-through keeps its record without the kind's state, which nothing
// reads once the last message that knew the skin has ended. Returns true
// when the record was freed.
static bool LetGo(SkinnedWindow *rec)
{
    if (--rec->holds > 0 || !rec->released)
        return false;
    if (rec->freeWhenLetGo) {
        FreeRecord(rec);
        return true;
    }
    ReleaseKindState(rec);
    return false;
}

void LetGoRecord(SkinnedWindow *rec)
{
    LetGo(rec);
}

// The state bits every kind reads from the window itself.
static DWORD StateOfWindow(HWND hwnd, LONG style)
{
    DWORD state = (style & WS_DISABLED) ? DWORD{SKS_DISABLED} : 0;
    if (GetFocus() == hwnd)
        state |= SKS_FOCUSED;
    return state;
}

// Allocates the record, links it and puts the skin into the window's chain.
// Returns null, with nothing linked and the window untouched, when the
// window is not skinnable, is already skinned, belongs to another thread, or
// the heap or the subclass refuses.
static SkinnedWindow *LinkAndSubclass(HWND hwnd)
{
    if (FindSkinnedWindow(hwnd) != nullptr)
        return nullptr;
    // Only the owning thread can keep the window's record: every message of
    // the window, and so every lookup, runs there.
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId())
        return nullptr;
    const SkinClass *skinClass = RowOf(hwnd);
    if (skinClass == nullptr)
        return nullptr;
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);

    ThreadRegistry *registry = EnsureThreadRegistry();
    if (registry == nullptr)
        return nullptr;
    // Both allocations come first, so that a refusal leaves the window as it was.
    HANDLE heap = GetProcessHeap();
    auto *rec = static_cast<SkinnedWindow *>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(SkinnedWindow)));
    if (rec == nullptr) {
        ReleaseThreadRegistryIfEmpty(registry);
        return nullptr;
    }
    if (skinClass->extraStateSize != 0) {
        rec->extraState = HeapAlloc(heap, HEAP_ZERO_MEMORY, skinClass->extraStateSize);
        if (rec->extraState == nullptr) {
            HeapFree(heap, 0, rec);
            ReleaseThreadRegistryIfEmpty(registry);
            return nullptr;
        }
    }
    HoldLibrary();

    rec->hwnd = hwnd;
    rec->skinClass = skinClass;
    rec->state = StateOfWindow(hwnd, style);
    rec->standardLook = HighContrastOn();
    LinkRecord(registry, rec);

    // A skin released under a host's subclass is still in the chain; it takes
    // its place there again instead of stacking a second copy on top.
    SkinnedWindow *passThrough = TakePassThrough(registry, hwnd);
    if (passThrough != nullptr) {
        rec->prevWndProc = passThrough->prevWndProc;
        rec->ansi = passThrough->ansi;
        DisposeRecord(passThrough);
        return rec;
    }

    // The record is linked first, so that every message the window receives
    // from now on finds it. The subclass takes the window's own character
    // set, so an ANSI window stays ANSI and its messages pass untranslated.
    rec->ansi = !IsWindowUnicode(hwnd);
    rec->prevWndProc = reinterpret_cast<WNDPROC>(SetProcedure(hwnd, rec->ansi, rec->ansi ? SkinWndProcA : SkinWndProc));
    if (rec->prevWndProc == nullptr) {
        UnlinkRecord(registry, rec);
        FreeRecord(rec);
        ReleaseThreadRegistryIfEmpty(registry);
        return nullptr;
    }
    return rec;
}

static void RedrawWholeWindow(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
}

// The kind's set-up and the first repaint in the skin's look, with the
// record held. Returns the record, or null if host code released the window
// meanwhile.
static SkinnedWindow *FinishAttach(SkinnedWindow *rec, Repaint repaint)
{
    const HWND hwnd = rec->hwnd;
    HoldRecord(rec);
    if (rec->skinClass->setUp != nullptr)
        rec->skinClass->setUp(rec, GetWindowLongW(hwnd, GWL_STYLE));
    rec->setUpPending = false;
    if (!rec->released && repaint == REPAINT_NOW)
        RedrawWholeWindow(hwnd);
    const bool kept = !rec->released;
    LetGoRecord(rec);
    return kept ? rec : nullptr;
}

SkinnedWindow *AttachWindow(HWND hwnd, Repaint repaint)
{
    SkinnedWindow *rec = LinkAndSubclass(hwnd);
    return rec != nullptr ? FinishAttach(rec, repaint) : nullptr;
}

SkinnedWindow *AttachCreatingWindow(HWND hwnd)
{
    SkinnedWindow *rec = LinkAndSubclass(hwnd);
    if (rec != nullptr)
        rec->setUpPending = true;
    return rec;
}

// Releases the window's record. A window that is ending keeps no pass-through:
// nothing will call the skin for it again. A record still held stays
// readable, marked released, until its last hold ends.
static SkinnedWindow *ReleaseRecord(HWND hwnd, bool windowEnding, Repaint repaint)
{
    SkinnedWindow *rec = FindSkinnedWindow(hwnd);
    if (rec == nullptr)
        return nullptr;
    ThreadRegistry *registry = CurrentThreadRegistry();
    SkinnedWindow *standIn = UnlinkRecord(registry, rec);
    rec->released = true;
    HoldRecord(rec);
    // Out of the list first, so that host code the control runs meanwhile
    // cannot release the record a second time. Before the tear-down sends
    // anything, the window gets back the procedure the skin replaced: a
    // message meanwhile reaches the control, not the default procedure. A
    // subclass installed above the skin calls it with the procedure it
    // found, so the skin cannot leave the chain without cutting the host's
    // subclass off; it stays as a pass-through instead, which passes every
    // message down.
    const bool onTop = SkinIsOnTop(hwnd, rec->ansi);
    if (onTop)
        PutBackPreviousProcedure(hwnd, rec);
    else if (!windowEnding) {
        rec->next = registry->passThroughs;
        registry->passThroughs = rec;
    }
    if (!windowEnding && rec->skinClass->tearDown != nullptr) {
        rec->skinClass->tearDown(rec);
        // A window the control's procedure destroyed meanwhile keeps no
        // pass-through; nor does one whose host took its subclass away: the
        // pass-through has already left with the next message.
        windowEnding = !IsWindow(hwnd);
    }
    // The thread's registry too may have gone with the pass-through.
    registry = CurrentThreadRegistry();
    const bool passingThrough = registry != nullptr && !onTop && *FindPassThrough(registry, hwnd) == rec;
    if (passingThrough && windowEnding)
        TakePassThrough(registry, hwnd);
    if (!passingThrough || windowEnding) {
        DisposeRecord(rec);
        if (registry != nullptr)
            ReleaseThreadRegistryIfEmpty(registry);
    }
    // A pass-through loses its kind's state here unless another hold keeps it.
    LetGoRecord(rec);

    if (repaint == REPAINT_NOW)
        RedrawWholeWindow(hwnd);
    return standIn;
}

SkinnedWindow *DetachWindow(HWND hwnd, Repaint repaint)
{
    return ReleaseRecord(hwnd, false, repaint);
}

// A message for a window the skin no longer draws: straight down the chain,
// in the character set it came in.
static LRESULT PassMessageOn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool ansi)
{
    ThreadRegistry *registry = CurrentThreadRegistry();
    SkinnedWindow *passThrough = registry != nullptr ? *FindPassThrough(registry, hwnd) : nullptr;
    if (passThrough == nullptr)
        return ansi ? DefWindowProcA(hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
    const WNDPROC prevWndProc = passThrough->prevWndProc;
    // Once the host has taken its subclass away, the skin leaves as well.
    const bool onTop = SkinIsOnTop(hwnd, ansi);
    if (!onTop && msg != WM_NCDESTROY)
        return CallPrevious(ansi, prevWndProc, hwnd, msg, wParam, lParam);

    // The record, and with it the library, stays until the message is over:
    // this thread is still in the library's code until it returns.
    HoldRecord(passThrough);
    TakePassThrough(registry, hwnd);
    if (onTop)
        PutBackPreviousProcedure(hwnd, passThrough);
    DisposeRecord(passThrough);
    ReleaseThreadRegistryIfEmpty(registry);
    const LRESULT result = CallPrevious(ansi, prevWndProc, hwnd, msg, wParam, lParam);
    if (LetGo(passThrough))
        GiveBackLibraryIfUnused(GIVEN_BACK_FROM_WINDOW_PROCEDURE);
    return result;
}

bool HostLeftColourUnanswered(LRESULT hostResult, int systemBrush)
{
    return hostResult == 0 || reinterpret_cast<HBRUSH>(hostResult) == GetSysColorBrush(systemBrush);
}

// Only a record that paints in the skin answers: not one whose skin stepped
// aside for high contrast.
LRESULT AnswerForChild(HWND child, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT hostResult)
{
    SkinnedWindow *rec = FindSkinnedWindow(child);
    if (rec == nullptr || rec->standardLook || rec->setUpPending || rec->skinClass->answerParent == nullptr)
        return hostResult;
    HoldRecord(rec);
    const LRESULT answer = rec->skinClass->answerParent(rec, msg, wParam, lParam, hostResult);
    LetGoRecord(rec);
    return answer;
}

LRESULT ForwardMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallPrevious(rec->ansi, rec->prevWndProc, rec->hwnd, msg, wParam, lParam);
}

LRESULT DefaultMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return rec->ansi ? DefWindowProcA(rec->hwnd, msg, wParam, lParam) : DefWindowProcW(rec->hwnd, msg, wParam, lParam);
}

// A window attached at creation gets its set-up as its WM_CREATE arrives,
// before the window's own procedure sees it. The message reaches the
// window whatever the set-up's host code did to the record.
static LRESULT CreateAfterSetUp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    if (FinishAttach(rec, REPAINT_NOW) == nullptr || rec->standardLook || rec->skinClass->handler == nullptr)
        return ForwardMessage(rec, WM_CREATE, wParam, lParam);
    return rec->skinClass->handler(rec, WM_CREATE, wParam, lParam);
}

// While high contrast is on, the skin steps aside: the window keeps its
// subclass, but every message goes to its own procedure, which paints the
// standard look, and a dialog loses its rounded region. The window changes
// unwatched meanwhile, so when the skin comes back, the record is read from
// the window again, as at attach, with a fresh block. A dialog counts as
// active while it is the active window. The new look shows at the next paint.
static void FollowLook(SkinnedWindow *rec)
{
    const HWND hwnd = rec->hwnd;
    rec->standardLook = HighContrastOn();
    if (rec->standardLook) {
        // Colours set on the control go back too, and are read afresh by the
        // set-up when the skin returns.
        if (rec->skinClass->tearDown != nullptr)
            rec->skinClass->tearDown(rec);
        if (rec->windowRegion != nullptr) {
            rec->windowRegion = nullptr;
            SetWindowRgn(hwnd, nullptr, FALSE);
        }
    } else {
        const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
        rec->state = StateOfWindow(hwnd, style);
        if (GetActiveWindow() == hwnd)
            rec->state |= SKS_FOCUSED;
        if (rec->extraState != nullptr)
            ZeroMemory(rec->extraState, rec->skinClass->extraStateSize);
        if (rec->skinClass->setUp != nullptr)
            rec->skinClass->setUp(rec, style);
    }
    if (!rec->released)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// A record released by host code before its handler runs passes the message
// on untouched.
static LRESULT HandleMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE && rec->setUpPending)
        return CreateAfterSetUp(rec, wParam, lParam);
    if (msg == WM_ENTERMENULOOP || msg == WM_EXITMENULOOP)
        FollowMenuLoop(rec, msg == WM_ENTERMENULOOP && !rec->released && !rec->standardLook);
    if (rec->released || rec->standardLook)
        return ForwardMessage(rec, msg, wParam, lParam);
    // The row answers the paint messages before the kind's handler.
    LRESULT painted;
    if (AnswerPaintMessage(rec, msg, wParam, lParam, &painted))
        return painted;
    if (rec->skinClass->handler == nullptr)
        return ForwardMessage(rec, msg, wParam, lParam);
    return rec->skinClass->handler(rec, msg, wParam, lParam);
}

// The system tells top-level windows that the app mode (or the accent colour)
// changed with this name, in the window's character set.
static bool NamesAppModeChange(HWND hwnd, LPARAM lParam, bool ansi)
{
    if (lParam == 0 || (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) != 0)
        return false;
    return ansi ? lstrcmpA(reinterpret_cast<const char *>(lParam), "ImmersiveColorSet") == 0
                : lstrcmpW(reinterpret_cast<const wchar_t *>(lParam), L"ImmersiveColorSet") == 0;
}

// The record is held for the whole message, so handlers use it across every
// call that may run host code; one released meanwhile is only marked, and
// the outermost message to let it go frees it. ansi is the character set the
// message came in, which is the record's.
static LRESULT SkinMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool ansi)
{
    SkinnedWindow *rec = FindSkinnedWindow(hwnd);
    if (rec == nullptr)
        return PassMessageOn(hwnd, msg, wParam, lParam, ansi);

    HoldRecord(rec);
    if (msg == WM_SETTINGCHANGE || msg == WM_SYSCOLORCHANGE) {
        ReadHighContrastAgain();
        FollowSystemColours();
    }
    // A window still waiting for its WM_CREATE follows once it has had it.
    if (!rec->setUpPending && rec->standardLook != (highContrastAsRead != 0))
        FollowLook(rec);
    if (msg == WM_SETTINGCHANGE && NamesAppModeChange(hwnd, lParam, ansi))
        FollowAppMode();
    const LRESULT result = HandleMessage(rec, msg, wParam, lParam);

    // No record outlives its window: whichever record the window holds as it
    // ends is released, the one of a skin put back during the message too.
    if (msg == WM_NCDESTROY)
        ReleaseRecord(hwnd, true, REPAINT_NOW);
    // The last record of the process may have gone with this message.
    if (LetGo(rec) || msg == WM_NCDESTROY)
        GiveBackLibraryIfUnused(GIVEN_BACK_FROM_WINDOW_PROCEDURE);
    return result;
}

LRESULT CALLBACK SkinWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return SkinMessage(hwnd, msg, wParam, lParam, false);
}

LRESULT CALLBACK SkinWndProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return SkinMessage(hwnd, msg, wParam, lParam, true);
}

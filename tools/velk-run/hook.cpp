// What velk-run loads into the program it starts, before the program's own
// code runs. Every thread of the program gets a WH_CBT hook of its own as it
// starts, which costs nothing on the thread's messages. The first thread to
// make a window switches thread-wide skinning on there, through velk.dll's
// export as the program itself could have done; the library gives that to
// one thread at a time, so on every other thread the hook skins each window
// itself once the window's creation has finished: at the thread's next hook
// call, or at the first timer message its loop dispatches, whichever comes
// first. Before any of that, velk-run has the hook load velk.dll and ask it
// to answer the program's own system colour calls from the face
// (PrepareProgram).
#include <windows.h>

#include "velk.h"

// One thread of the program, kept in its thread-local slot.
struct ThreadHook {
    HHOOK hook;
    // The window the last HCBT_CREATEWND announced: it has had none of its
    // creation messages yet, so it is skinned at the thread's next hook call
    // or timer message.
    HWND creating;
    // A timer of no delay, so that a window made in a running program, with
    // no hook call after it, is skinned once the thread is back in its loop.
    UINT_PTR timer;
    bool madeWindow;
    // The library's own hook follows this thread's windows.
    bool threadWide;
};

static HMODULE hookModule = nullptr;
static DWORD threadSlot = TLS_OUT_OF_INDEXES;
static EnskinProc enskin = nullptr;
static EnskinProgramColoursProc enskinProgramColours = nullptr;
static INIT_ONCE velkLoad = INIT_ONCE_STATIC_INIT;
// Set by the first thread that makes a window; only that one asks for
// thread-wide skinning.
static LONG threadWideClaimed = 0;

// velk.dll is the one beside this module, whatever the program's folders.
static BOOL CALLBACK LoadVelk(INIT_ONCE *, void *, void **)
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(hookModule, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return TRUE;
    wchar_t *name = path + length;
    while (name > path && name[-1] != L'\\' && name[-1] != L'/')
        --name;
    const wchar_t velkName[] = L"velk.dll";
    if (name - path + sizeof velkName / sizeof velkName[0] > MAX_PATH)
        return TRUE;
    for (size_t i = 0; i < sizeof velkName / sizeof velkName[0]; ++i)
        name[i] = velkName[i];
    HMODULE velk = LoadLibraryW(path);
    if (velk == nullptr)
        return TRUE;
    enskin = reinterpret_cast<EnskinProc>(reinterpret_cast<void *>(GetProcAddress(velk, "Enskin")));
    enskinProgramColours = reinterpret_cast<EnskinProgramColoursProc>(
        reinterpret_cast<void *>(GetProcAddress(velk, "EnskinProgramColours")));
    // The face velk-run was given, before the first window takes the look.
    wchar_t face[MAX_PATH];
    const DWORD faceLength = GetEnvironmentVariableW(L"VELK_RUN_FACE", face, MAX_PATH);
    const auto enskinFace =
        reinterpret_cast<EnskinFaceProc>(reinterpret_cast<void *>(GetProcAddress(velk, "EnskinFace")));
    if (faceLength != 0 && faceLength < MAX_PATH && enskinFace != nullptr)
        enskinFace(face);
    return TRUE;
}

// Skins every window but the one being announced now, which is already
// among its parent's children and has yet to be created.
static BOOL CALLBACK SkinOne(HWND hwnd, LPARAM announced)
{
    if (hwnd != reinterpret_cast<HWND>(announced))
        enskin(hwnd, 1);
    return TRUE;
}

// The window announced last has been through its creation messages by now:
// it and whatever was made inside it get their skin, a window made where no
// hook call announced it too. Windows already skinned answer 0 and stay as
// they are.
static void SkinCreatedWindow(ThreadHook *thread, HWND announced)
{
    HWND hwnd = thread->creating;
    thread->creating = nullptr;
    if (thread->timer != 0) {
        KillTimer(nullptr, thread->timer);
        thread->timer = 0;
    }
    if (hwnd == nullptr || enskin == nullptr || !IsWindow(hwnd))
        return;
    enskin(hwnd, 1);
    EnumChildWindows(hwnd, SkinOne, reinterpret_cast<LPARAM>(announced));
}

static VOID CALLBACK CreatedWindowTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ThreadHook *thread = static_cast<ThreadHook *>(TlsGetValue(threadSlot));
    if (thread != nullptr)
        SkinCreatedWindow(thread, nullptr);
}

static void AwaitCreation(ThreadHook *thread, HWND hwnd)
{
    thread->creating = hwnd;
    thread->timer = SetTimer(nullptr, 0, 0, CreatedWindowTimer);
}

// The thread's first window, helpers aside. On the first
// thread that makes one, thread-wide skinning goes on: the library's own
// hook then follows every later window of the thread. Switching on skins the
// thread's existing windows at once, this one too, whose set-up would then
// run before it has had a message; it is released again and skinned once
// its creation is done, as on the other threads.
static void StartThread(ThreadHook *thread, HWND hwnd)
{
    thread->madeWindow = true;
    InitOnceExecuteOnce(&velkLoad, LoadVelk, nullptr, nullptr);
    if (enskin == nullptr)
        return;
    if (InterlockedCompareExchange(&threadWideClaimed, 1, 0) == 0 && enskin(nullptr, 1) != 0) {
        thread->threadWide = true;
        enskin(hwnd, 0);
    }
    AwaitCreation(thread, hwnd);
}

// Message-only windows, and the default IME window, which Wine 8 makes inside
// the WM_NCCREATE of a thread's first window: neither is ever shown, and the
// IME window's announcement does not mean that the window before it is made.
static bool IsUnseenHelper(HWND hwnd, const CBT_CREATEWNDW *create)
{
    wchar_t className[5];
    return create->lpcs->hwndParent == HWND_MESSAGE || (GetClassLongW(hwnd, GCL_STYLE) & CS_IME) != 0 ||
           (GetClassNameW(hwnd, className, 5) == 3 && lstrcmpiW(className, L"IME") == 0);
}

static LRESULT CALLBACK ThreadHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    ThreadHook *thread = static_cast<ThreadHook *>(TlsGetValue(threadSlot));
    // A hook further down may refuse the window, which then ends unseen.
    const LRESULT refused = CallNextHookEx(thread != nullptr ? thread->hook : nullptr, code, wParam, lParam);
    if (thread == nullptr || code < 0)
        return refused;
    const HWND hwnd = reinterpret_cast<HWND>(wParam);
    const bool announced = code == HCBT_CREATEWND;
    if (announced && IsUnseenHelper(hwnd, reinterpret_cast<CBT_CREATEWNDW *>(lParam)))
        return refused;
    // A DLL the program loaded from its folder since answers from the face
    // too, before a window of it draws (about a microsecond a window).
    if (announced && enskinProgramColours != nullptr)
        enskinProgramColours();
    SkinCreatedWindow(thread, announced ? hwnd : nullptr);
    // On a thread-wide thread the library's own hook skins the windows, once
    // the first is skinned; this one is left only the DLLs to take in.
    if (thread->threadWide)
        return refused;
    if (!announced || refused != 0)
        return refused;
    if (!thread->madeWindow)
        StartThread(thread, hwnd);
    else
        AwaitCreation(thread, hwnd);
    return refused;
}

// Runs on the starting thread itself, before its start routine; the
// program's first thread also passes here, since this module is loaded
// before that thread runs.
static void HookThread()
{
    ThreadHook *thread = static_cast<ThreadHook *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *thread));
    if (thread == nullptr)
        return;
    thread->hook = SetWindowsHookExW(WH_CBT, ThreadHookProc, nullptr, GetCurrentThreadId());
    if (thread->hook == nullptr) {
        HeapFree(GetProcessHeap(), 0, thread);
        return;
    }
    TlsSetValue(threadSlot, thread);
}

static void UnhookThread()
{
    ThreadHook *thread = static_cast<ThreadHook *>(TlsGetValue(threadSlot));
    if (thread == nullptr)
        return;
    TlsSetValue(threadSlot, nullptr);
    if (thread->hook != nullptr)
        UnhookWindowsHookEx(thread->hook);
    HeapFree(GetProcessHeap(), 0, thread);
}

// Run by velk-run on a thread of the program once this module is loaded,
// before the program's first thread runs, and outside the loader's lock,
// which velk.dll's loading needs: the program's first colour call already
// answers from the face. Returns how many import slots velk.dll rewrote.
extern "C" __declspec(dllexport) DWORD WINAPI PrepareProgram(void *)
{
    InitOnceExecuteOnce(&velkLoad, LoadVelk, nullptr, nullptr);
    return enskinProgramColours != nullptr ? static_cast<DWORD>(enskinProgramColours()) : 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        hookModule = module;
        threadSlot = TlsAlloc();
        return threadSlot != TLS_OUT_OF_INDEXES;
    case DLL_THREAD_ATTACH:
        HookThread();
        return TRUE;
    case DLL_THREAD_DETACH:
        UnhookThread();
        return TRUE;
    default:
        return TRUE;
    }
}

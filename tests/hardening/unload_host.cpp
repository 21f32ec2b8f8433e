// A host that unloads velk.dll, run as a child process of the host-behaviour
// test so that a crash fails that test instead of ending it. The argument
// names the host's order of things:
//   freed-first    thread-wide skinning on, FreeLibrary, then repaints,
//                  clicks, a new window and the windows destroyed
//   single-window  the dialog, its button and scroll bar skinned one by one,
//                  FreeLibrary, repaints and clicks, then the windows
//                  destroyed: the library must unload soon after the last
//                  of them
//   released-first everything released, then FreeLibrary: the library must
//                  be unloaded when FreeLibrary returns
// Exit code 0 when the host saw what it must; otherwise a code per fault,
// named on standard error.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "velk.h"

namespace {

int Fail(int code, const char *what)
{
    std::fprintf(stderr, "unload_host: %s\n", what);
    return code;
}

void Pump(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

bool Loaded()
{
    return GetModuleHandleA("velk.dll") != nullptr;
}

struct Windows {
    HWND dialog;
    HWND button;
    HWND bar;
};

Windows MakeWindows()
{
    Windows w;
    w.dialog = CreateWindowExA(0, "#32770", "unload", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 30, 30, 300,
                               200, nullptr, nullptr, nullptr, nullptr);
    w.button = CreateWindowExA(0, "Button", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24,
                               w.dialog, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "Edit", "text", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 40, 120, 22, w.dialog, nullptr,
                    nullptr, nullptr);
    w.bar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 200, 10, 17, 120, w.dialog,
                            nullptr, nullptr, nullptr);
    SetScrollRange(w.bar, SB_CTL, 0, 10, TRUE);
    Pump(50);
    return w;
}

// What a host does with its windows after it unloaded the library: every
// one of these runs the library's code while they are skinned.
void Use(const Windows &w)
{
    RedrawWindow(w.dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
    SendMessageA(w.button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(w.button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(w.bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 115));
    SendMessageA(w.bar, WM_LBUTTONUP, 0, MAKELPARAM(8, 115));
    SendMessageA(w.dialog, WM_NCACTIVATE, FALSE, 0);
    HWND later = CreateWindowExA(0, "Button", "Later", WS_CHILD | WS_VISIBLE, 100, 10, 80, 24, w.dialog, nullptr,
                                 nullptr, nullptr);
    Pump(50);
    DestroyWindow(later);
}

}  // namespace

int main(int argc, char **argv)
{
    const char *order = argc > 1 ? argv[1] : "";
    HMODULE library = LoadLibraryA("velk.dll");
    if (library == nullptr)
        return Fail(10, "cannot load velk.dll");
    auto enskin = reinterpret_cast<EnskinProc>(reinterpret_cast<void *>(GetProcAddress(library, "Enskin")));
    if (enskin == nullptr)
        return Fail(11, "velk.dll has no Enskin");

    if (std::strcmp(order, "freed-first") == 0) {
        if (enskin(nullptr, 1) == 0)
            return Fail(12, "thread-wide skinning did not switch on");
        Windows w = MakeWindows();
        FreeLibrary(library);
        if (!Loaded())
            return Fail(2, "unloaded under its skinned windows and hook");
        Use(w);
        DestroyWindow(w.dialog);
        Pump(300);
        // The hook is still installed, so the library stays.
        Use(MakeWindows());
        return Loaded() ? 0 : Fail(3, "unloaded under its hook");
    }
    if (std::strcmp(order, "single-window") == 0) {
        Windows w = MakeWindows();
        if (enskin(w.dialog, 1) == 0 || enskin(w.button, 1) == 0 || enskin(w.bar, 1) == 0)
            return Fail(12, "the windows were not skinned");
        FreeLibrary(library);
        if (!Loaded())
            return Fail(2, "unloaded under its skinned windows");
        Use(w);
        DestroyWindow(w.dialog);
        for (int i = 0; i < 100 && Loaded(); ++i)
            Pump(20);
        if (Loaded())
            return Fail(4, "still loaded two seconds after its last window went");
        // The windows the host makes now never saw the library; a plain
        // scroll bar would track a press until the mouse button comes up.
        Windows after = MakeWindows();
        DestroyWindow(after.bar);
        RedrawWindow(after.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SendMessageA(after.button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(after.button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        DestroyWindow(after.dialog);
        return 0;
    }
    if (std::strcmp(order, "released-first") == 0) {
        if (enskin(nullptr, 1) == 0)
            return Fail(12, "thread-wide skinning did not switch on");
        Windows w = MakeWindows();
        Use(w);
        enskin(nullptr, 0);
        DestroyWindow(w.dialog);
        FreeLibrary(library);
        if (Loaded())
            return Fail(5, "still loaded after everything was released and FreeLibrary returned");
        return 0;
    }
    return Fail(1, "unknown order of things");
}

// Main windows and tool windows: every top-level window with a caption that
// no other row takes gets its frame and caption in the face, as a dialog
// does. The client area stays the host's; the window answers its controls'
// colour messages that the host leaves unanswered, as a dialog does.
#include "dialog.h"

#include <commctrl.h>

// A desktop that composes frames (DWM) would draw its own frame over the
// skin's. The switch is loaded at run time: systems without it, and the
// platform here, which stubs it, simply keep what they have.
typedef HRESULT(WINAPI *SetWindowAttributeProc)(HWND, DWORD, LPCVOID, DWORD);
static const DWORD NonClientRenderingPolicy = 2;  // DWMWA_NCRENDERING_POLICY
static const DWORD PolicyFromStyle = 0;           // DWMNCRP_USEWINDOWSTYLE
static const DWORD PolicyOff = 1;                 // DWMNCRP_DISABLED

static INIT_ONCE composerLoad = INIT_ONCE_STATIC_INIT;
static SetWindowAttributeProc setWindowAttribute = nullptr;

// dwmapi stays loaded once loaded: a system module, shared with the host.
static BOOL CALLBACK LoadComposer(INIT_ONCE *, void *, void **)
{
    HMODULE composer = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (composer != nullptr)
        setWindowAttribute = reinterpret_cast<SetWindowAttributeProc>(
            reinterpret_cast<void *>(GetProcAddress(composer, "DwmSetWindowAttribute")));
    return TRUE;
}

void ShowComposedFrame(HWND hwnd, bool shown)
{
    InitOnceExecuteOnce(&composerLoad, LoadComposer, nullptr, nullptr);
    if (setWindowAttribute == nullptr)
        return;
    const DWORD policy = shown ? PolicyFromStyle : PolicyOff;
    setWindowAttribute(hwnd, NonClientRenderingPolicy, &policy, sizeof policy);
}

static const SkinClass *MainWindowRowOf(const SkinClass *row, LONG style)
{
    return (style & WS_CHILD) == 0 && (style & WS_CAPTION) == WS_CAPTION ? row : nullptr;
}

// Whether the window's client area is where the default procedure puts it.
// A procedure that lays out its own non-client area (WM_NCCALCSIZE) paints
// it too, and a frame of the skin's would cover what it draws. The window is
// top-level: its rectangles are all in screen coordinates.
static bool HasSystemLayout(HWND hwnd)
{
    if (IsIconic(hwnd))
        return true;
    RECT expected;
    RECT client;
    GetWindowRect(hwnd, &expected);
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT *>(&client), 2);
    DefWindowProcW(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&expected));
    return EqualRect(&expected, &client) != FALSE;
}

// Checked when the window is made or skinned: a window with a layout of its
// own is left to its procedure, as if the host had left it out.
static void SetUpMainWindow(SkinnedWindow *rec, LONG)
{
    const HWND hwnd = rec->hwnd;
    if (!HasSystemLayout(hwnd)) {
        DetachWindow(hwnd, REPAINT_BY_CALLER);
        return;
    }
    if (GetActiveWindow() == hwnd)
        rec->state |= SKS_FOCUSED;
    ShowComposedFrame(hwnd, false);
}

// Custom draw the host's procedure left unanswered is answered in the face.
// It comes for every item of every paint, and a list's notifications by the
// hundred, so nothing else happens here, unlike in a dialog.
static LRESULT AnswerChildNotify(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const auto *header = reinterpret_cast<const NMHDR *>(lParam);
    const LRESULT result = ForwardMessage(rec, WM_NOTIFY, wParam, lParam);
    if (header == nullptr || header->code != NM_CUSTOMDRAW || result != 0 || rec->released)
        return result;
    return AnswerForChild(header->hwndFrom, WM_NOTIFY, wParam, lParam, result);
}

// A main window's non-client presses, cursor, window menu and menus are the
// host's and the system's as they are unskinned; its frame, caption and
// caption buttons are run as a dialog's.
static LRESULT HandleMainWindowMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETCURSOR:
    case WM_NCRBUTTONDOWN:
    case WM_INITMENUPOPUP:
        return ForwardMessage(rec, msg, wParam, lParam);
    case WM_NOTIFY:
        return AnswerChildNotify(rec, wParam, lParam);
    // The controls' colour messages too.
    default:
        return HandleDialogMessage(rec, msg, wParam, lParam);
    }
}

// The whole frame is the skin's but a menu bar; the client area is the
// host's, on the face's background where the class asks for a system colour.
const SkinClass MainWindowClass = {nullptr, MainWindowRowOf, CK_MAINWINDOW, HandleMainWindowMessage,
                                   SetUpMainWindow, sizeof(CaptionButtonState), PaintDialogFrame,
                                   TearDownFrame, nullptr, PAINTS_FRAME,
                                   PAINT_FILLS_FRAME | PAINT_OWN_SCROLL_BARS, nullptr,
                                   PaintDialogPart};

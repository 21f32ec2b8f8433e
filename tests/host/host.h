// The host test: the shipped velk.dll loaded with LoadLibrary and driven
// through its two exports, the way a 32-bit or 64-bit host program uses it,
// judged by real pixels and the messages the host's dialog procedure gets.
// It names nothing inside the library.
#ifndef VELK_TESTS_HOST_HOST_H
#define VELK_TESTS_HOST_HOST_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gdi_ledger.h"
#include "support/harness.h"
#include "velk.h"

// The loaded DLL, its exports as the header types them, and the ledger of
// its GDI calls, kept by the test environment for the whole run.
struct LoadedVelk {
    HMODULE module;
    EnskinProc enskin;
    DlgInitProc dlgInit;
    GdiLedger *ledger;
};
extern LoadedVelk velk;

// Control identifiers of the test dialog.
enum ControlId {
    IDC_PUSH = 100,
    IDC_DEFPUSH,
    IDC_PUSHLIKE,
    IDC_CHECK,
    IDC_RADIO,
    IDC_GROUP,
    IDC_LABEL,
    IDC_EDIT,
    IDC_LIST,
    IDC_COMBO,
    IDC_SPINEDIT,
    IDC_SPIN,
    IDC_PROGRESS,
    IDC_TAB,
    IDC_HOTKEY,
    IDC_DATE,
    IDC_IPADDRESS,
    IDC_LISTVIEW,
    IDC_VSCROLL,
    IDC_TREE,
    IDC_OWNERDRAW,
    IDC_SIMPLECOMBO,
    IDC_BITMAPSTATIC,
    IDC_ICONKIND,
};

// A pixel the skin must have drawn, in window coordinates. With anywhere set
// the colour must appear somewhere in the window instead.
struct Probe {
    const char *what;
    int x;
    int y;
    COLORREF colour;
    int tolerance;
    bool anywhere;
};

// One control of the test dialog: its template entry, whether the library
// takes it over, how the host sets it up after creation, and the pixels its
// skinned look must show.
struct KindRow {
    const char *name;
    const char *className;
    const char *text;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;  // dialog units
    WORD id;
    bool skinned;
    void (*prepare)(HWND control);
    std::vector<Probe> (*probes)(HWND control);
};
extern const std::vector<KindRow> KindRows;
const KindRow &RowOf(int id);

// One notification or command as the host's dialog procedure saw it.
struct HostNote {
    UINT msg;     // WM_COMMAND, WM_NOTIFY, WM_VSCROLL, WM_HSCROLL, WM_CLOSE, WM_SYSCOMMAND, WM_INITMENUPOPUP
    UINT code;    // notification code, scroll code, the SC_ command, or TRUE for the window menu
    HWND from;    // the sending control; the dialog for WM_CLOSE and WM_SYSCOMMAND
    int value;    // UDN_DELTAPOS: iDelta; scroll: the position word
    int position; // UDN_DELTAPOS: iPos
};

// What the host does and has seen. WM_CLOSE is answered without closing;
// WM_SYSCOMMAND gets the default handling, so the caption buttons really
// maximise, restore and minimise; a menu the host is asked to prepare
// (WM_INITMENUPOPUP) is closed at once.
struct Host {
    std::vector<HostNote> notes;
    // The host destroys destroyTarget inside the first note of this message
    // and code.
    UINT destroyOnMsg = 0;
    UINT destroyOnCode = 0;
    HWND destroyTarget = nullptr;

    int Count(UINT msg, UINT code) const;
    int Count(UINT msg, UINT code, HWND from) const;
    std::string Describe() const;
    // The notes as a message log, the code as wParam.
    std::vector<LoggedMessage> Sequence() const;
};

// The dialog with one control of every row, host-driven, shown and painted.
HWND OpenKindsDialog(Host *host);

// The usual dialog style here: captioned, with the system menu and both
// boxes, visible.
const DWORD KindsDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE | DS_MODALFRAME;

// Whether the library has taken the window over: its window procedure is no
// longer the one it had without the skin.
LONG_PTR WindowProcedure(HWND window);

// Whether the probe's colour shows at its point, or anywhere in the window
// for a probe that may stand anywhere.
::testing::AssertionResult ProbeHolds(HWND window, const Probe &probe);

// A client point of a window in its window coordinates.
POINT ClientToWindowPoint(HWND window, POINT client);

int WindowWidth(HWND window);
int WindowHeight(HWND window);


// A press and release of a caption button, as the system sends them.
void CaptionClick(HWND dialog, LRESULT hitTest);

// Repaints the window and its children now.
void RepaintNow(HWND window);

#endif

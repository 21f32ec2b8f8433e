// The skinning core: the per-window record, the kind codes, the shared state
// bits, the registry and the drawing primitives every painter uses.
#ifndef VELK_CORE_SKIN_H
#define VELK_CORE_SKIN_H

#include <windows.h>

// Kind of a skinned window. -1 means "not skinned" and is never stored.
enum ControlKind : int {
    CK_NONE = -1,
    CK_PUSHBUTTON = 0,
    CK_CHECKBOX = 1,
    CK_RADIOBUTTON = 2,
    CK_GROUPBOX = 3,
    CK_LABEL = 4,
    CK_EDIT = 5,
    CK_COMBOBOX = 6,
    CK_LISTBOX = 7,
    CK_SCROLLBAR = 8,
    CK_DIALOG = 9,
    CK_UPDOWN = 10,
    CK_PROGRESS = 12,
    CK_TAB = 24,
    CK_LISTVIEW = 37,
};

// State bits of SkinnedWindow.state. The low byte is shared by all painters;
// the upper bits belong to single kinds.
enum : DWORD {
    SKS_DISABLED = 0x00000001,
    SKS_PRESSED = 0x00000002,
    SKS_HOT = 0x00000004,
    SKS_FOCUSED = 0x00000008,
    SKS_DEFAULT = 0x00000010,
    SKS_CHECKED = 0x00000020,
    SKS_INDETERMINATE = 0x00000040,
    SKS_READONLY = 0x00000080,
    SKS_HORZ = 0x00000400,
    SKS_UPDOWNLEFT = 0x00100000,
    SKS_UPDOWNRIGHT = 0x00200000,
};

// One record per skinned window, on the process heap, zero-filled.
struct SkinnedWindow {
    HWND hwnd;
    int kind;             // a ControlKind
    DWORD state;          // SKS_ bits
    WNDPROC prevWndProc;  // the procedure the subclass replaced
    HRGN windowRegion;    // dialogs: the installed window region (owned by the system)
    HICON buttonIcon;     // push buttons: the library's copy of the last WM_SETICON icon
    void *extraState;     // ScrollBarState for scroll bars, CaptionButtonState for dialogs
    SkinnedWindow *next;
    SkinnedWindow *nextInBucket;  // the lookup index's chain, beside the list
};

// The library's white, shared by the button painters and the edit frame.
const COLORREF SkinWhite = 0x00FFFFFF;

int ClassifyWindow(HWND hwnd);
SkinnedWindow *AttachWindow(HWND hwnd);
SkinnedWindow *DetachWindow(HWND hwnd);
SkinnedWindow *FindSkinnedWindow(HWND hwnd);
LRESULT CALLBACK SkinWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Hands a message unchanged to the window's previous procedure.
LRESULT ForwardMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

// A system colour darkened by 0x20 in each channel, each channel stopping at 0,
// for the disabled frames of several kinds.
COLORREF DarkenedSysColor(int index);

// A memory DC and bitmap laid over a window's whole-window DC.
struct BackBuffer {
    HWND hwnd;         // set by the caller
    HDC windowDC;      // set by BeginBackBuffer
    HDC memDC;         // set by BeginBackBuffer
    int copyThrough;   // 1: copy the window in at begin / the buffer out at end
    HBITMAP bitmap;    // the bitmap memDC held before the buffer's own was selected
};

HDC BeginBackBuffer(BackBuffer *buffer);
int EndBackBuffer(BackBuffer *buffer);

// Fills rect from four corner colours: top-left, top-right, bottom-left,
// bottom-right. Equal top pair and equal bottom pair give one vertical
// gradient; anything else is drawn as two triangles.
void FillGradient4(HDC dc, const RECT *rect, const COLORREF *colours);

#endif

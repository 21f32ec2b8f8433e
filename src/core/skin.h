// The skinning core: the per-window record, the shared state bits, the
// class table's row, the registry and the drawing primitives every painter
// uses.
#ifndef VELK_CORE_SKIN_H
#define VELK_CORE_SKIN_H

#include <windows.h>

#include "face.h"

// The code ClassifyWindow reports for a window's kind; -1 means "not
// skinned". The library itself tells kinds apart by their rows.
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
    CK_TREEVIEW = 38,
    CK_TRACKBAR = 40,
    CK_STATUSBAR = 41,
    CK_HEADER = 42,
    CK_TOOLTIP = 43,
    CK_TOOLBAR = 44,
    CK_REBAR = 45,
    CK_POPUPMENU = 46,
    CK_MAINWINDOW = 47,
    CK_ICON = 50,
    CK_SIZEGRIP = 51,
    CK_COMBOBOXEX = 52,
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

struct SkinnedWindow;

// Every painter draws the window into dc, where the window's whole rectangle
// lies at window (window coordinates in a window DC, negative ones in a
// client DC); it opens no DC of its own and leaves dc as it found it. It may
// send the window messages (its text, font, icon), so it may run host code.
typedef void (*KindPainter)(SkinnedWindow *rec, HDC dc, const RECT &window);
// The same for one part of a kind that has parts; the part codes are the
// kind's own.
typedef void (*KindPartPainter)(SkinnedWindow *rec, HDC dc, const RECT &window, int part);

// How a kind's painter stands to the control's own drawing. The core answers
// the paint, print, erase and frame messages from it; the kind's handler
// sees those the role leaves to the control.
enum PaintRole : unsigned char {
    // The kind's handler has every paint message but the frame paint of a
    // window whose own scroll bars are the skin's.
    PAINTS_BY_HANDLER,
    // The control never paints: the painter draws the client area, and the
    // whole window where the options say it covers the frame.
    PAINTS_INSTEAD,
    // The control paints first, the painter over what it drew.
    PAINTS_OVER,
    // The painter draws the frame, over the default procedure's frame paint
    // where it leaves some of the frame to it; the client area is the
    // control's, over the background part where the row has a part painter.
    PAINTS_FRAME,
};

// The part a PAINTS_FRAME row's part painter draws the client area's
// background for: WM_ERASEBKGND, and under the control's own WM_PRINTCLIENT.
const int BACKGROUND_PART = 4;

// The row's paint options.
enum : unsigned {
    // A frame the window has is drawn by its frame paint (the default
    // procedure's for PAINTS_INSTEAD, the control's for PAINTS_OVER), and the
    // painter then covers the whole window. Without a frame the message only
    // passes on.
    PAINT_COVERS_FRAME = 1 << 0,
    // The window shows no frame of the control's: WM_NCPAINT draws nothing.
    PAINT_WITHOUT_FRAME = 1 << 1,
    // WM_PAINT always goes through BeginPaint: a list view's header painted
    // through its window DC outside BeginPaint was seen covered again by the
    // list view's own background under Wine, which does not clip its
    // children.
    PAINT_THROUGH_BEGINPAINT = 1 << 2,
    // PAINTS_OVER: a window without a frame has the control erase and paint
    // into the skin's back buffer, the painter goes over it, and the whole is
    // copied to BeginPaint's DC once: nothing is read back from the window.
    PAINT_OVER_IN_BUFFER = 1 << 3,
    // PAINTS_INSTEAD: WM_ERASEBKGND is the control's.
    ERASE_BY_CONTROL = 1 << 4,
    // The window's own scroll bars (WS_VSCROLL, WS_HSCROLL) are the skin's:
    // the frame paint is kept off them, and they are painted after it.
    PAINT_OWN_SCROLL_BARS = 1 << 5,
    // PAINTS_FRAME: the painter fills the whole frame, and the menu bar is
    // painted in the face after it; the default procedure paints only the
    // scroll bars and the bar's bitmap and owner-drawn items. In print the
    // frame and the bar are the painter's.
    PAINT_FILLS_FRAME = 1 << 6,
    // PAINTS_OVER: the painter draws only along the window's edge. A window
    // with a frame has it drawn by the frame paint alone, since the control's
    // paint cannot reach there, and a frame one pixel wide, which the edge
    // covers, is not drawn by the control first; a window without a frame
    // has it drawn over the control's paint in the same paint DC.
    PAINT_EDGE_ONLY = 1 << 7,
};

// How the windows of one class are skinned. Each kind's file defines its
// row; kinds.h declares them and the class table lists them in the order
// they are compared.
struct SkinClass {
    // Compared without regard to case. Null: top-level windows of any class
    // that no named row takes, picked by style.
    const wchar_t *className;
    // The row a window of this class with this style is skinned by: row
    // itself, a kind's row of the same class, or null to leave the window
    // alone. Null: always row.
    const SkinClass *(*rowOfStyle)(const SkinClass *row, LONG style);
    int kind;                          // the code ClassifyWindow reports
    // Every message of the window; null passes them all to the previous
    // procedure.
    LRESULT (*handler)(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
    // Runs once the record is linked and the subclass installed, with the
    // record held; it may send messages, after which the record may have
    // been released (rec->released). For a window attached at its creation
    // it runs before the control's own WM_CREATE, with rec->setUpPending
    // still set. Null: none.
    void (*setUp)(SkinnedWindow *rec, LONG style);
    SIZE_T extraStateSize;             // of the zero-filled extraState block; 0 for none
    // Draws the skinned look; null for classes whose controls keep their own.
    KindPainter paint;
    // Puts back what the set-up changed on the control (its colours) when
    // the skin is released from a live window: called once the record is out
    // of the list, with its block still there. Null: nothing to put back.
    void (*tearDown)(SkinnedWindow *rec);
    // Answers a message the window sent its skinned parent (WM_CTLCOLOR*,
    // WM_NOTIFY) that the parent's own procedure left unanswered, so that
    // controls that take their colours from their parent follow the face.
    // Returns the answer, or hostResult to leave it. Null: none.
    LRESULT (*answerParent)(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT hostResult);
    PaintRole paintRole;
    unsigned paintOptions;
    // Runs before each WM_PAINT the core answers: a kind whose control takes
    // the face's colours follows a face switch there. Null: none.
    void (*beforePaint)(SkinnedWindow *rec);
    // Draws one part, for kinds that repaint a part at a time. Null: none.
    KindPartPainter paintPart;
};

extern const SkinClass *const SkinClasses[];
extern const int SkinClassCount;

// One record per skinned window, on the process heap, zero-filled.
struct SkinnedWindow {
    HWND hwnd;
    DWORD state;          // SKS_ bits
    WNDPROC prevWndProc;  // the procedure the subclass replaced
    HRGN windowRegion;    // dialogs: the installed window region (owned by the system)
    HICON buttonIcon;     // push buttons: the library's copy of the last WM_SETICON icon
    void *extraState;     // the kind's own block, extraStateSize bytes
    SkinnedWindow *next;
    const SkinClass *skinClass;   // the row the window was classified by
    SkinnedWindow *nextInBucket;  // the owning thread's lookup index, beside the list
    bool setUpPending;            // attached at creation: set-up waits for WM_CREATE
    bool standardLook;            // the skin steps aside for high contrast: every message goes on
    // The window was not Unicode when it was skinned: the subclass is
    // SkinWndProcA, and its messages come and go in ANSI.
    bool ansi;
    // Held by every message the skin handles, and by the library's own calls
    // that run host code. A record released meanwhile stays readable until
    // the last hold ends: only then is it freed, or, as a pass-through, rid
    // of its kind's state.
    int holds;
    bool released;        // out of the list: the window no longer has this skin, nothing paints it
    bool freeWhenLetGo;   // released for good: freed when the last hold ends
    HHOOK menuLoopHook;   // skins the popup menus the window shows while its menu loop runs
    int menuBarHotItem;   // 1 + the index of the menu bar's item under the pointer; 0 for none
};

// The thread-local slot of each thread's record index, taken when the
// library loads and given back when it unloads.
bool StartRegistry();
void EndRegistry();

int ClassifyWindow(HWND hwnd);
// Whether attaching or releasing a window repaints it at once, or leaves
// that to the caller, which repaints many windows in one go.
enum Repaint {
    REPAINT_NOW,
    REPAINT_BY_CALLER,
};
SkinnedWindow *AttachWindow(HWND hwnd, Repaint repaint = REPAINT_NOW);
// Attach at creation, before the window has handled WM_NCCREATE: the record
// and subclass are in place, and the set-up runs when WM_CREATE arrives.
SkinnedWindow *AttachCreatingWindow(HWND hwnd);
SkinnedWindow *DetachWindow(HWND hwnd, Repaint repaint = REPAINT_NOW);
// Records are found only from the thread that owns the window.
SkinnedWindow *FindSkinnedWindow(HWND hwnd);
// The subclass procedure in each character set: a window is subclassed in
// its own, so that IsWindowUnicode never changes and no message crosses a
// translation on its way through the skin. Both run the same code.
LRESULT CALLBACK SkinWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SkinWndProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A hold keeps the record readable across calls that may run host code and
// release the window; the record is freed when the last hold ends.
void HoldRecord(SkinnedWindow *rec);
void LetGoRecord(SkinnedWindow *rec);

// Whether a host's answer to a colour message leaves the colours to the skin:
// no answer, or the default procedure's system brush.
bool HostLeftColourUnanswered(LRESULT hostResult, int systemBrush);

// A message the parent's procedure has answered with hostResult, offered to
// the skinned child it concerns (answerParent of its class); returns the
// answer to give. The child's answer sets the colours of the DC the message
// brings and may ask the child for its places.
LRESULT AnswerForChild(HWND child, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT hostResult);

// Hands a message unchanged to the window's previous procedure, in the
// window's character set.
LRESULT ForwardMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

// The default window procedure for a message of the window's own, in the
// window's character set: text in the parameters is read as the host wrote it.
LRESULT DefaultMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

// The library keeps itself loaded while anything of it is in use: every
// record (skinned, a pass-through, or waiting for its last hold) and the
// thread-wide hook count as one use each. HoldLibrary takes a module
// reference of the library's own at the first use; GiveBackLibraryIfUnused
// returns it once the last use has gone.
void HoldLibrary();
void LetGoLibrary();
enum GivenBackFrom {
    // An export: its caller holds a reference of its own, so the library's
    // can go at once.
    GIVEN_BACK_FROM_EXPORT,
    // A window procedure: the caller may hold none, so a short-lived thread
    // gives it back once this one has left the library's code.
    GIVEN_BACK_FROM_WINDOW_PROCEDURE,
};
void GiveBackLibraryIfUnused(GivenBackFrom from);

// Who handles a message before the skin paints over the result: the
// window's previous procedure, or the default one, which keeps a control
// from drawing.
enum HandledBy {
    HANDLED_BY_CONTROL,
    HANDLED_BY_DEFAULT,
};

// The window's whole rectangle in the coordinates of its client area: where
// a painter finds it in a paint DC or a WM_PRINTCLIENT DC.
RECT WindowRectInClient(HWND hwnd);

// The window's whole rectangle in its window DC, from (0, 0).
RECT WindowRectInWindow(HWND hwnd);

// The window's client area in a DC where its whole rectangle lies at window.
RECT ClientAreaIn(HWND hwnd, const RECT &window);

// Moves dc's origin so that the window's top-left corner is (0, 0), for a
// painter that draws in window coordinates; returns the origin that
// PutBackOrigin restores.
POINT MoveOriginToWindow(HDC dc, const RECT &window);
void PutBackOrigin(HDC dc, POINT origin);

// Paints the window now, through its window DC, after a change of state; a
// released record paints nothing. The record is held meanwhile.
void RepaintNow(SkinnedWindow *rec);

// The same for one part, with the row's part painter.
void RepaintPartNow(SkinnedWindow *rec, int part);

// The same with a painter that is not the row's own: the window's own scroll
// bars, which several kinds share.
void RepaintWithNow(SkinnedWindow *rec, KindPartPainter painter, int part);

// The window's own scroll bars and size box, at rest, into dc where the
// window lies at window: drawn by the scroll subsystem for the rows with
// PAINT_OWN_SCROLL_BARS, with part 0.
void PaintOwnScrollBars(SkinnedWindow *rec, HDC dc, const RECT &window, int part);

// The frame of a PAINTS_FRAME row, or of one whose own scroll bars are the
// skin's, painted now as WM_NCPAINT paints it, over the whole frame.
void RepaintFrameNow(SkinnedWindow *rec);

// Answers WM_PAINT, WM_PRINTCLIENT, WM_PRINT, WM_ERASEBKGND and WM_NCPAINT
// from the row's paint role; false, with *result untouched, for a message it
// leaves to the kind's handler.
bool AnswerPaintMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT *result);

// Has the message handled, then repaints the window in the skin unless it
// was released meanwhile. Returns the handler's result.
LRESULT HandleThenRepaint(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, HandledBy handler);

// Prints every visible child of parent into dc, which maps parent's whole
// window, bottom of the z-order first, each with WM_PRINT at its own place.
void PrintChildren(HWND parent, HDC dc, LPARAM flags);

// A memory DC and bitmap laid over a rectangle of a target DC that the
// caller owns: drawn into from (0, 0) at the rectangle's top-left, then
// copied to the target once.
struct BackBuffer {
    HDC target;
    RECT area;         // in the target's coordinates
    HDC memDC;
    HBITMAP bitmap;    // the bitmap memDC held before the buffer's own was selected
};

// With copyIn, the buffer starts from what the target shows, for painters
// that draw over it.
HDC BeginBackBuffer(BackBuffer *buffer, HDC target, const RECT &area, bool copyIn);
// Copies the buffer to the target and frees it.
void EndBackBuffer(BackBuffer *buffer);

// Describes 32-bit pixels in rows from the top, the layout of the back
// buffers and of decoded face pictures.
void DescribeTopDownPixels(BITMAPINFO *format, int width, int height);

// Fills rect from four corner colours: top-left, top-right, bottom-left,
// bottom-right. Equal top pair and equal bottom pair give one vertical
// gradient; anything else is drawn as two triangles.
void FillGradient4(HDC dc, const RECT *rect, const COLORREF *colours);

// Whether the window has a frame or border outside its client area.
bool HasNonClientArea(HWND hwnd);

// Asks the window's parent to draw its background into the window's client
// DC, whose origin is moved for the time so that the parent's client origin
// lies where it lies on screen. dc maps the window's client coordinates.
void DrawParentBackground(HWND hwnd, HDC dc);

// The window's text on one line in its own font, measured on its DC; an
// empty size for no text.
SIZE MeasureWindowText(HWND hwnd);
// A size grip's dots in the face's grip colour, in the bottom right corner
// of grip.
void DrawSizeGrip(HDC dc, const RECT &grip, int dpi);

// How DrawWindowCaption places the text in its rectangle.
enum CaptionFit {
    CAPTION_IN_RECT,   // drawn into the rectangle as the format says
    CAPTION_HUG_TEXT,  // the rectangle first shrinks to the text's own size, from its top-left
};

// Draws text in the given font, or without one in the window's WM_GETFONT
// font, and the given colour, leaving the DC's font and text colour as they
// were; the background mode is the caller's. With CAPTION_HUG_TEXT, rect
// comes back as the text's rectangle. The font query runs the window's
// procedures, host code included.
void DrawCaptionText(HDC dc, HWND hwnd, const wchar_t *text, RECT *rect, COLORREF colour, UINT format,
                     CaptionFit fit, HFONT font = nullptr);

// The same with the window's own text. Returns false, drawing nothing, when
// the window has none.
bool DrawWindowCaption(HDC dc, HWND hwnd, RECT *rect, COLORREF colour, UINT format,
                       CaptionFit fit = CAPTION_IN_RECT, HFONT font = nullptr);

// The display. Every size of the look is designed at 96 dpi and drawn at the
// window's DPI.
const int DesignDpi = 96;

// GetDpiForWindow where the system has it, else the DPI of the window's
// device context.
int WindowDpi(HWND hwnd);

// A design size at a DPI: the one rounding rule of every scaled size, so
// that 96 dpi keeps every size as designed.
inline int ScaleToDpi(int size, int dpi)
{
    return MulDiv(size, dpi, DesignDpi);
}

// While high contrast is on, the skin steps aside and every window shows its
// standard look. The setting is read at the first question and again
// whenever a skinned window hears of a settings or colour change.
bool HighContrastOn();
void ReadHighContrastAgain();
// The setting as last read, without the first read's once-only guard: for
// the path every message takes, where a window is attached and the setting
// so already read.
extern volatile LONG highContrastAsRead;

// A face bitmap's path: ".\face\" under the current directory first, then
// the "face" folder beside the module that holds the library. Returns false,
// with an empty path, when neither holds the file.
bool FindFaceFile(const wchar_t *fileName, wchar_t *path, size_t capacity);

// Has the program's own modules answer their GetSysColor and GetSysColorBrush
// calls from the current face, from now on and for the rest of the process
// (system_colours.cpp says which modules). Returns how many import slots it
// rewrote: 0 when there was none left to rewrite.
int AnswerProgramColoursFromFace();

// Every skinned window of every thread, gathered under the list's lock, in a
// block the caller frees with HeapFree; null when there is none or no memory.
// Only the handles may be used: the records belong to their threads.
HWND *CollectSkinnedWindows(int *count);

// Draws a polyline with the DC's pen the way MoveToEx and LineTo do, each
// last point left out, thickness pixels wide: every segment is drawn again
// one pixel lower (a flat one) or further right (a steep one) for each pixel
// beyond the first.
void DrawPolyline(HDC dc, const POINT *points, int count, int thickness);

// The same for points in design pixels from (x, y), scaled for dpi, the line
// thickening with them. At most eight points.
void DrawDesignStroke(HDC dc, const POINT *points, int count, int x, int y, int dpi);

// FrameRect, thickness pixels wide, inward.
void FrameRectWidth(HDC dc, const RECT *rect, HBRUSH brush, int thickness);

// A solid pen for the outline of a rounded rectangle or an ellipse. A wider
// one keeps inside the shape's rectangle, where a one-pixel line lies.
HPEN CreateOutlinePen(COLORREF colour, int width);

// A skinned window's menu loop starts or ends (WM_ENTERMENULOOP,
// WM_EXITMENULOOP; entering false for either when its menus stay as they
// are): the popup menus it shows meanwhile are skinned with it. In menus/.
void FollowMenuLoop(SkinnedWindow *owner, bool entering);

// The menu bar of a window whose frame the skin fills (PAINT_FILLS_FRAME),
// in menus/. PaintMenuBar draws it in the face, where the window lies at
// window in dc; it may run host code. AddMenuBarItemsLeftToSystem adds the
// places of the bar's bitmap and owner-drawn items, in screen coordinates,
// to region: the system's frame paint draws those. AnswerMenuBarMessage
// answers the system's own menu-bar drawing messages, and repaints the bar
// where the system has drawn a selection into it; false, with *result
// untouched, for a message that goes on to the kind's handler.
void PaintMenuBar(SkinnedWindow *rec, HDC dc, const RECT &window, int part);
// The bar, all of its rows, in window coordinates; false when it shows none.
bool MenuBarPlace(HWND hwnd, RECT *place);
void AddMenuBarItemsLeftToSystem(HWND hwnd, HRGN region);
bool AnswerMenuBarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT *result);

#endif

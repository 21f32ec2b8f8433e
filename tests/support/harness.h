// Shared support for the test programs: real windows under Wine or Windows,
// pixels read back from window DCs, and message recording.
#ifndef VELK_TESTS_HARNESS_H
#define VELK_TESTS_HARNESS_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Handles every message waiting for this thread, then keeps doing so for
// the given time.
void PumpMessages(DWORD milliseconds = 0);

// An in-memory dialog template: the header, no menu, the standard dialog
// class, the title and the usual 8-point "MS Shell Dlg" font.
std::vector<WORD> DialogTemplate(DWORD style, const char *title, short cx, short cy);

// Appends a control to a template made by DialogTemplate and counts it in
// the header.
void AppendDialogItem(std::vector<WORD> *words, const char *className, const char *text, DWORD style, short x,
                      short y, short cx, short cy, WORD id, DWORD exStyle = 0);

// A standard dialog ("#32770") with no controls, from an in-memory template
// with the usual dialog font. dialogProc may be null.
HWND CreateTestDialog(DWORD style, int width, int height, const char *title,
                      DLGPROC dialogProc = nullptr, LPARAM param = 0);

// The usual style of a test dialog: visible, captioned, with a system menu.
const DWORD TestDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;

HWND CreateChild(HWND parent, const char *className, DWORD style, int x, int y, int width,
                 int height, int id = 0, const char *text = "");

// A left-button press and release at (x, y) in client coordinates, sent as
// the mouse would; no release when the press destroyed the window.
void Click(HWND hwnd, int x, int y);

// A pixel of the window as it stands on screen, in window coordinates.
COLORREF ReadWindowPixel(HWND hwnd, int x, int y);

// Whether each channel of two colours differs by no more than tolerance.
bool ColoursNear(COLORREF a, COLORREF b, int tolerance);

// The window's pixel at (x, y), in window coordinates, against a colour.
::testing::AssertionResult PixelIs(HWND hwnd, int x, int y, COLORREF expected, int tolerance = 0);

// A screen point where the dialog's own hit test answers code, along the
// caption's middle row from the right; {-1, -1} if there is none.
POINT FindHitPoint(HWND dialog, LRESULT code);

// Whether (x, y), in window coordinates, lies inside the window's region;
// false for a window without one.
bool InsideRegion(HWND hwnd, int x, int y);

// The first visible dialog (class "#32770") of the calling thread, or null:
// a modal dialog the test opened, seen from inside its own loop.
HWND ShownDialogOfThisThread();

// The shown top-level window of that class and title (either may be null),
// found as soon as it is shown; null if it was not in time.
HWND WaitForShownWindow(const char *className, const char *title, DWORD milliseconds);

// A pixel of a window, in window coordinates: what it should show and what
// was seen there.
struct NamedPixel {
    const char *name;
    HWND window;
    POINT at;
    COLORREF expected;
    COLORREF seen;
};

// Reads the pixels from the screen again and again until all match or the
// time is up: another process's windows can be read only there, and the
// screen shows a paint a little after it happens.
void AwaitPixels(std::vector<NamedPixel> *pixels, DWORD milliseconds);

// Fills the whole window rectangle, non-client area included, with one colour.
void FillWindow(HWND hwnd, COLORREF colour);

// One message as a test subclass or dialog procedure saw it.
struct LoggedMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Records the messages of one window through a subclass installed on top of
// its current procedure (and, when the library attaches afterwards, below the
// library's). Removing it restores the procedure it found.
struct MessageLog {
    std::vector<LoggedMessage> messages;

    void Clear() { messages.clear(); }
    int Count(UINT msg) const;
    std::string Describe() const;  // for failure messages
};

void StartLogging(HWND hwnd, MessageLog *log);
void StopLogging(HWND hwnd);

// One message of an expected sequence, as Wine's ok_sequence takes them.
enum SequenceFlag : unsigned {
    SEQ_SENT = 0,
    SEQ_OPTIONAL = 1,  // may be missing
    SEQ_WPARAM = 2,    // wParam must match too
};
struct ExpectedMessage {
    UINT msg;
    unsigned flags = SEQ_SENT;
    WPARAM wParam = 0;
};

// Compares the logged messages, in order, with the expected ones, and fails
// naming the case and listing what was seen. A logged message that is
// neither expected nor watched is passed over, so that a sequence speaks
// only of the messages it names; a watched one that is not expected there
// fails the comparison.
void ExpectSequence(const std::vector<LoggedMessage> &seen, const std::vector<ExpectedMessage> &expected,
                    const char *name, const std::vector<UINT> &watched = {});
inline void ExpectSequence(const MessageLog &log, const std::vector<ExpectedMessage> &expected, const char *name,
                           const std::vector<UINT> &watched = {})
{
    ExpectSequence(log.messages, expected, name, watched);
}

struct TestKind;

// The kind row's name in letters and digits, for a test parameterised over
// the rows.
std::string KindParamName(const testing::TestParamInfo<TestKind> &info);

// A steady clock, in milliseconds.
double Milliseconds();

// The number of live GDI objects of this process.
int CountGdiObjects();

struct SkinnedWindow;

// In records.cpp, for programs linked with velk_testing.dll: every record in
// the library's list, head first.
std::vector<SkinnedWindow *> SkinnedRecords();

// How many records the list holds for the window.
int RecordsFor(HWND hwnd);

#endif

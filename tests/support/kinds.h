// The kinds of control the library skins, as the tests make them: one row per
// kind and style variant. A test that means "every kind" walks these rows and
// keeps whatever else it needs of a kind in its own table, keyed by the row's
// name; adding a kind is one row here. Class names and styles only, so that
// programs driving the shipped velk.dll, and the benchmark, can use it too.
#ifndef VELK_TESTS_KINDS_H
#define VELK_TESTS_KINDS_H

#include <windows.h>

#include <initializer_list>
#include <ostream>
#include <vector>

struct TestKind {
    const char *name;       // unique; names the kind in failure messages
    const char *className;  // "#32770": the dialog itself, never made as a child
    DWORD style;            // without WS_CHILD and WS_VISIBLE
    DWORD exStyle;
    int width;              // pixels: a size the control is at home in
    int height;
};

// The class of the rows that are a host's own top-level windows.
const char *const MainWindowClassName = "VelkTestMainWindow";

// Every row.
const std::vector<TestKind> &TestKinds();

// The row of that name. A name that is not in the list is a fault in the
// test's own table: it stops the program, naming it.
const TestKind &KindNamed(const char *name);
std::vector<TestKind> KindsNamed(std::initializer_list<const char *> names);

bool IsDialogKind(const TestKind &kind);

// A visible child of the kind at its own size, in the parent's font, with
// the test's own style bits added to the row's; a top-level window owned by
// the parent, at (x, y) of its client area, for a main window's row.
HWND CreateKind(HWND parent, const TestKind &kind, int x, int y, int id = 0, const char *text = "",
                DWORD addedStyle = 0);

// Gives a control of the kind something to show, as a host would: buttons
// checked, a scroll bar's range and page, a progress bar past half, three
// tabs, a combo box's selected item, header items (the first sorted up),
// status bar parts, trackbar ticks and a selection, toolbar buttons (the
// second checked), a rebar band, a tooltip shown beside the parent, tree and
// list items, list box items past its height; nothing elsewhere.
void FillKind(HWND control, const TestKind &kind);

// Names the kind in GoogleTest's messages instead of dumping its bytes.
inline void PrintTo(const TestKind &kind, std::ostream *out)
{
    *out << kind.name;
}

#endif

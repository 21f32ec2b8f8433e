// Shared by the dialog test programs: skinned test dialogs with a recording
// host procedure, the caption geometry at this machine's metrics, and colour
// comparisons.
#ifndef VELK_TESTS_DIALOG_TESTING_H
#define VELK_TESTS_DIALOG_TESTING_H

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "dialog/dialog.h"
#include "support/freed_blocks.h"
#include "support/harness.h"
#include "support/records.h"
#include "support/import_patch.h"

// The look's own colours, as the design names them.
const COLORREF FrameBlue = RGB(11, 53, 255);
const COLORREF CaptionMidBlue = RGB(11, 144, 255);
const COLORREF CaptionLightBlue = RGB(173, 203, 247);
const COLORREF White = RGB(255, 255, 255);

// Top-left colour of each caption-button colour group.
const COLORREF PressedGroupTop = RGB(209, 204, 193);
const COLORREF NormalGroupTop = RGB(214, 203, 189);
const COLORREF HotGroupTop = RGB(206, 231, 255);
const COLORREF UnofferedGroupTop = RGB(255, 255, 255);
// Bottom-left colour of each group.
const COLORREF PressedGroupBottom = RGB(242, 241, 238);
const COLORREF NormalGroupBottom = RGB(247, 243, 239);
const COLORREF HotGroupBottom = RGB(105, 130, 238);
const COLORREF UnofferedGroupBottom = RGB(226, 223, 214);

// Where the frame, the caption band and the caption buttons lie in window
// coordinates, from this machine's metrics and the window's width.
struct DialogGeometry {
    int width;
    int height;
    int cx;  // SM_CXDLGFRAME
    int cy;  // SM_CYDLGFRAME
    int ch;  // SM_CYCAPTION
    RECT band;
    RECT closeFace;
    RECT maxFace;
    RECT minFace;
};

DialogGeometry GeometryOf(HWND dialog);

// What the host's dialog procedure saw, and what it does on the way.
struct HostDialog {
    std::vector<LoggedMessage> seen;
    UINT destroyOn = 0;  // the host destroys the dialog inside this message
    // WM_NOTIFY and WM_ACTIVATEAPP are answered with this through
    // DWLP_MSGRESULT; WM_CLOSE and WM_SYSCOMMAND are answered TRUE, so that
    // nothing really closes, minimises or maximises unless passSysCommand.
    LONG_PTR answer = 0x5A5A;
    bool passSysCommand = false;
    LRESULT hitTestAnswer = 0;  // non-zero: the host answers WM_NCHITTEST with it
    HWND destroyed = nullptr;

    int Count(UINT msg) const;
    int Count(UINT msg, WPARAM wParam) const;
    void Clear() { seen.clear(); }
};

// A dialog of the test style, with a recording host procedure, attached
// to the library and painted. host may be null.
HWND OpenSkinnedDialog(DWORD style, int width, int height, const char *title, HostDialog *host);

// Fixture base: the list is empty before and after every test, and every
// dialog opened through it is destroyed.
class DialogTest : public RecordCheckedTest {
protected:
    std::vector<HWND> windows;
    HostDialog host;

    void SetUp() override;
    void TearDown() override;
    HWND Open(DWORD style = TestDialogStyle, int width = 300, int height = 200, const char *title = "Skinned",
              HostDialog *logTo = nullptr);
};

// The record's caption-button block.
CaptionButtonState *ButtonsOf(HWND dialog);


#endif

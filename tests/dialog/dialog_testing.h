// Shared by the dialog test programs: skinned test dialogs with a recording
// host procedure, the caption geometry at this machine's metrics, and colour
// comparisons.
#ifndef VELK_TESTS_DIALOG_TESTING_H
#define VELK_TESTS_DIALOG_TESTING_H

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "core/face.h"
#include "dialog/dialog.h"
#include "support/freed_blocks.h"
#include "support/harness.h"
#include "support/records.h"
#include "support/import_patch.h"

// The built-in face's dialog colours.
const COLORREF FrameBlue = BuiltInFace.dialogFrame;
const COLORREF CaptionMidBlue = BuiltInFace.activeCaption[0];
const COLORREF CaptionLightBlue = BuiltInFace.activeCaption[2];
const COLORREF White = RGB(255, 255, 255);

// Top-left colour of each caption-button colour group.
const COLORREF PressedGroupTop = BuiltInFace.captionButtons[GROUP_PRESSED][0];
const COLORREF NormalGroupTop = BuiltInFace.captionButtons[GROUP_NORMAL][0];
const COLORREF HotGroupTop = BuiltInFace.captionButtons[GROUP_HOT][0];
const COLORREF UnofferedGroupTop = BuiltInFace.captionButtons[GROUP_UNOFFERED][0];
// Bottom-left colour of each group.
const COLORREF PressedGroupBottom = BuiltInFace.captionButtons[GROUP_PRESSED][2];
const COLORREF NormalGroupBottom = BuiltInFace.captionButtons[GROUP_NORMAL][2];
const COLORREF HotGroupBottom = BuiltInFace.captionButtons[GROUP_HOT][2];
const COLORREF UnofferedGroupBottom = BuiltInFace.captionButtons[GROUP_UNOFFERED][2];

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

// Dialog frame: the non-client area, the background and the caption buttons
// of standard dialogs.
#ifndef VELK_DIALOG_DIALOG_H
#define VELK_DIALOG_DIALOG_H

#include "../core/skin.h"

// Caption button states and identifiers.
enum {
    CBST_NORMAL = 0,
    CBST_PRESSED = 1,
    CBST_HOT = 2,
};

enum {
    CBID_MINIMIZE = 1,
    CBID_MAXIMIZE = 2,
    CBID_CLOSE = 3,
};

// A dialog's extraState block.
struct CaptionButtonState {
    int closeState;
    int minState;
    int maxState;
    int pressActive;    // 1 from a press on a button until the next release
    int pressedButton;  // a CBID_ code, 0 once a click has been carried out
};

LRESULT HandleDialogMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

#endif

// Dialog frame: the non-client area, the background and the caption buttons
// of standard dialogs.
#ifndef VELK_DIALOG_DIALOG_H
#define VELK_DIALOG_DIALOG_H

#include "../kinds.h"

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
int UpdateDialogRegionOnSize(SkinnedWindow *rec, WPARAM sizeType);
// Installs the rounded window region at the dialog's present size, unless it
// is maximised.
void InstallDialogRegion(SkinnedWindow *rec);

// The parts of a dialog's look, for its part painter.
enum DialogPart {
    DIALOG_FRAME = 1,            // the frame strips and the caption
    DIALOG_CAPTION = 2,          // the caption band, which paints the caption buttons too
    DIALOG_CAPTION_BUTTONS = 3,  // the caption buttons alone
    DIALOG_BACKGROUND = BACKGROUND_PART,  // the client area's tile
};

// The kind's painters: the frame with its caption, or one part, where the
// window lies at window in dc.
void PaintDialogFrame(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintDialogPart(SkinnedWindow *rec, HDC dc, const RECT &window, int part);

// The tile into dc, which is the dialog's own or a child's whose origin was
// moved to the dialog's client origin.
void PaintDialogBackground(SkinnedWindow *rec, HDC dc);

// Caption buttons: painting in window coordinates, from dc's origin, and
// mouse input.
void PaintCaptionButtons(SkinnedWindow *rec, HDC dc);
LRESULT PressCaptionButton(SkinnedWindow *rec, WPARAM hitTest, LPARAM lParam);
LRESULT ReleaseCaptionButton(SkinnedWindow *rec, WPARAM hitTest, LPARAM lParam);
LRESULT TrackCaptionButtons(SkinnedWindow *rec, WPARAM hitTest);
LRESULT HandleDialogMouseMove(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam);
LRESULT HandleDialogButtonUp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam);

#endif

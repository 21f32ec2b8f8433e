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

// The row of the class table: standard dialogs.
extern const SkinClass DialogClass;

LRESULT HandleDialogMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
int UpdateDialogRegionOnSize(SkinnedWindow *rec, WPARAM sizeType);
// Installs the rounded window region at the dialog's present size, unless it
// is maximised.
void InstallDialogRegion(SkinnedWindow *rec);

// The kind's painter: frame, caption and background, where the window lies
// at window in dc.
void PaintDialog(SkinnedWindow *rec, HDC dc, const RECT &window);

// WM_NCPAINT: the frame and caption through the window DC. updateRegion is
// the message's wParam: a region in screen coordinates, or 0 or 1 for the
// whole window; it stays the caller's.
void PaintDialogNonClient(SkinnedWindow *rec, HRGN updateRegion);

// WM_PRINT: the parts the PRF_ flags ask for, into dc at the window's origin.
LRESULT PrintDialog(SkinnedWindow *rec, HDC dc, LPARAM flags);

// The non-client painters draw in window coordinates, from dc's origin.
void PaintDialogFrame(SkinnedWindow *rec, HDC dc);
void PaintDialogCaption(SkinnedWindow *rec, HDC dc);
// The tile into dc, which is the dialog's own or a child's whose origin was
// moved to the dialog's client origin.
void PaintDialogBackground(SkinnedWindow *rec, HDC dc);

// Runs a non-client painter (PaintDialogCaption, which paints the caption
// buttons too, or PaintCaptionButtons alone) on the dialog's window DC,
// obtained and released here; a released dialog is left alone.
void PaintOnWindowDC(SkinnedWindow *rec, void (*painter)(SkinnedWindow *rec, HDC dc));

// Caption buttons: painting in window coordinates, and mouse input.
void PaintCaptionButtons(SkinnedWindow *rec, HDC dc);
LRESULT PressCaptionButton(SkinnedWindow *rec, WPARAM hitTest, LPARAM lParam);
LRESULT ReleaseCaptionButton(SkinnedWindow *rec, WPARAM hitTest, LPARAM lParam);
LRESULT TrackCaptionButtons(SkinnedWindow *rec, WPARAM hitTest);
LRESULT HandleDialogMouseMove(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam);
LRESULT HandleDialogButtonUp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam);

#endif

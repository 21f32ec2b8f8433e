// Frames in the face: the non-client area, the background and the caption
// buttons of standard dialogs, and the frames of main and tool windows.
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
    CBID_HELP = 4,
};

// The extraState block of a dialog or a main window.
struct CaptionButtonState {
    int closeState;
    int minState;
    int maxState;
    int helpState;
    int pressActive;    // 1 from a press on a button until the next release
    int pressedButton;  // a CBID_ code, 0 once a click has been carried out
};

LRESULT HandleDialogMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
int UpdateDialogRegionOnSize(SkinnedWindow *rec, WPARAM sizeType);
// Installs the rounded window region at the dialog's present size, unless it
// is maximised.
void InstallDialogRegion(SkinnedWindow *rec);

// Where a frame's caption lies, in window coordinates: the band that holds
// the icon, the title and the buttons, and where the buttons end on the
// right.
struct CaptionLayout {
    RECT band;
    int buttonsRight;
    bool smallCaption;  // a tool window's
};

// A dialog's caption lies inside its dialog frame; a main window's where the
// system lays it out for the window's style, maximised and minimised too.
CaptionLayout CaptionLayoutOf(SkinnedWindow *rec);

// The parts of a dialog's look, for its part painter.
enum DialogPart {
    DIALOG_FRAME = 1,            // the frame strips and the caption
    DIALOG_CAPTION = 2,          // the caption band, which paints the caption buttons too
    DIALOG_CAPTION_BUTTONS = 3,  // the caption buttons alone
    DIALOG_BACKGROUND = BACKGROUND_PART,  // the client area's tile
};

// The painters of dialogs and main windows: the frame with its caption, or
// one part, where the window lies at window in dc.
void PaintDialogFrame(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintDialogPart(SkinnedWindow *rec, HDC dc, const RECT &window, int part);

// The tile into dc, which is the dialog's own or a child's whose origin was
// moved to the dialog's client origin.
void PaintDialogBackground(SkinnedWindow *rec, HDC dc);
// A main window's: the dialog's where its class brush asks for a system
// colour, else its class brush, as the default procedure erases.
void PaintMainWindowBackground(SkinnedWindow *rec, HDC dc);

// Caption buttons: painting in window coordinates, from dc's origin, and
// mouse input.
void PaintCaptionButtons(SkinnedWindow *rec, HDC dc, const CaptionLayout &layout);
LRESULT PressCaptionButton(SkinnedWindow *rec, WPARAM hitTest, LPARAM lParam);
LRESULT ReleaseCaptionButton(SkinnedWindow *rec, WPARAM hitTest, LPARAM lParam);
LRESULT TrackCaptionButtons(SkinnedWindow *rec, WPARAM hitTest);
LRESULT HandleDialogMouseMove(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam);
LRESULT HandleDialogButtonUp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam);

// The composed frame of a desktop that composes frames (DWM) goes off while
// the skin paints the window's frame, and back on at release.
void ShowComposedFrame(HWND hwnd, bool shown);
void TearDownFrame(SkinnedWindow *rec);

#endif

// Simple controls: edit and combo box frames, progress bars, tabs, the
// colours of lists, status bars, headers, tooltips, toolbars and rebars.
#ifndef VELK_CONTROLS_CONTROLS_H
#define VELK_CONTROLS_CONTROLS_H

#include "../kinds.h"

// A colour a control keeps: read with get, set with set. The colour goes in
// wParam where colourInWParam says so, else in lParam with which as wParam
// (the month calendar's part; 0 elsewhere).
struct ColourMessage {
    UINT get;
    UINT set;
    WPARAM which;
    bool colourInWParam;
    COLORREF Face::*colour;  // the face's colour for it; null: CLR_NONE, the control's background shows
    int systemColour;        // the control's default reads as this system colour
    COLORREF unset;          // or as this: CLR_DEFAULT, or CLR_NONE where the control reports that
};
struct ColourMessages {
    const ColourMessage *rows;
    int count;
};
// The block of such kinds: the colours before the skin, and the ones it set.
const int MostColourMessages = 3;
struct ColourBlock {
    COLORREF had[MostColourMessages];
    COLORREF given[MostColourMessages];  // where gave says the skin set one
    // A flag of its own: CLR_NONE, which the skin gives, is CLR_INVALID.
    bool gave[MostColourMessages];
    const Face *face;                    // whose colours were given
    bool erased;                         // a list view's background was erased since its last paint
};
// Sets the face's colour wherever the control has its default; the host's
// own colours stay. Puts back every colour the skin set and the host has
// not changed since.
void SetUpColourMessages(SkinnedWindow *rec, const ColourMessages &table);
void TearDownColourMessages(SkinnedWindow *rec, const ColourMessages &table);
// At a paint after a face switch, the colours given go back and the new
// face's go in: the control keeps what it was told until it is told again.
void FollowFaceColours(SkinnedWindow *rec, const ColourMessages &table);
const SkinClass *ComboRowOfStyle(const SkinClass *row, LONG style);
// Draws into dc, clipped to kept, what the control paints there itself.
void LetControlPaint(SkinnedWindow *rec, HDC dc, HRGN kept);
// Moves the greys of a field the control wrote in the system's window
// colours (its paper pure white) onto the face's list colours; a field of
// any other paper stays.
void RecolourField(HDC dc, const RECT &field, const Face &face);
// Where an extended combo box writes an item's text past its images, from
// the item's left; 0 for a box without images.
int ExtendedTextStart(HWND extended);
LRESULT AnswerEditParent(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT hostResult);

LRESULT HandleEditMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleComboBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleProgressMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

// The painters, called by the handlers after each change and by the tests.
void PaintEditFrame(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintComboFrame(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintProgress(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintTabs(SkinnedWindow *rec, HDC dc, const RECT &window);
// Over a list view's or tree view's own paint, in the DC it painted into
// (client coordinates): selections, grid lines and tree buttons in the face.
void PaintListViewOver(SkinnedWindow *rec, HDC dc);
void PaintTreeViewOver(SkinnedWindow *rec, HDC dc);

// Shows the drop button pressed for a moment when the cursor is over it;
// returns 1 when it did, 0 otherwise.
int PressDropButton(SkinnedWindow *rec);

// WM_ENABLE for the framed kinds: keeps SKS_DISABLED in step with the window,
// lets the control take the change, then repaints the frame.
LRESULT FollowEnabledState(SkinnedWindow *rec, bool enabled, WPARAM wParam, LPARAM lParam);

// WM_CREATE of a window attached at its creation, whose set-up waited for
// the control to make itself: the control first, then the set-up.
LRESULT CreateThenSetUp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam);

#endif

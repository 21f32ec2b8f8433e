// Buttons: push buttons, check boxes, radio buttons, group boxes and labels.
#ifndef VELK_BUTTONS_BUTTONS_H
#define VELK_BUTTONS_BUTTONS_H

#include "../kinds.h"

// A button's type: BS_TYPEMASK and the bit above it, which no standard type
// uses, so that a button with that bit set is of no known type.
const LONG ButtonTypeBits = 0x1F;

LRESULT HandleButtonMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

// The WM_SETICON branch: keeps a monochrome copy for the disabled look and
// passes the colour icon on to the control.
LRESULT SetButtonIcon(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam);

// The painters, one per button kind; each draws the whole control, a label
// its client area.
void PaintPushButton(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintCheckBox(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintRadioButton(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintGroupBox(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintLabel(SkinnedWindow *rec, HDC dc, const RECT &window);

// Where a push button's icon (its top left) and caption go in area, for an
// icon of half size half; no room is kept for an icon when half < 0.
struct ButtonContentPlaces {
    POINT icon;
    RECT text;
};
ButtonContentPlaces PlaceButtonContent(LONG style, const RECT &area, int half, int dpi);

// Whether the icon and the caption both fit the push button as laid out.
bool ButtonIconFits(HWND hwnd, HICON icon);

// A push button's icon and caption, drawn into dc over area.
void PaintButtonContent(SkinnedWindow *rec, HDC dc, RECT area);

// DrawText flags for a button's alignment styles.
UINT ButtonTextFormat(LONG style);

#endif

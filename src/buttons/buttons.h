// Buttons: push buttons, check boxes, radio buttons, group boxes and labels.
#ifndef VELK_BUTTONS_BUTTONS_H
#define VELK_BUTTONS_BUTTONS_H

#include "../core/skin.h"

LRESULT HandleButtonMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

// The WM_SETICON branch: keeps a monochrome copy for the disabled look and
// passes the colour icon on to the control.
LRESULT SetButtonIcon(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam);

// The painters, one per button kind; each draws the whole control.
void PaintPushButton(SkinnedWindow *rec);
void PaintCheckBox(SkinnedWindow *rec);
void PaintRadioButton(SkinnedWindow *rec);
void PaintGroupBox(SkinnedWindow *rec);
void PaintLabel(SkinnedWindow *rec);

// A push button's icon and caption, drawn into dc over area.
void PaintButtonContent(SkinnedWindow *rec, HDC dc, RECT area);

// DrawTextA flags for a button's alignment styles.
UINT ButtonTextFormat(LONG style);

#endif

// Buttons: push buttons, check boxes, radio buttons, group boxes and labels.
#ifndef VELK_BUTTONS_BUTTONS_H
#define VELK_BUTTONS_BUTTONS_H

#include "../core/skin.h"

LRESULT HandleButtonMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

#endif

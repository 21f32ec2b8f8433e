// Simple control frames: edits, list boxes, combo boxes, progress bars, tabs.
#ifndef VELK_CONTROLS_CONTROLS_H
#define VELK_CONTROLS_CONTROLS_H

#include "../core/skin.h"

LRESULT HandleEditMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleListBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleComboBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleProgressMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleTabMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

#endif

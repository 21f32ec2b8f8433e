// Simple control frames: edits, list boxes, combo boxes, progress bars, tabs.
#ifndef VELK_CONTROLS_CONTROLS_H
#define VELK_CONTROLS_CONTROLS_H

#include "../core/skin.h"

// The rows of the class table.
extern const SkinClass EditClass;
extern const SkinClass ListBoxClass;
extern const SkinClass HotKeyClass;
extern const SkinClass IpAddressClass;
extern const SkinClass ListViewClass;
extern const SkinClass ComboBoxClass;
extern const SkinClass DateTimePickerClass;
extern const SkinClass MonthCalendarClass;
extern const SkinClass ProgressClass;
extern const SkinClass TabClass;

LRESULT HandleEditMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleListBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleComboBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleProgressMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleTabMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

// The painters, called by the handlers after each change and by the tests.
void PaintEditFrame(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintComboFrame(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintProgress(SkinnedWindow *rec, HDC dc, const RECT &window);
void PaintTabs(SkinnedWindow *rec, HDC dc, const RECT &window);

// Shows the drop button pressed for a moment when the cursor is over it;
// returns 1 when it did, 0 otherwise.
int PressDropButton(SkinnedWindow *rec);

// WM_ENABLE for the framed kinds: keeps SKS_DISABLED in step with the window,
// lets the control take the change, then repaints the frame.
LRESULT FollowEnabledState(SkinnedWindow *rec, bool enabled, WPARAM wParam, LPARAM lParam);

#endif

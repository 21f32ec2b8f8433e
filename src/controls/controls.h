// Simple control frames: edits, list boxes, combo boxes, progress bars, tabs.
#ifndef VELK_CONTROLS_CONTROLS_H
#define VELK_CONTROLS_CONTROLS_H

#include "../core/skin.h"

LRESULT HandleEditMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleListBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleComboBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleProgressMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleTabMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

// The painters, called by the handlers after each change and by the tests.
void PaintEditFrame(SkinnedWindow *rec);
void PaintComboFrame(SkinnedWindow *rec);
void PaintProgress(SkinnedWindow *rec);
void PaintTabs(SkinnedWindow *rec);

// Shows the drop button pressed for a moment when the cursor is over it;
// returns 1 when it did, 0 otherwise.
int PressDropButton(SkinnedWindow *rec);

// Who handles a message before the skin paints over it: the control's own
// procedure, or the default one, which keeps the control from painting.
enum HandledBy {
    HANDLED_BY_CONTROL,
    HANDLED_BY_DEFAULT,
};

// Has the message handled, then paints with paint if the window is still
// skinned; returns the handler's result.
LRESULT PaintAfter(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam, HandledBy handler,
                   void (*paint)(SkinnedWindow *));

// WM_ENABLE for the framed kinds: keeps SKS_DISABLED in step with the window,
// lets the control take the change, then repaints the frame.
LRESULT FollowEnabledState(SkinnedWindow *rec, bool enabled, WPARAM wParam, LPARAM lParam,
                           void (*paintFrame)(SkinnedWindow *));

#endif

// Combo boxes, date-time pickers and month calendars.
#include "controls.h"

LRESULT HandleComboBoxMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ForwardMessage(rec, msg, wParam, lParam);
}

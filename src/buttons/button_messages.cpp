// Message handling of the button kinds.
#include "buttons.h"

LRESULT HandleButtonMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ForwardMessage(rec, msg, wParam, lParam);
}

// Scroll-bar controls: input and tracking.
#include "scroll.h"

LRESULT HandleScrollBarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ForwardMessage(rec, msg, wParam, lParam);
}

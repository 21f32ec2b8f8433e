// Progress bars.
#include "controls.h"

LRESULT HandleProgressMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ForwardMessage(rec, msg, wParam, lParam);
}

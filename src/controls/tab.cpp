// Tab controls.
#include "controls.h"

LRESULT HandleTabMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ForwardMessage(rec, msg, wParam, lParam);
}

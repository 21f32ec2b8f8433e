// Up-down controls.
#include "scroll.h"

LRESULT HandleUpDownMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ForwardMessage(rec, msg, wParam, lParam);
}

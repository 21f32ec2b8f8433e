// Message handling of skinned dialogs.
#include "dialog.h"

LRESULT HandleDialogMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ForwardMessage(rec, msg, wParam, lParam);
}

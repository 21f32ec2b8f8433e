// The client background of skinned dialogs: the face's back.bmp tile, else
// the face's background colour.
#include "dialog.h"

void PaintDialogBackground(SkinnedWindow *rec, HDC dc)
{
    RECT client;
    GetClientRect(rec->hwnd, &client);
    const Face &face = *CurrentFace();
    // The pattern starts at the dialog's client origin, wherever the DC's
    // own origins put it: a child moves them so that the tiles under it
    // line up with the dialog's.
    POINT origin = {0, 0};
    LPtoDP(dc, &origin, 1);
    POINT previousOrigin;
    SetBrushOrgEx(dc, origin.x, origin.y, &previousOrigin);
    // Without a tile the dialog looks like a plain one rather than showing
    // whatever the screen held, unless the face names a colour of its own.
    const COLORREF plain = face.dialogBackground;
    HBRUSH plainBrush = plain != CLR_INVALID ? CreateSolidBrush(plain) : GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &client, face.pictures.backgroundTile != nullptr ? face.pictures.backgroundTile : plainBrush);
    if (plain != CLR_INVALID)
        DeleteObject(plainBrush);
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
}

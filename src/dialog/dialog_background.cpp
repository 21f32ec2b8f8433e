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
    // Without a tile the dialog takes the face's colour rather than showing
    // whatever the screen held.
    HBRUSH tile = face.pictures.backgroundTile;
    HBRUSH plainBrush = tile == nullptr ? CreateSolidBrush(face.dialogBackground) : nullptr;
    FillRect(dc, &client, tile != nullptr ? tile : plainBrush);
    if (plainBrush != nullptr)
        DeleteObject(plainBrush);
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
}

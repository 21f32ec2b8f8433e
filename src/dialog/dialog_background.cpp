// The client background of skinned dialogs: the face's back.bmp tile, else
// the face's background colour. A main window has it too where its class
// asks for a system colour; a brush of the host's own stays.
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

// A class brush given as a system colour index (COLOR_WINDOW + 1 and the
// like) or as the white or light grey stock brush, which programs use for
// the same: the face stands in for those.
static bool AsksForSystemColour(HBRUSH brush)
{
    const auto value = reinterpret_cast<ULONG_PTR>(brush);
    return (value >= 1 && value <= COLOR_MENUBAR + 1) || brush == GetStockObject(WHITE_BRUSH) ||
           brush == GetStockObject(LTGRAY_BRUSH);
}

void PaintMainWindowBackground(SkinnedWindow *rec, HDC dc)
{
    const auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(rec->hwnd, GCLP_HBRBACKGROUND));
    if (brush == nullptr)
        return;
    if (AsksForSystemColour(brush)) {
        PaintDialogBackground(rec, dc);
        return;
    }
    RECT client;
    GetClientRect(rec->hwnd, &client);
    FillRect(dc, &client, brush);
}

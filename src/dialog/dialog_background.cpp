// The client background of skinned dialogs, tiled from the face file
// "back.bmp".
#include "dialog.h"

// One tile for every dialog of the process, kept as a pattern brush. The file
// is looked for once, at the first paint, in the face folders of that moment
// (FindFaceFile), and the brush stays until the process ends. Any number of
// threads can paint with one brush at once, where a bitmap can be selected
// into one DC only; the brush also tiles from the DC's brush origin by itself.
static INIT_ONCE backgroundLoad = INIT_ONCE_STATIC_INIT;
static HBRUSH backgroundBrush = nullptr;

static const wchar_t BackgroundFile[] = L"back.bmp";

static BOOL CALLBACK LoadBackground(PINIT_ONCE, PVOID, PVOID *)
{
    wchar_t path[MAX_PATH];
    if (!FindFaceFile(BackgroundFile, path, MAX_PATH))
        return TRUE;
    HBITMAP tile = static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (tile == nullptr)
        return TRUE;
    BITMAP info = {};
    if (GetObjectW(tile, sizeof info, &info) == sizeof info && info.bmWidth > 0 && info.bmHeight > 0)
        backgroundBrush = CreatePatternBrush(tile);
    // The brush holds a copy of the pattern.
    DeleteObject(tile);
    return TRUE;
}

void PaintDialogBackground(SkinnedWindow *rec, HDC dc)
{
    RECT client;
    GetClientRect(rec->hwnd, &client);
    InitOnceExecuteOnce(&backgroundLoad, LoadBackground, nullptr, nullptr);
    // The pattern starts at the dialog's client origin, wherever the DC's
    // own origins put it: a child moves them so that the tiles under it
    // line up with the dialog's.
    POINT origin = {0, 0};
    LPtoDP(dc, &origin, 1);
    POINT previousOrigin;
    SetBrushOrgEx(dc, origin.x, origin.y, &previousOrigin);
    // Without a tile the dialog looks like a plain one rather than showing
    // whatever the screen held, unless the face names a colour of its own.
    const COLORREF plain = CurrentFace()->dialogBackground;
    HBRUSH plainBrush = plain != CLR_INVALID ? CreateSolidBrush(plain) : GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &client, backgroundBrush != nullptr ? backgroundBrush : plainBrush);
    if (plain != CLR_INVALID)
        DeleteObject(plainBrush);
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
}

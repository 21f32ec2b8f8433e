// The client background of skinned dialogs, tiled from ".\face\back.bmp".
#include "dialog.h"

// One tile for every dialog of the process. The file is looked for once, at
// the first paint, relative to the current directory of that moment; the
// bitmap stays selected into its memory DC until the process ends, so that
// each paint is only a grid of copies.
static bool BackgroundLoaded = false;
static HBITMAP BackgroundBitmap = nullptr;
static HDC BackgroundDC = nullptr;
static int BackgroundWidth = 0;
static int BackgroundHeight = 0;

static const char BackgroundFile[] = ".\\face\\back.bmp";

static void LoadBackground(HDC paintDC)
{
    BackgroundLoaded = true;
    BackgroundBitmap = static_cast<HBITMAP>(LoadImageA(nullptr, BackgroundFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (BackgroundBitmap == nullptr)
        return;
    BITMAP info = {};
    GetObjectA(BackgroundBitmap, sizeof info, &info);
    BackgroundWidth = info.bmWidth;
    BackgroundHeight = info.bmHeight;
    BackgroundDC = CreateCompatibleDC(paintDC);
    if (BackgroundDC != nullptr)
        SelectObject(BackgroundDC, BackgroundBitmap);
}

static bool HasBackground()
{
    return BackgroundDC != nullptr && BackgroundWidth > 0 && BackgroundHeight > 0;
}

static void TileBackground(HDC dc, int width, int height)
{
    // One more row and column than fit whole: the last ones are clipped.
    const int rows = height / BackgroundHeight + 1;
    const int columns = width / BackgroundWidth + 1;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            BitBlt(dc, column * BackgroundWidth, row * BackgroundHeight, BackgroundWidth, BackgroundHeight,
                   BackgroundDC, 0, 0, SRCCOPY);
    }
}

int PaintDialogBackground(SkinnedWindow *rec)
{
    const HWND hwnd = rec->hwnd;
    RECT client;
    GetClientRect(hwnd, &client);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (!BackgroundLoaded)
        LoadBackground(dc);
    // Without a tile the dialog looks like a plain one rather than showing
    // whatever the screen held.
    if (HasBackground())
        TileBackground(dc, client.right - client.left, client.bottom - client.top);
    else
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(hwnd, &paint);
    return 1;
}

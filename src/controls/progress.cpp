// Progress bars: a frame and the face's picture, progress.bmp, stretched over
// the filled part, or without a picture the face's fill colour. The control
// never paints itself.
#include "controls.h"

#include <commctrl.h>

// The frame's width in design pixels. The picture, the face's progress.bmp,
// is designed at 96 dpi too: the bar takes its height at the window's DPI.
static const int ProgressFrameWidth = 1;

// The picture's height in design pixels, or 0 without a picture.
static int ProgressPictureHeight(const FacePictures &pictures)
{
    return pictures.progressPixels != nullptr ? pictures.progressHeight : 0;
}

// Width of the filled part, from inside the frame: the position's share of the range,
// from its lower limit, of the inner width. A position outside the range
// counts as the nearest limit; an empty or inverted range shows no fill. The
// arithmetic is 64-bit, so the full 32-bit range cannot overflow it.
static int ProgressFillWidth(int position, const PBRANGE &range, int innerWidth)
{
    if (range.iHigh <= range.iLow || innerWidth <= 0)
        return 0;
    const long long low = range.iLow;
    const long long high = range.iHigh;
    long long clamped = position;
    if (clamped < low)
        clamped = low;
    if (clamped > high)
        clamped = high;
    return static_cast<int>((clamped - low) * innerWidth / (high - low));
}

// Stretches the face's picture over the fill, inside the frame's lines.
static void DrawProgressFill(HDC dc, const FacePictures &pictures, int fill, int frameHeight, int border)
{
    BITMAPINFO format;
    DescribeTopDownPixels(&format, pictures.progressWidth, pictures.progressHeight);
    // The default mode ANDs the columns a squeeze drops, which darkens a
    // colour picture; whole columns are kept instead.
    const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, border, border, fill, frameHeight - 2 * border, 0, 0, pictures.progressWidth,
                  pictures.progressHeight, pictures.progressPixels, &format, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, previousMode);
}

void PaintProgress(SkinnedWindow *rec, HDC dc, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const Face &face = *CurrentFace();
    const int position = static_cast<int>(SendMessageW(hwnd, PBM_GETPOS, 0, 0));
    PBRANGE range = {};
    SendMessageW(hwnd, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    const POINT origin = MoveOriginToWindow(dc, window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int dpi = WindowDpi(hwnd);
    const int border = ScaleToDpi(ProgressFrameWidth, dpi);

    const int pictureHeight = ProgressPictureHeight(face.pictures);
    // As high as the picture; without one, the frame rings the whole bar.
    const int frameHeight = pictureHeight > 0 ? ScaleToDpi(pictureHeight, dpi) : height;
    // A bar no higher than the frame's two lines leaves nothing to show
    // inside it.
    const int fill = frameHeight > 2 * border ? ProgressFillWidth(position, range, width - 2 * border) : 0;

    // The control erases nothing, so an earlier, longer fill or a taller
    // frame would stay on screen: clear what this paint does not cover.
    HBRUSH background = CreateSolidBrush(face.progressBackground);
    const RECT beyondFill = {border + fill, border, width - border, frameHeight - border};
    FillRect(dc, &beyondFill, background);
    const RECT belowFrame = {0, frameHeight, width, height};
    FillRect(dc, &belowFrame, background);
    DeleteObject(background);

    const RECT frame = {0, 0, width, frameHeight};
    HBRUSH frameBrush = CreateSolidBrush(face.progressFrame);
    FrameRectWidth(dc, &frame, frameBrush, border);
    DeleteObject(frameBrush);

    if (fill > 0 && pictureHeight > 0) {
        DrawProgressFill(dc, face.pictures, fill, frameHeight, border);
    } else if (fill > 0) {
        HBRUSH fillBrush = CreateSolidBrush(face.progressFill);
        const RECT done = {border, border, border + fill, frameHeight - border};
        FillRect(dc, &done, fillBrush);
        DeleteObject(fillBrush);
    }
    PutBackOrigin(dc, origin);
}

// Only a bar attached by the creation hook sees its WM_CREATE here. It takes
// the picture's height at its DPI; without a picture it keeps the size it was
// made with.
static LRESULT ProgressCreate(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    const int faceHeight = ProgressPictureHeight(CurrentFace()->pictures);
    if (faceHeight > 0) {
        RECT window;
        GetWindowRect(hwnd, &window);
        MapWindowPoints(HWND_DESKTOP, GetAncestor(hwnd, GA_PARENT), reinterpret_cast<POINT *>(&window), 2);
        MoveWindow(hwnd, window.left, window.top, window.right - window.left, ScaleToDpi(faceHeight, WindowDpi(hwnd)),
                   TRUE);
    }
    return ForwardMessage(rec, WM_CREATE, wParam, lParam);
}

LRESULT HandleProgressMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return ProgressCreate(rec, wParam, lParam);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

// The control never paints its bar. A repaint brings both paint messages;
// the default procedure draws a border, if the bar has one, and the bar is
// drawn over it.
const SkinClass ProgressClass = {L"msctls_progress32", nullptr, CK_PROGRESS, HandleProgressMessage, nullptr, 0,
                                 PaintProgress, nullptr, nullptr, PAINTS_INSTEAD, PAINT_COVERS_FRAME, nullptr,
                                 nullptr};

// Progress bars: a red frame and a picture from ".\face\progress.bmp"
// stretched over the filled part. The control never paints itself.
#include "controls.h"

#include <commctrl.h>

// Relative to the current directory, so a host can ship its own face.
static const wchar_t ProgressFacePath[] = L".\\face\\progress.bmp";
static const COLORREF ProgressFrameColour = 0x00190AFA;
// What the control itself shows behind its bar.
static const int ProgressBackgroundSysColour = COLOR_BTNFACE;

// Loaded anew each time, so that a replaced file shows at the next paint.
// Returns null, with a zero size, when the file is missing or unreadable.
static HBITMAP LoadProgressFace(SIZE *size)
{
    size->cx = 0;
    size->cy = 0;
    HBITMAP face = static_cast<HBITMAP>(
        LoadImageW(nullptr, ProgressFacePath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP info;
    if (face != nullptr && GetObjectW(face, sizeof info, &info) == sizeof info) {
        size->cx = info.bmWidth;
        size->cy = info.bmHeight;
    }
    return face;
}

// Width of the filled part, from x = 1. The product is taken in 64 bits so a
// 32-bit range cannot overflow it; a range of 0 or a non-positive width
// means no fill; the fill never reaches past the frame's right edge.
static int ProgressFillWidth(int position, int upperLimit, int windowWidth)
{
    if (upperLimit == 0)
        return 0;
    const long long fill = static_cast<long long>(position) * windowWidth / upperLimit - 1;
    if (fill <= 0)
        return 0;
    const int inside = windowWidth - 2;
    return fill > inside ? inside : static_cast<int>(fill);
}

void PaintProgress(SkinnedWindow *rec)
{
    // Only the handle is used: the messages below may run host code.
    const HWND hwnd = rec->hwnd;
    const int position = static_cast<int>(SendMessageW(hwnd, PBM_GETPOS, 0, 0));
    const int upperLimit = static_cast<int>(SendMessageW(hwnd, PBM_GETRANGE, FALSE, 0));
    HDC dc = GetWindowDC(hwnd);
    if (dc == nullptr)
        return;
    SIZE faceSize;
    HBITMAP face = LoadProgressFace(&faceSize);
    RECT window;
    GetWindowRect(hwnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;

    // As high as the picture; without one, the frame rings the whole bar.
    const int frameHeight = face != nullptr ? faceSize.cy : height;
    // A picture of two rows or fewer leaves nothing to show inside the frame.
    const int fill = faceSize.cy > 2 ? ProgressFillWidth(position, upperLimit, width) : 0;

    // The control erases nothing, so an earlier, longer fill or a taller
    // frame would stay on screen: clear what this paint does not cover.
    HBRUSH background = GetSysColorBrush(ProgressBackgroundSysColour);
    const RECT beyondFill = {1 + fill, 1, width - 1, frameHeight - 1};
    FillRect(dc, &beyondFill, background);
    const RECT belowFrame = {0, frameHeight, width, height};
    FillRect(dc, &belowFrame, background);

    const RECT frame = {0, 0, width, frameHeight};
    HBRUSH frameBrush = CreateSolidBrush(ProgressFrameColour);
    FrameRect(dc, &frame, frameBrush);
    DeleteObject(frameBrush);

    if (fill > 0) {
        HDC faceDC = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(faceDC, face);
        // The default mode ANDs the columns a squeeze drops, which darkens
        // a colour picture; whole columns are kept instead.
        const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 1, 1, fill, faceSize.cy - 2, faceDC, 0, 0, faceSize.cx, faceSize.cy, SRCCOPY);
        SetStretchBltMode(dc, previousMode);
        SelectObject(faceDC, previous);
        DeleteDC(faceDC);
    }
    if (face != nullptr)
        DeleteObject(face);
    ReleaseDC(hwnd, dc);
}

// Only a bar attached by the creation hook sees its WM_CREATE here. It takes
// the picture's height; without a picture it keeps the size it was made with.
// The control gets its WM_CREATE whatever happens to the record meanwhile.
static LRESULT ProgressCreate(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    const WNDPROC controlProc = rec->prevWndProc;
    SIZE faceSize;
    HBITMAP face = LoadProgressFace(&faceSize);
    if (face != nullptr)
        DeleteObject(face);
    if (faceSize.cy > 0) {
        RECT window;
        GetWindowRect(hwnd, &window);
        MapWindowPoints(HWND_DESKTOP, GetAncestor(hwnd, GA_PARENT), reinterpret_cast<POINT *>(&window), 2);
        MoveWindow(hwnd, window.left, window.top, window.right - window.left, faceSize.cy, TRUE);
    }
    return CallWindowProcW(controlProc, hwnd, WM_CREATE, wParam, lParam);
}

LRESULT HandleProgressMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return ProgressCreate(rec, wParam, lParam);
    case WM_PAINT:
    case WM_NCPAINT:
        // The default procedure validates the update region and lets the
        // control erase its background, but never draws the control's bar.
        return HandleThenPaint(rec, msg, wParam, lParam, HANDLED_BY_DEFAULT, PaintProgress);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

const SkinClass ProgressClass = {L"msctls_progress32", nullptr, CK_PROGRESS, HandleProgressMessage, nullptr, 0};

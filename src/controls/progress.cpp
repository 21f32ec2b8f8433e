// Progress bars: a red frame and a picture from the face file "progress.bmp"
// stretched over the filled part. The control never paints itself.
#include "controls.h"

#include <commctrl.h>

// In the face folders (FindFaceFile), so a host can ship its own face.
static const wchar_t ProgressFaceFile[] = L"progress.bmp";
static const COLORREF ProgressFrameColour = 0x00190AFA;
// The frame's width in design pixels. The picture is designed at 96 dpi too:
// the bar takes its height at the window's DPI.
static const int ProgressFrameWidth = 1;
// What the control itself shows behind its bar.
static const int ProgressBackgroundSysColour = COLOR_BTNFACE;

// Loaded anew each time, so that a replaced file shows at the next paint.
// Returns null, with a zero size, when the file is missing or unreadable.
static HBITMAP LoadProgressFace(SIZE *size)
{
    size->cx = 0;
    size->cy = 0;
    wchar_t path[MAX_PATH];
    if (!FindFaceFile(ProgressFaceFile, path, MAX_PATH))
        return nullptr;
    HBITMAP face = static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP info;
    if (face != nullptr && GetObjectW(face, sizeof info, &info) == sizeof info) {
        size->cx = info.bmWidth;
        size->cy = info.bmHeight;
    }
    return face;
}

// Width of the filled part, from inside the frame. The product is taken in
// 64 bits so a 32-bit range cannot overflow it; a range of 0 or a
// non-positive width means no fill; the fill never reaches past the frame's
// right edge.
static int ProgressFillWidth(int position, int upperLimit, int windowWidth, int frameWidth)
{
    if (upperLimit == 0)
        return 0;
    const long long fill = static_cast<long long>(position) * windowWidth / upperLimit - frameWidth;
    if (fill <= 0)
        return 0;
    const int inside = windowWidth - 2 * frameWidth;
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
    const int dpi = WindowDpi(hwnd);
    const int border = ScaleToDpi(ProgressFrameWidth, dpi);

    // As high as the picture; without one, the frame rings the whole bar.
    const int frameHeight = face != nullptr ? ScaleToDpi(faceSize.cy, dpi) : height;
    // A picture no higher than the frame's two lines leaves nothing to show
    // inside it.
    const int fill = frameHeight > 2 * border && face != nullptr
                         ? ProgressFillWidth(position, upperLimit, width, border)
                         : 0;

    // The control erases nothing, so an earlier, longer fill or a taller
    // frame would stay on screen: clear what this paint does not cover.
    HBRUSH background = GetSysColorBrush(ProgressBackgroundSysColour);
    const RECT beyondFill = {border + fill, border, width - border, frameHeight - border};
    FillRect(dc, &beyondFill, background);
    const RECT belowFrame = {0, frameHeight, width, height};
    FillRect(dc, &belowFrame, background);

    const RECT frame = {0, 0, width, frameHeight};
    HBRUSH frameBrush = CreateSolidBrush(ProgressFrameColour);
    FrameRectWidth(dc, &frame, frameBrush, border);
    DeleteObject(frameBrush);

    if (fill > 0) {
        HDC faceDC = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(faceDC, face);
        // The default mode ANDs the columns a squeeze drops, which darkens
        // a colour picture; whole columns are kept instead.
        const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, border, border, fill, frameHeight - 2 * border, faceDC, 0, 0, faceSize.cx, faceSize.cy,
                   SRCCOPY);
        SetStretchBltMode(dc, previousMode);
        SelectObject(faceDC, previous);
        DeleteDC(faceDC);
    }
    if (face != nullptr)
        DeleteObject(face);
    ReleaseDC(hwnd, dc);
}

// Only a bar attached by the creation hook sees its WM_CREATE here. It takes
// the picture's height at its DPI; without a picture it keeps the size it was
// made with.
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
        MoveWindow(hwnd, window.left, window.top, window.right - window.left,
                   ScaleToDpi(faceSize.cy, WindowDpi(hwnd)), TRUE);
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

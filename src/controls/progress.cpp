// Progress bars: a red frame and a picture from the face file "progress.bmp"
// stretched over the filled part. The control never paints itself.
#include "controls.h"

#include <commctrl.h>

// In the face folders (FindFaceFile), so a host can ship its own face.
static const wchar_t ProgressFaceFile[] = L"progress.bmp";
// The frame's width in design pixels. The picture is designed at 96 dpi too:
// the bar takes its height at the window's DPI.
static const int ProgressFrameWidth = 1;
// What the control itself shows behind its bar.
static const int ProgressBackgroundSysColour = COLOR_BTNFACE;

// The picture, decoded once into plain pixels and kept, so that a paint only
// stretches them; it is decoded again when the file's size or last-write
// time changes, so that a replaced file still shows at the next paint.
// Plain pixels, unlike a bitmap, can be drawn from by several threads'
// paints at once; the lock guards the check and the replacement.
struct ProgressFace {
    wchar_t path[MAX_PATH];  // the file found when last looked at; empty when none was
    ULONGLONG fileSize;
    FILETIME lastWrite;
    int width;
    int height;
    DWORD *pixels;         // width by height, 32 bits each, top row first; null without a picture
};

static ProgressFace progressFace;
static SRWLOCK progressFaceLock = SRWLOCK_INIT;

static void DecodeProgressFace(ProgressFace *face)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, face->path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP info;
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0 ||
        info.bmHeight <= 0) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        return;
    }
    const SIZE_T bytes = static_cast<SIZE_T>(info.bmWidth) * info.bmHeight * sizeof(DWORD);
    auto *pixels = static_cast<DWORD *>(HeapAlloc(GetProcessHeap(), 0, bytes));
    BITMAPINFO format;
    DescribeTopDownPixels(&format, info.bmWidth, info.bmHeight);
    HDC screen = GetDC(nullptr);
    const bool decoded =
        pixels != nullptr && GetDIBits(screen, bitmap, 0, info.bmHeight, pixels, &format, DIB_RGB_COLORS) != 0;
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    if (!decoded) {
        if (pixels != nullptr)
            HeapFree(GetProcessHeap(), 0, pixels);
        return;
    }
    face->width = info.bmWidth;
    face->height = info.bmHeight;
    face->pixels = pixels;
}

// Brings the kept picture in step with the file, wherever it is found now.
// Called with the lock held.
static void RefreshProgressFace()
{
    wchar_t path[MAX_PATH];
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    const bool present = FindFaceFile(ProgressFaceFile, path, MAX_PATH) &&
                         GetFileAttributesExW(path, GetFileExInfoStandard, &file) != FALSE;
    if (!present)
        path[0] = L'\0';
    const ULONGLONG fileSize = (static_cast<ULONGLONG>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
    ProgressFace &face = progressFace;
    if (lstrcmpW(path, face.path) == 0 &&
        (!present || (fileSize == face.fileSize && CompareFileTime(&file.ftLastWriteTime, &face.lastWrite) == 0)))
        return;
    if (face.pixels != nullptr)
        HeapFree(GetProcessHeap(), 0, face.pixels);
    face = {};
    lstrcpyW(face.path, path);
    if (!present)
        return;
    face.fileSize = fileSize;
    face.lastWrite = file.ftLastWriteTime;
    DecodeProgressFace(&face);
}

// The picture's height in design pixels, or 0 without a picture.
static int ProgressFaceHeight()
{
    AcquireSRWLockExclusive(&progressFaceLock);
    RefreshProgressFace();
    const int height = progressFace.pixels != nullptr ? progressFace.height : 0;
    ReleaseSRWLockExclusive(&progressFaceLock);
    return height;
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

// Stretches the kept picture over the fill, inside the frame's lines. Called
// with the lock held.
static void DrawProgressFill(HDC dc, int fill, int frameHeight, int border)
{
    const ProgressFace &face = progressFace;
    BITMAPINFO format;
    DescribeTopDownPixels(&format, face.width, face.height);
    // The default mode ANDs the columns a squeeze drops, which darkens a
    // colour picture; whole columns are kept instead.
    const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, border, border, fill, frameHeight - 2 * border, 0, 0, face.width, face.height, face.pixels,
                  &format, DIB_RGB_COLORS, SRCCOPY);
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

    AcquireSRWLockExclusive(&progressFaceLock);
    RefreshProgressFace();
    const bool hasFace = progressFace.pixels != nullptr;
    // As high as the picture; without one, the frame rings the whole bar.
    const int frameHeight = hasFace ? ScaleToDpi(progressFace.height, dpi) : height;
    // A picture no higher than the frame's two lines leaves nothing to show
    // inside it.
    const int fill =
        hasFace && frameHeight > 2 * border ? ProgressFillWidth(position, range, width - 2 * border) : 0;

    // The control erases nothing, so an earlier, longer fill or a taller
    // frame would stay on screen: clear what this paint does not cover.
    HBRUSH background = GetSysColorBrush(ProgressBackgroundSysColour);
    const RECT beyondFill = {border + fill, border, width - border, frameHeight - border};
    FillRect(dc, &beyondFill, background);
    const RECT belowFrame = {0, frameHeight, width, height};
    FillRect(dc, &belowFrame, background);

    const RECT frame = {0, 0, width, frameHeight};
    HBRUSH frameBrush = CreateSolidBrush(face.progressFrame);
    FrameRectWidth(dc, &frame, frameBrush, border);
    DeleteObject(frameBrush);

    if (fill > 0)
        DrawProgressFill(dc, fill, frameHeight, border);
    ReleaseSRWLockExclusive(&progressFaceLock);
    PutBackOrigin(dc, origin);
}

// Only a bar attached by the creation hook sees its WM_CREATE here. It takes
// the picture's height at its DPI; without a picture it keeps the size it was
// made with.
static LRESULT ProgressCreate(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    const int faceHeight = ProgressFaceHeight();
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
    // The control never paints its bar. A repaint brings both messages; the
    // default procedure draws a border, if the bar has one, and the bar is
    // drawn over it.
    case WM_PAINT:
        return PaintInsteadOfControl(rec, reinterpret_cast<HDC>(wParam));
    case WM_NCPAINT:
        if (!HasNonClientArea(rec->hwnd))
            return DefaultMessage(rec, msg, wParam, lParam);
        return HandleThenRepaint(rec, msg, wParam, lParam, HANDLED_BY_DEFAULT);
    case WM_PRINTCLIENT:
        return PrintClient(rec, reinterpret_cast<HDC>(wParam), lParam, PRINTED_BY_SKIN);
    case WM_PRINT:
        return PrintWindowParts(rec, reinterpret_cast<HDC>(wParam), lParam, PRINTED_BY_SKIN);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

const SkinClass ProgressClass = {L"msctls_progress32", nullptr, CK_PROGRESS, HandleProgressMessage, nullptr, 0,
                                 PaintProgress};

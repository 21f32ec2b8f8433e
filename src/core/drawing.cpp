// Drawing primitives shared by the painters.
#include "skin.h"

#include <cstdlib>

void DescribeTopDownPixels(BITMAPINFO *format, int width, int height)
{
    *format = {};
    format->bmiHeader.biSize = sizeof format->bmiHeader;
    format->bmiHeader.biWidth = width;
    format->bmiHeader.biHeight = -height;
    format->bmiHeader.biPlanes = 1;
    format->bmiHeader.biBitCount = 32;
    format->bmiHeader.biCompression = BI_RGB;
}

HDC BeginBackBuffer(BackBuffer *buffer, HDC target, const RECT &area, bool copyIn)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    buffer->target = target;
    buffer->area = area;
    buffer->bitmap = nullptr;
    buffer->memDC = CreateCompatibleDC(target);
    SetBkMode(buffer->memDC, TRANSPARENT);
    // An empty area gets no bitmap: for a zero size the system hands out its
    // shared 1 by 1 bitmap, which is not ours to select away or delete.
    // A 32-bit DIB section rather than a device bitmap: it is made in the
    // process, without a trip to the display server, and costs about half.
    if (width > 0 && height > 0) {
        BITMAPINFO format;
        DescribeTopDownPixels(&format, width, height);
        void *bits = nullptr;
        HBITMAP canvas = CreateDIBSection(target, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (canvas != nullptr)
            buffer->bitmap = static_cast<HBITMAP>(SelectObject(buffer->memDC, canvas));
    }
    // A mirrored DC is mirrored, and a copy between DCs of unlike layouts
    // flips the picture, text and all. Laid out like the target, the buffer
    // takes the same drawing to the same place, text reading the right way
    // round, and the copies keep the picture as it is. Set once the bitmap
    // is in, whose width the mirroring turns on.
    const DWORD layout = GetLayout(target);
    if (layout != 0 && layout != GDI_ERROR)
        SetLayout(buffer->memDC, layout);
    if (copyIn)
        BitBlt(buffer->memDC, 0, 0, width, height, target, area.left, area.top, SRCCOPY);
    return buffer->memDC;
}

void EndBackBuffer(BackBuffer *buffer)
{
    const RECT &area = buffer->area;
    if (buffer->bitmap != nullptr) {
        BitBlt(buffer->target, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer->memDC, 0,
               0, SRCCOPY);
        DeleteObject(SelectObject(buffer->memDC, buffer->bitmap));
    }
    DeleteDC(buffer->memDC);
    buffer->memDC = nullptr;
}

static void SetVertex(TRIVERTEX *vertex, LONG x, LONG y, COLORREF colour)
{
    vertex->x = x;
    vertex->y = y;
    vertex->Red = static_cast<COLOR16>((colour & 0xFF) << 8);
    vertex->Green = static_cast<COLOR16>(((colour >> 8) & 0xFF) << 8);
    vertex->Blue = static_cast<COLOR16>(((colour >> 16) & 0xFF) << 8);
    vertex->Alpha = static_cast<COLOR16>(((colour >> 24) & 0xFF) << 8);
}

void FillGradient4(HDC dc, const RECT *rect, const COLORREF *colours)
{
    TRIVERTEX vertices[4];
    SetVertex(&vertices[0], rect->left, rect->top, colours[0]);
    SetVertex(&vertices[1], rect->right, rect->top, colours[1]);
    SetVertex(&vertices[2], rect->left, rect->bottom, colours[2]);
    SetVertex(&vertices[3], rect->right, rect->bottom, colours[3]);

    if (colours[0] == colours[1] && colours[2] == colours[3]) {
        GRADIENT_RECT whole = {0, 3};
        GradientFill(dc, vertices, 4, &whole, 1, GRADIENT_FILL_RECT_V);
        return;
    }
    GRADIENT_TRIANGLE upperLeft = {0, 1, 2};
    GRADIENT_TRIANGLE lowerRight = {3, 1, 2};
    GradientFill(dc, vertices, 4, &upperLeft, 1, GRADIENT_FILL_TRIANGLE);
    GradientFill(dc, vertices, 4, &lowerRight, 1, GRADIENT_FILL_TRIANGLE);
}

void DrawCaptionText(HDC dc, HWND hwnd, const wchar_t *text, RECT *rect, COLORREF colour, UINT format,
                     CaptionFit fit, HFONT font)
{
    if (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    if (font == nullptr)
        font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    HGDIOBJ previousFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    const COLORREF previousColour = SetTextColor(dc, colour);
    if (fit == CAPTION_HUG_TEXT) {
        // Measured on one line without DT_VCENTER, whose result would count
        // the centring offset in as well as the text's height.
        RECT measured = *rect;
        DrawTextW(dc, text, -1, &measured, DT_CALCRECT | DT_SINGLELINE | (format & DT_RTLREADING));
        rect->right = measured.right;
        rect->bottom = rect->top + (measured.bottom - measured.top) + 1;
    }
    DrawTextW(dc, text, -1, rect, format);
    SetTextColor(dc, previousColour);
    if (previousFont != nullptr)
        SelectObject(dc, previousFont);
}

// Most captions fit the buffer on the stack; longer texts get one from the
// heap, so nothing is cut short.
static const int CaptionBufferLength = 256;

bool DrawWindowCaption(HDC dc, HWND hwnd, RECT *rect, COLORREF colour, UINT format, CaptionFit fit, HFONT font)
{
    wchar_t stackBuffer[CaptionBufferLength];
    wchar_t *text = stackBuffer;
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0)
        return false;
    if (length >= CaptionBufferLength) {
        text = static_cast<wchar_t *>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(wchar_t)));
        if (text == nullptr)
            return false;
    }
    const bool hasText = GetWindowTextW(hwnd, text, length + 1) > 0;
    if (hasText)
        DrawCaptionText(dc, hwnd, text, rect, colour, format, fit, font);
    if (text != stackBuffer)
        HeapFree(GetProcessHeap(), 0, text);
    return hasText;
}

void DrawParentBackground(HWND hwnd, HDC dc)
{
    HWND parent = GetParent(hwnd);
    if (parent == nullptr || (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0)
        return;
    // Where the window's client area lies in its parent's, as the screen
    // shows them. A mirrored DC is drawn into unmirrored meanwhile, so that
    // the offset means the same in every layout.
    RECT child;
    GetClientRect(hwnd, &child);
    MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT *>(&child), 2);
    RECT parentClient;
    GetClientRect(parent, &parentClient);
    MapWindowPoints(parent, HWND_DESKTOP, reinterpret_cast<POINT *>(&parentClient), 2);
    // The parent may leave the DC changed; the saved state brings back the
    // origin, brush and colours.
    const int saved = SaveDC(dc);
    const DWORD layout = GetLayout(dc);
    if (layout & LAYOUT_RTL)
        SetLayout(dc, 0);
    OffsetWindowOrgEx(dc, child.left - parentClient.left, child.top - parentClient.top, nullptr);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    SetLayout(dc, layout);
}

bool HasNonClientArea(HWND hwnd)
{
    RECT window;
    RECT client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    return client.right != window.right - window.left || client.bottom != window.bottom - window.top;
}

void DrawPolyline(HDC dc, const POINT *points, int count, int thickness)
{
    for (int i = 0; i + 1 < count; ++i) {
        const POINT &from = points[i];
        const POINT &to = points[i + 1];
        const bool flat = abs(to.x - from.x) >= abs(to.y - from.y);
        for (int k = 0; k < thickness; ++k) {
            const int dx = flat ? 0 : k;
            const int dy = flat ? k : 0;
            MoveToEx(dc, from.x + dx, from.y + dy, nullptr);
            LineTo(dc, to.x + dx, to.y + dy);
        }
    }
}

static const int DesignStrokePoints = 8;

void DrawDesignStroke(HDC dc, const POINT *points, int count, int x, int y, int dpi)
{
    POINT scaled[DesignStrokePoints];
    if (count > DesignStrokePoints)
        count = DesignStrokePoints;
    for (int i = 0; i < count; ++i)
        scaled[i] = {x + ScaleToDpi(points[i].x, dpi), y + ScaleToDpi(points[i].y, dpi)};
    DrawPolyline(dc, scaled, count, ScaleToDpi(1, dpi));
}

void FrameRectWidth(HDC dc, const RECT *rect, HBRUSH brush, int thickness)
{
    RECT ring = *rect;
    for (int i = 0; i < thickness; ++i) {
        FrameRect(dc, &ring, brush);
        InflateRect(&ring, -1, -1);
    }
}

HPEN CreateOutlinePen(COLORREF colour, int width)
{
    return CreatePen(width > 1 ? PS_INSIDEFRAME : PS_SOLID, width, colour);
}

// Three rows of dots in a triangle at the bottom right corner, a dot and a
// gap each GripDot wide. Design sizes, drawn at the window's DPI.
static const int GripDot = 2;
static const int GripRows = 3;
static const int GripInset = 2;

void DrawSizeGrip(HDC dc, const RECT &grip, int dpi)
{
    const int dot = ScaleToDpi(GripDot, dpi);
    const int inset = ScaleToDpi(GripInset, dpi);
    HBRUSH brush = CreateSolidBrush(CurrentFace()->statusGrip);
    // Counted from the corner: the bottom row is the longest.
    for (int row = 0; row < GripRows; ++row) {
        for (int column = 0; column < GripRows - row; ++column) {
            const int right = grip.right - inset - column * 2 * dot;
            const int bottom = grip.bottom - inset - row * 2 * dot;
            const RECT place = {right - dot, bottom - dot, right, bottom};
            FillRect(dc, &place, brush);
        }
    }
    DeleteObject(brush);
}

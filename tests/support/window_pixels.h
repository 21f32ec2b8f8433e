// Whole-window snapshots: what a window shows on screen, non-client area
// included, read back through its window DC.
#ifndef VELK_TESTS_WINDOW_PIXELS_H
#define VELK_TESTS_WINDOW_PIXELS_H

#include <windows.h>

#include <vector>

#include "support/dib_canvas.h"
#include "support/harness.h"

struct WindowPixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const WindowPixels &other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};

inline WindowPixels ReadCanvas(const Canvas &canvas, int width, int height)
{
    GdiFlush();
    WindowPixels shot;
    shot.width = width;
    shot.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            shot.pixels.push_back(canvas.At(x, y));
    }
    return shot;
}

inline WindowPixels CaptureWindow(HWND hwnd)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    Canvas canvas(width, height);
    HDC dc = GetWindowDC(hwnd);
    BitBlt(canvas.dc, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    return ReadCanvas(canvas, width, height);
}

// The client area's part of CaptureWindow.
inline WindowPixels CaptureClient(HWND hwnd)
{
    RECT window;
    RECT client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    const WindowPixels whole = CaptureWindow(hwnd);
    WindowPixels shot;
    shot.width = client.right;
    shot.height = client.bottom;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x)
            shot.pixels.push_back(whole.At(origin.x - window.left + x, origin.y - window.top + y));
    }
    return shot;
}

// What the window prints of itself through WM_PRINT or WM_PRINTCLIENT (the
// window's or the client's size) onto a memory DC first filled with marker.
inline WindowPixels CapturePrint(HWND hwnd, UINT msg, LPARAM flags, COLORREF marker)
{
    RECT rect;
    if (msg == WM_PRINTCLIENT) {
        GetClientRect(hwnd, &rect);
    } else {
        GetWindowRect(hwnd, &rect);
        OffsetRect(&rect, -rect.left, -rect.top);
    }
    Canvas canvas(rect.right, rect.bottom);
    HBRUSH fill = CreateSolidBrush(marker);
    FillRect(canvas.dc, &rect, fill);
    DeleteObject(fill);
    SendMessageW(hwnd, msg, reinterpret_cast<WPARAM>(canvas.dc), flags);
    return ReadCanvas(canvas, rect.right, rect.bottom);
}

// Whether the colour shows anywhere in the window, within the tolerance
// of each channel.
inline bool Shows(HWND hwnd, COLORREF colour, int tolerance = 0)
{
    const WindowPixels shot = CaptureWindow(hwnd);
    for (COLORREF pixel : shot.pixels) {
        if (ColoursNear(pixel, colour, tolerance))
            return true;
    }
    return false;
}

// How many pixels of the rectangle carry the colour.
inline int CountColour(const WindowPixels &shot, const RECT &area, COLORREF colour)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            count += shot.At(x, y) == colour;
    }
    return count;
}

#endif

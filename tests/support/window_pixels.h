// Whole-window snapshots for the frame tests: what a control shows on
// screen, non-client area included, compared before and after skinning.
#ifndef VELK_TESTS_CONTROLS_WINDOW_PIXELS_H
#define VELK_TESTS_CONTROLS_WINDOW_PIXELS_H

#include <windows.h>

#include <vector>

#include "support/dib_canvas.h"

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

inline WindowPixels CaptureWindow(HWND hwnd)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    WindowPixels shot;
    shot.width = rect.right - rect.left;
    shot.height = rect.bottom - rect.top;
    Canvas canvas(shot.width, shot.height);
    HDC dc = GetWindowDC(hwnd);
    BitBlt(canvas.dc, 0, 0, shot.width, shot.height, dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    GdiFlush();
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x)
            shot.pixels.push_back(canvas.At(x, y));
    }
    return shot;
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

// A 32-bit top-down DIB section selected into a memory DC, for painters
// called directly and read back pixel by pixel.
#ifndef VELK_TESTS_DIB_CANVAS_H
#define VELK_TESTS_DIB_CANVAS_H

#include <windows.h>

struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    DWORD *bits;
    int width;

    Canvas(int width, int height) : width(width)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void *memory = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<DWORD *>(memory);
        previous = SelectObject(dc, bitmap);
    }
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // As a COLORREF, 0x00BBGGRR.
    COLORREF At(int x, int y) const
    {
        const DWORD pixel = bits[y * width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
};

#endif

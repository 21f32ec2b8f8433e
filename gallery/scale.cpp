// The gallery's layout at the screen's DPI.
#include "gallery.h"

int Px(int size)
{
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int logPixels = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen != nullptr)
            ReleaseDC(nullptr, screen);
        return logPixels;
    }();
    return MulDiv(size, dpi, 96);
}

// The look's sizes at the display's DPI: one row per measured size, with its
// pixels at 96 and at 144 dpi. ctest runs this program in the Wine prefix at
// each DPI; VELK_WINE_DPI names the DPI the run expects (96 when unset).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "support/window_pixels.h"
#include "core/skin.h"
#include "scroll/scroll.h"
#include "support/harness.h"

namespace {

const COLORREF IndicatorFrame = RGB(0x18, 0x51, 0x84);
const COLORREF Black = RGB(0, 0, 0);
const COLORREF White = RGB(255, 255, 255);

// How many columns hold the colour.
int WidthOf(const WindowPixels &shot, COLORREF colour)
{
    int left = shot.width, right = 0;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            if (shot.At(x, y) == colour) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
            }
        }
    }
    return std::max(right - left, 0);
}

// A run of one colour from (x, y), one step (dx, dy) at a time.
int RunLength(const WindowPixels &shot, int x, int y, int dx, int dy, COLORREF colour)
{
    int length = 0;
    for (; x >= 0 && y >= 0 && x < shot.width && y < shot.height && shot.At(x, y) == colour; x += dx, y += dy)
        ++length;
    return length;
}

WindowPixels Skinned(HWND dialog, const char *className, DWORD style, int width, int height)
{
    HWND hwnd = CreateChild(dialog, className, style, 10, 10, width, height, 0, "Text");
    AttachWindow(hwnd);
    PumpMessages();
    return CaptureWindow(hwnd);
}

int ThumbLength(HWND dialog)
{
    HWND bar = CreateChild(dialog, "ScrollBar", SBS_VERT, 10, 10, GetSystemMetrics(SM_CXVSCROLL), 300);
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS, 0, 100, 0, 50, 0};
    SetScrollInfo(bar, SB_CTL, &info, FALSE);
    AttachWindow(bar);
    const RECT &thumb = static_cast<ScrollBarState *>(FindSkinnedWindow(bar)->extraState)->thumbRect;
    return thumb.bottom - thumb.top;
}

// The first column inside the region on the top row.
int RegionCorner(HWND dialog)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    int x = 0;
    while (GetWindowRgn(dialog, region) != ERROR && x < 100 && !PtInRegion(region, x, 0))
        ++x;
    DeleteObject(region);
    return x;
}

// The maximise plus: the longest white run across whose middle column runs
// down as far.
int CaptionGlyph(HWND dialog)
{
    const WindowPixels shot = CaptureWindow(dialog);
    int longest = 0;
    for (int y = 0; y < GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION); ++y) {
        for (int x = 0; x < shot.width; ++x) {
            const int across = RunLength(shot, x, y, 1, 0, White);
            if (across > longest && RunLength(shot, x + across / 2, y - across / 2, 0, 1, White) == across)
                longest = across;
            x += across;
        }
    }
    return longest;
}

struct GeometryRow {
    const char *size;
    std::function<int(HWND dialog)> measure;
    int at96;
    int at144;
};

TEST(DpiGeometry, EverySizeScalesWithTheWindowDpi)
{
    const GeometryRow rows[] = {
        {"check box edge", [](HWND d) { return WidthOf(Skinned(d, "Button", BS_CHECKBOX, 150, 30), IndicatorFrame); },
         13, 20},
        {"radio circle", [](HWND d) { return WidthOf(Skinned(d, "Button", BS_RADIOBUTTON, 150, 30), IndicatorFrame); },
         11, 18},
        {"thumb length", ThumbLength, 28, 41},
        {"region corner", RegionCorner, 5, 9},
        {"caption-button glyph", CaptionGlyph, 7, 11},
        {"group frame line", [](HWND d) {
             const WindowPixels group = Skinned(d, "Button", BS_GROUPBOX, 150, 90);
             return RunLength(group, 0, group.height / 2, 1, 0, Black);
         }, 1, 2},
    };
    const char *expected = std::getenv("VELK_WINE_DPI");
    const int dpi = expected != nullptr ? std::atoi(expected) : 96;
    ASSERT_TRUE(dpi == 96 || dpi == 144) << "no expected pixels at " << dpi << " dpi";
    for (const GeometryRow &row : rows) {
        HWND dialog = CreateTestDialog(TestDialogStyle | WS_MAXIMIZEBOX, 320, 360, "Geometry");
        ASSERT_NE(AttachWindow(dialog), nullptr);
        PumpMessages();
        ASSERT_EQ(WindowDpi(dialog), dpi) << "the display is not at the DPI this run expects";
        EXPECT_EQ(row.measure(dialog), dpi == 96 ? row.at96 : row.at144) << row.size << " at " << dpi << " dpi";
        DestroyWindow(dialog);
        PumpMessages();
    }
}

}  // namespace

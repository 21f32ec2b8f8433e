// A dialog for skinned button controls, with the clicks its parent got, and
// pixel searches over a control or a DIB canvas.
#ifndef VELK_TESTS_BUTTON_FIXTURE_H
#define VELK_TESTS_BUTTON_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "buttons/buttons.h"
#include "support/harness.h"
#include "support/records.h"
#include "support/window_pixels.h"

// The smallest rectangle holding every pixel that passes the test; empty
// (all zero) when none does.
inline RECT PixelBounds(int width, int height, const std::function<COLORREF(int, int)> &read,
                        const std::function<bool(COLORREF)> &test)
{
    RECT bounds = {width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!test(read(x, y)))
                continue;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    if (bounds.right == 0)
        bounds = {0, 0, 0, 0};
    return bounds;
}

inline int Brightness(COLORREF c)
{
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

class ButtonTest : public RecordCheckedTest {
protected:
    HWND dialog = nullptr;
    static inline std::vector<std::pair<int, HWND>> clicks;  // (control id, lParam) of each BN_CLICKED
    static inline std::function<void(HWND)> onClick;

    static INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            clicks.push_back({LOWORD(wParam), reinterpret_cast<HWND>(lParam)});
            if (onClick)
                onClick(reinterpret_cast<HWND>(lParam));
        }
        return FALSE;
    }

    void SetUp() override
    {
        RecordCheckedTest::SetUp();
        clicks.clear();
        onClick = nullptr;
        dialog = CreateTestDialog(TestDialogStyle, 400, 300, "buttons", DialogProc);
    }

    void TearDown() override
    {
        onClick = nullptr;
        DestroyWindow(dialog);
        RecordCheckedTest::TearDown();
    }

    // A skinned control of the dialog.
    HWND Skinned(const char *className, DWORD style, int width, int height, const char *text = "",
                 int id = 100)
    {
        HWND hwnd = CreateChild(dialog, className, style, 20, 20, width, height, id, text);
        EXPECT_NE(AttachWindow(hwnd), nullptr) << className << " style 0x" << std::hex << style;
        PumpMessages();
        return hwnd;
    }

    static SkinnedWindow *Rec(HWND hwnd) { return FindSkinnedWindow(hwnd); }

    // Bounds of the pixels of the control, as it stands on screen, that pass the test.
    static RECT ScreenBounds(HWND hwnd, const std::function<bool(COLORREF)> &test)
    {
        const WindowPixels shot = CaptureWindow(hwnd);
        return PixelBounds(shot.width, shot.height, [&shot](int x, int y) { return shot.At(x, y); }, test);
    }
};

#endif

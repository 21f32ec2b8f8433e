// Tab controls: every tab drawn again over the control's own paint, last to
// first, in the selected or unselected colours.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/skin.h"
#include "support/harness.h"
#include "support/import_patch.h"
#include "support/records.h"
#include "support/window_pixels.h"

namespace {

const COLORREF SelectedFill = 0x0000FF64;
const COLORREF SelectedText = 0x00FF0A00;
const COLORREF OtherFill = 0x000000FF;
const COLORREF OtherText = 0x0000FF00;

struct ShapeCall {
    RECT rect;
    COLORREF fill;
};
struct TextCall {
    std::string text;
    RECT rect;
    COLORREF colour;
    int bkMode;
    UINT format;
};
std::vector<ShapeCall> shapes;
std::vector<TextCall> texts;
decltype(&RoundRect) realRoundRect;
decltype(&DrawTextW) realDrawTextW;

BOOL WINAPI RecordingRoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height)
{
    LOGBRUSH brush = {};
    GetObjectA(GetCurrentObject(dc, OBJ_BRUSH), sizeof brush, &brush);
    shapes.push_back({{left, top, right, bottom}, brush.lbColor});
    EXPECT_EQ(width, 10);
    EXPECT_EQ(height, 10);
    return realRoundRect(dc, left, top, right, bottom, width, height);
}

int WINAPI RecordingDrawTextW(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT format)
{
    char shown[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, length, shown, sizeof shown - 1, nullptr, nullptr);
    texts.push_back({shown, *rect, GetTextColor(dc), GetBkMode(dc), format});
    return realDrawTextW(dc, text, length, rect, format);
}

RECT ItemRect(HWND tab, int index)
{
    RECT rect = {};
    SendMessageA(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void AddTab(HWND tab, int index, const char *text)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char *>(text);
    SendMessageA(tab, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
}

class TabTest : public InDialogTest {
protected:
    ScopedImportPatch shapePatch{LibraryModule(), "gdi32.dll", "RoundRect",
                                 reinterpret_cast<void *>(RecordingRoundRect)};
    ScopedImportPatch textPatch{LibraryModule(), "user32.dll", "DrawTextW",
                                reinterpret_cast<void *>(RecordingDrawTextW)};

    void SetUp() override
    {
        ASSERT_NE(shapePatch.original, nullptr) << "the library does not import RoundRect";
        ASSERT_NE(textPatch.original, nullptr) << "the library does not import DrawTextW";
        realRoundRect = reinterpret_cast<decltype(&RoundRect)>(shapePatch.original);
        realDrawTextW = reinterpret_cast<decltype(&DrawTextW)>(textPatch.original);
        shapes.clear();
        texts.clear();
        InDialogTest::SetUp();
    }

    HWND TabControl(std::initializer_list<const char *> names, int selected)
    {
        HWND tab = CreateChild(dialog, WC_TABCONTROLA, WS_CLIPSIBLINGS, 10, 20, 360, 120);
        int index = 0;
        for (const char *name : names)
            AddTab(tab, index++, name);
        SendMessageA(tab, TCM_SETCURSEL, selected, 0);
        PumpMessages();
        return tab;
    }

    // Skins the control and records one paint of it.
    void Skin(HWND tab)
    {
        ASSERT_NE(AttachWindow(tab), nullptr);
        PumpMessages();
        shapes.clear();
        texts.clear();
        RedrawWindow(tab, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
};

TEST_F(TabTest, ThreeTabsAreDrawnLastToFirstInTheirColours)
{
    HWND tab = TabControl({"First", "Second", "Third"}, 1);
    Skin(tab);
    ASSERT_EQ(shapes.size(), 3u) << "one paint draws each tab once";
    ASSERT_EQ(texts.size(), 3u);

    const char *const names[] = {"Third", "Second", "First"};
    for (int drawn = 0; drawn < 3; ++drawn) {
        const int index = 2 - drawn;
        const bool selected = index == 1;
        RECT grown = ItemRect(tab, index);
        grown.top -= 2;
        grown.bottom += 2;
        EXPECT_TRUE(EqualRect(&shapes[drawn].rect, &grown)) << "shape " << drawn << " is not tab " << index;
        EXPECT_EQ(shapes[drawn].fill, selected ? SelectedFill : OtherFill) << "tab " << index;
        EXPECT_EQ(texts[drawn].text, names[drawn]);
        EXPECT_EQ(texts[drawn].colour, selected ? SelectedText : OtherText) << "tab " << index;
        EXPECT_EQ(texts[drawn].bkMode, TRANSPARENT);
        EXPECT_EQ(texts[drawn].format, 0x2Du);
        EXPECT_EQ(texts[drawn].rect.top, grown.top + 4);
        EXPECT_EQ(texts[drawn].rect.bottom, grown.bottom);
    }

    // On screen: the fill inside each shape's straight left edge, and text in
    // the text colour within the tab.
    const WindowPixels shot = CaptureWindow(tab);
    for (int index = 0; index < 3; ++index) {
        const bool selected = index == 1;
        const RECT item = ItemRect(tab, index);
        const int middle = (item.top + item.bottom) / 2;
        EXPECT_EQ(shot.At(item.left + 2, middle), selected ? SelectedFill : OtherFill) << "tab " << index;
        EXPECT_GT(CountColour(shot, item, selected ? SelectedText : OtherText), 0) << "no text on tab " << index;
    }
}

TEST_F(TabTest, ShapesReachTwoPixelsAboveAndBelowTheReportedRectangle)
{
    HWND tab = TabControl({"Alpha", "Beta"}, 0);
    Skin(tab);
    const WindowPixels shot = CaptureWindow(tab);
    const COLORREF black = 0;
    for (int index = 0; index < 2; ++index) {
        const RECT item = ItemRect(tab, index);
        ASSERT_GE(item.top, 2) << "tab " << index << " too close to the top to show the growth";
        // Sample the straight part of the outline, off the corners.
        const int x = item.left + 6;
        EXPECT_EQ(shot.At(x, item.top - 2), black) << "top outline of tab " << index;
        EXPECT_EQ(shot.At(x, item.top - 1), index == 0 ? SelectedFill : OtherFill) << "tab " << index;
        EXPECT_EQ(shot.At(x, item.bottom), index == 0 ? SelectedFill : OtherFill) << "tab " << index;
        EXPECT_EQ(shot.At(x, item.bottom + 1), black) << "bottom outline of tab " << index;
    }
}

TEST_F(TabTest, LongTextIsCutToSixtyTwoCharacters)
{
    const std::string longText(80, 'W');
    HWND tab = TabControl({longText.c_str(), "x"}, 0);
    Skin(tab);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, std::string(62, 'W'));
    EXPECT_EQ(texts[0].text, "x");
}

TEST_F(TabTest, TabControlWithoutTabsIsLeftAsItPaintsItself)
{
    HWND tab = TabControl({}, -1);
    const WindowPixels before = CaptureWindow(tab);
    Skin(tab);
    EXPECT_TRUE(shapes.empty());
    EXPECT_TRUE(texts.empty());
    EXPECT_TRUE(CaptureWindow(tab) == before);
}

TEST_F(TabTest, NoSelectionDrawsEveryTabUnselected)
{
    HWND tab = TabControl({"One", "Two"}, -1);
    ASSERT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), -1);
    Skin(tab);
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[0].fill, OtherFill);
    EXPECT_EQ(shapes[1].fill, OtherFill);
}

TEST_F(TabTest, ClickedTabTakesTheSelectedColoursAtOnce)
{
    HWND tab = TabControl({"First", "Second", "Third"}, 0);
    Skin(tab);
    const RECT third = ItemRect(tab, 2);
    const int x = (third.left + third.right) / 2;
    const int y = (third.top + third.bottom) / 2;
    SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    ASSERT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 2);
    UpdateWindow(tab);

    const RECT first = ItemRect(tab, 0);
    const RECT now = ItemRect(tab, 2);
    EXPECT_EQ(ReadWindowPixel(tab, now.left + 2, (now.top + now.bottom) / 2), SelectedFill);
    EXPECT_EQ(ReadWindowPixel(tab, first.left + 2, (first.top + first.bottom) / 2), OtherFill);
}

}  // namespace

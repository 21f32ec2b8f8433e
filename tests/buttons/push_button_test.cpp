// The push button painter on screen, and its icon and caption layout on a
// DIB canvas.
#include <windows.h>

#include <gtest/gtest.h>

#include "button_fixture.h"
#include "support/dib_canvas.h"
#include "support/gdi_ledger.h"

namespace {

const COLORREF IconBlue = RGB(0, 0, 255);
const COLORREF IconRed = RGB(255, 0, 0);

// A square icon of one colour, its own handle for the caller to destroy.
HICON MakeSolidIcon(int size, COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ previous = SelectObject(dc, image);
    RECT whole = {0, 0, size, size};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &whole, brush);
    DeleteObject(brush);
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    std::vector<BYTE> opaque(static_cast<size_t>(size) * size / 8, 0);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, opaque.data());
    ICONINFO info = {TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(image);
    return icon;
}

using PushButtonTest = ButtonTest;

TEST_F(PushButtonTest, LayersShowTheState)
{
    struct FaceCase {
        const char *name;
        DWORD state;
        DWORD style;
        COLORREF outerTop;
        COLORREF innerTop;
        bool leftBand;  // the outer face shows left of the inner one
    };
    const Face &F = BuiltInFace;
    const COLORREF resting = F.pushInnerFaces[INNER_RESTING].top;
    const COLORREF flatFocused = F.pushInnerFaces[INNER_FLAT_FOCUSED].top;
    const COLORREF focused = F.pushOuterFaces[OUTER_FOCUSED].top;
    const FaceCase cases[] = {
        {"resting", 0, 0, F.pushOuterFaces[OUTER_RESTING].top, resting, false},
        {"hot", SKS_HOT, 0, F.pushOuterFaces[OUTER_HOT].top, resting, true},
        {"pressed", SKS_PRESSED | SKS_HOT, 0, F.pushOuterFaces[OUTER_PRESSED].top, F.pushInnerFaces[INNER_PRESSED].top,
         true},
        {"focused", SKS_FOCUSED, 0, focused, resting, true},
        {"default", SKS_DEFAULT, 0, focused, resting, true},
        {"default flat", SKS_DEFAULT, BS_FLAT, focused, flatFocused, true},
        {"hot default flat", SKS_DEFAULT | SKS_HOT, BS_FLAT, F.pushOuterFaces[OUTER_HOT].top, flatFocused, true},
        {"disabled", SKS_DISABLED | SKS_HOT, 0, F.pushOuterFaces[OUTER_DISABLED].top,
         F.pushInnerFaces[INNER_DISABLED].top, false},
        {"checked push-like", SKS_CHECKED, BS_AUTOCHECKBOX | BS_PUSHLIKE, F.pushOuterFaces[OUTER_RESTING].top, resting,
         false},
    };
    const int w = 110, h = 32;
    for (const FaceCase &c : cases) {
        HWND button = Skinned("Button", c.style, w, h, "Caption");
        Rec(button)->state = c.state;
        RepaintNow(Rec(button));
        const bool disabled = (c.state & SKS_DISABLED) != 0;
        EXPECT_EQ(ReadWindowPixel(button, w / 2, 2), c.outerTop) << c.name;
        EXPECT_EQ(ReadWindowPixel(button, w / 2, 4), c.innerTop) << c.name;
        if (!disabled)
            EXPECT_EQ(ReadWindowPixel(button, 2, 4) != c.innerTop, c.leftBand) << c.name;
        EXPECT_EQ(ReadWindowPixel(button, 0, h / 2), disabled ? 0x00FFFFFF : F.pushShadow) << c.name << ": shadow";
        EXPECT_EQ(ReadWindowPixel(button, w / 2, h - 1), disabled ? 0x00FFFFFF : F.pushLight) << c.name << ": light";
        EXPECT_EQ(ReadWindowPixel(button, w / 2, 0), disabled ? 0x00FFFFFF : F.pushBackdrop.top) << c.name << ": backdrop";
        EXPECT_EQ(ReadWindowPixel(button, w / 2, 1), disabled ? F.pushOutlineDisabled.outline : F.pushOutline.outline) << c.name << ": outline";
        EXPECT_EQ(ReadWindowPixel(button, w - 1, 0), 0x00FFFFFF) << c.name << ": top-right corner";
        DestroyWindow(button);
    }
}

TEST_F(PushButtonTest, CaptionIsGreyWhenDisabledOrIndeterminate)
{
    const struct {
        DWORD state;
        bool grey;
    } cases[] = {{0, false}, {SKS_DISABLED, true}, {SKS_INDETERMINATE, true}, {SKS_CHECKED, false}};
    const int greyBrightness = Brightness(BuiltInFace.buttonGreyText);
    HWND button = Skinned("Button", BS_AUTO3STATE | BS_PUSHLIKE, 110, 32, "MWMWMW");
    for (const auto &c : cases) {
        Rec(button)->state = c.state;
        RepaintNow(Rec(button));
        int darkest = 3 * 255;
        for (int y = 6; y < 26; ++y)
            for (int x = 8; x < 102; ++x)
                darkest = std::min(darkest, Brightness(ReadWindowPixel(button, x, y)));
        if (c.grey)
            EXPECT_NEAR(darkest, greyBrightness, 12) << "state 0x" << std::hex << c.state;
        else
            EXPECT_LT(darkest, 100) << "state 0x" << std::hex << c.state;
    }
}

class ButtonContentTest : public ButtonTest {
protected:
    static const int w = 120, h = 60;
    HICON blue = nullptr;

    void SetUp() override
    {
        ButtonTest::SetUp();
        blue = MakeSolidIcon(32, IconBlue);
    }
    void TearDown() override
    {
        ButtonTest::TearDown();
        DestroyIcon(blue);
    }

    struct Drawn {
        RECT icon;
        RECT text;
    };

    // Paints the content of a button over white and finds the icon's and
    // the caption's pixels.
    Drawn Draw(HWND button, DWORD state, COLORREF iconColour = IconBlue)
    {
        Canvas canvas(w, h);
        RECT whole = {0, 0, w, h};
        FillRect(canvas.dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        Rec(button)->state = state;
        PaintButtonContent(Rec(button), canvas.dc, whole);
        auto read = [&canvas](int x, int y) { return canvas.At(x, y); };
        Drawn drawn;
        drawn.icon = PixelBounds(w, h, read, [iconColour](COLORREF c) { return c == iconColour; });
        drawn.text = PixelBounds(w, h, read, [](COLORREF c) { return Brightness(c) < 300 && c != IconBlue; });
        return drawn;
    }
};

TEST_F(ButtonContentTest, IconStandsOppositeTheCaption)
{
    enum Hug { LEFT, CENTRE, RIGHT };
    struct LayoutCase {
        const char *name;
        DWORD style;
        int iconX, iconY;
        RECT text;  // where the caption must lie
        Hug hug;
    };
    // A 32-pixel icon, s = 16, on a 120 x 60 button.
    const LayoutCase cases[] = {
        {"no alignment", 0, 46, 4, {0, 36, w, h}, CENTRE},
        {"BS_RIGHT", BS_RIGHT, 4, 4, {34, 36, w, h}, RIGHT},
        {"BS_LEFT", BS_LEFT, 84, 4, {0, 36, 86, h}, LEFT},
        {"BS_CENTER", BS_CENTER, 4, 4, {34, 36, w, h}, LEFT},
        {"BS_TOP", BS_TOP, 46, 24, {0, 0, w, 28}, CENTRE},
        {"BS_BOTTOM", BS_BOTTOM, 46, 14, {0, 0, w, h}, CENTRE},
        {"BS_VCENTER", BS_VCENTER, 46, 24, {0, 0, w, 28}, CENTRE},
    };
    for (const LayoutCase &c : cases) {
        HWND button = Skinned("Button", c.style, w, h, "Go");
        SendMessageA(button, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(blue));
        const Drawn drawn = Draw(button, 0);
        EXPECT_EQ(drawn.icon.left, c.iconX) << c.name;
        EXPECT_EQ(drawn.icon.top, c.iconY) << c.name;
        EXPECT_EQ(drawn.icon.right - drawn.icon.left, 32) << c.name;
        ASSERT_LT(drawn.text.left, drawn.text.right) << c.name << ": no caption";
        EXPECT_GE(drawn.text.left, c.text.left) << c.name;
        EXPECT_LE(drawn.text.right, c.text.right) << c.name;
        EXPECT_GE(drawn.text.top, c.text.top) << c.name;
        EXPECT_LE(drawn.text.bottom, c.text.bottom) << c.name;
        if (c.hug == LEFT)
            EXPECT_LE(drawn.text.left - c.text.left, 3) << c.name;
        else if (c.hug == RIGHT)
            EXPECT_LE(c.text.right - drawn.text.right, 3) << c.name;
        else
            EXPECT_NEAR(drawn.text.left + drawn.text.right, c.text.left + c.text.right, 3) << c.name;
        DestroyWindow(button);
    }
}

TEST_F(ButtonContentTest, CaptionWithoutIconFollowsTheAlignmentStyles)
{
    enum Place { START, MIDDLE, END };  // left or top, centre, right or bottom
    struct AlignCase {
        const char *name;
        LONG style;
        Place across, down;
        bool twoLines;  // a caption with a line break shows it
    };
    const AlignCase cases[] = {
        {"no alignment", 0, MIDDLE, MIDDLE, false},
        {"BS_LEFT", BS_LEFT, START, MIDDLE, false},
        {"BS_RIGHT", BS_RIGHT, END, MIDDLE, false},
        {"BS_CENTER: the left bit is tested first", BS_CENTER, START, MIDDLE, false},
        {"BS_TOP", BS_TOP, MIDDLE, START, false},
        {"BS_BOTTOM", BS_BOTTOM, MIDDLE, END, false},
        {"BS_VCENTER: the top bit is tested first", BS_VCENTER, MIDDLE, START, false},
        {"BS_LEFT | BS_BOTTOM", BS_LEFT | BS_BOTTOM, START, END, false},
        {"BS_MULTILINE: vertical centring keeps one line", BS_MULTILINE, MIDDLE, MIDDLE, false},
        {"BS_MULTILINE | BS_TOP", BS_MULTILINE | BS_TOP, MIDDLE, START, true},
        // DrawText puts only a single line at the bottom.
        {"BS_MULTILINE | BS_BOTTOM", BS_MULTILINE | BS_BOTTOM, MIDDLE, START, true},
    };
    // Where the middle of the caption's pixels falls, by thirds of the button.
    auto place = [](LONG from, LONG to, int size) {
        const int middle = static_cast<int>(from + to) / 2;
        return middle < size / 3 ? START : middle >= size - size / 3 ? END : MIDDLE;
    };
    const char shortCaption[] = "Go";
    const char brokenCaption[] = "Two\nlines";
    HWND button = Skinned("Button", BS_TOP, w, h, brokenCaption);
    const RECT oneLine = Draw(button, 0).text;
    ASSERT_LT(oneLine.top, oneLine.bottom) << "no caption";
    DestroyWindow(button);
    for (const AlignCase &c : cases) {
        button = Skinned("Button", c.style, w, h, shortCaption);
        RECT text = Draw(button, 0).text;
        DestroyWindow(button);
        ASSERT_LT(text.left, text.right) << c.name << ": no caption";
        EXPECT_EQ(place(text.left, text.right, w), c.across) << c.name << ": across";
        EXPECT_EQ(place(text.top, text.bottom, h), c.down) << c.name << ": down";

        button = Skinned("Button", c.style, w, h, brokenCaption);
        text = Draw(button, 0).text;
        DestroyWindow(button);
        EXPECT_EQ(text.bottom - text.top > (oneLine.bottom - oneLine.top) * 3 / 2, c.twoLines) << c.name << ": lines";
    }
}

TEST_F(ButtonContentTest, CaptionTooLongIsCutToFitAndStaysCentred)
{
    HWND button = Skinned("Button", 0, w, h, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    Canvas canvas(w, h);
    const RECT whole = {0, 0, w, h};
    FillRect(canvas.dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PaintButtonContent(Rec(button), canvas.dc, whole);
    // Every pixel the caption touched, the ellipsis's pale dots included.
    const RECT text = PixelBounds(w, h, [&canvas](int x, int y) { return canvas.At(x, y); },
                                  [](COLORREF c) { return c != RGB(255, 255, 255); });
    DestroyWindow(button);
    ASSERT_LT(text.left, text.right) << "no caption";
    // Clipped rather than cut, it would run from edge to edge.
    EXPECT_GT(text.left, 0);
    EXPECT_LT(text.right, LONG{w});
    EXPECT_NEAR(text.left, w - text.right, 3) << "not centred";
}

TEST_F(ButtonContentTest, PressingMovesTheCaptionNotTheIcon)
{
    HWND button = Skinned("Button", BS_PUSHBUTTON, w, h, "Go");
    SendMessageA(button, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(blue));
    const Drawn resting = Draw(button, 0);
    const Drawn pressed = Draw(button, SKS_PRESSED);
    EXPECT_EQ(pressed.icon.left, resting.icon.left);
    EXPECT_EQ(pressed.icon.top, resting.icon.top);
    EXPECT_EQ(pressed.text.left, resting.text.left + 1);
    EXPECT_EQ(pressed.text.top, resting.text.top + 1);
}

TEST_F(ButtonContentTest, DisabledButtonsDrawTheLibrarysCopyAndSmallIconsKeepTheirSize)
{
    HWND button = Skinned("Button", BS_PUSHBUTTON, w, h, "");
    EXPECT_EQ(Draw(button, SKS_DISABLED).icon.right, 0) << "no icon ever set: none drawn";

    SendMessageA(button, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(blue));
    HICON copy = Rec(button)->buttonIcon;
    HICON red = MakeSolidIcon(32, IconRed);
    Rec(button)->buttonIcon = red;
    EXPECT_EQ(Draw(button, 0).icon.right - Draw(button, 0).icon.left, 32) << "enabled: the window's icon";
    EXPECT_EQ(Draw(button, SKS_DISABLED, IconBlue).icon.right, 0);
    EXPECT_EQ(Draw(button, SKS_DISABLED, IconRed).icon.left, 46) << "disabled: the copy";
    Rec(button)->buttonIcon = copy;
    DestroyIcon(red);

    HICON small = MakeSolidIcon(16, IconBlue);
    SendMessageA(button, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    const RECT icon = Draw(button, 0).icon;
    EXPECT_EQ(icon.right - icon.left, 16);
    EXPECT_EQ(icon.bottom - icon.top, 16);
    EXPECT_EQ(icon.left, w / 2 - 8 + 2);
    DestroyWindow(button);
    DestroyIcon(small);
}

TEST_F(PushButtonTest, EveryButtonPainterReleasesWhatItTakes)
{
    HICON icon = MakeSolidIcon(32, IconBlue);
    const struct {
        const char *className;
        DWORD style;
    } controls[] = {
        {"Button", BS_PUSHBUTTON},  {"Button", BS_AUTOCHECKBOX}, {"Button", BS_AUTORADIOBUTTON},
        {"Button", BS_GROUPBOX},    {"Static", SS_LEFT},
    };
    const DWORD states[] = {0, SKS_HOT | SKS_FOCUSED | SKS_CHECKED, SKS_PRESSED | SKS_INDETERMINATE,
                            SKS_DISABLED | SKS_DEFAULT | SKS_CHECKED};
    for (const auto &control : controls) {
        HWND hwnd = Skinned(control.className, control.style, 120, 40, "Paint me");
        SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        GdiLedger ledger;
        for (DWORD state : states) {
            Rec(hwnd)->state = state;
            const int before = ledger.ObtainedCount();
            InvalidateRect(hwnd, nullptr, FALSE);
            SendMessageA(hwnd, WM_PAINT, 0, 0);
            ASSERT_GT(ledger.ObtainedCount(), before)
                << control.className << " " << control.style << ": the paint never reached the painter";
        }
        EXPECT_TRUE(ledger.Balanced()) << control.className << " " << control.style << "\n" << ledger.Report();
        DestroyWindow(hwnd);
    }
    DestroyIcon(icon);
}

}  // namespace

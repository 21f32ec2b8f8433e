// Check box and radio button painting, read back from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include "button_fixture.h"

namespace {

const COLORREF NoColour = CLR_INVALID;
const Face &F = BuiltInFace;
const COLORREF Frame = F.indicatorFrame;

// The button-face colour 0x20 darker in each channel, stopping at 0.
COLORREF DisabledFrame()
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto darker = [](BYTE channel) { return static_cast<BYTE>(channel >= 0x20 ? channel - 0x20 : 0); };
    return RGB(darker(GetRValue(face)), darker(GetGValue(face)), darker(GetBValue(face)));
}

bool IsDark(COLORREF c)
{
    return Brightness(c) < 300;
}

using CheckRadioTest = ButtonTest;

TEST_F(CheckRadioTest, CheckBoxIndicatorShowsTheState)
{
    struct BoxCase {
        const char *name;
        DWORD state;
        COLORREF faceTopLeft;
        COLORREF fill;  // of the inner square, NoColour when the face shows
        COLORREF tick;  // NoColour when there is none
    };
    const BoxCase cases[] = {
        {"resting", 0, F.checkFaces[FACE_RESTING][0], NoColour, NoColour},
        {"checked", SKS_CHECKED, F.checkFaces[FACE_RESTING][0], NoColour, F.checkMark},
        {"hot", SKS_HOT, F.checkFaces[FACE_HOT][0], F.indicatorFills[FILL_HOT], NoColour},
        {"hot checked", SKS_HOT | SKS_CHECKED, F.checkFaces[FACE_HOT][0], F.indicatorFills[FILL_HOT_CHECKED], F.checkMark},
        {"pressed", SKS_HOT | SKS_PRESSED, F.checkFaces[FACE_PRESSED][0], NoColour, NoColour},
        {"indeterminate", SKS_INDETERMINATE, F.checkFaces[FACE_RESTING][0], F.indicatorFills[FILL_INDETERMINATE], NoColour},
        {"indeterminate hot", SKS_INDETERMINATE | SKS_HOT, F.checkFaces[FACE_HOT][0],
         F.indicatorFills[FILL_INDETERMINATE_HOT], NoColour},
        {"indeterminate pressed", SKS_INDETERMINATE | SKS_PRESSED, F.checkFaces[FACE_PRESSED][0],
         F.indicatorFills[FILL_INDETERMINATE_PRESSED], NoColour},
        {"indeterminate disabled", SKS_INDETERMINATE | SKS_DISABLED, 0x00FFFFFF,
         F.indicatorFills[FILL_INDETERMINATE_DISABLED], NoColour},
        {"disabled checked", SKS_DISABLED | SKS_CHECKED, 0x00FFFFFF, NoColour, F.checkMarkDisabled},
    };
    const int w = 120, h = 25, top = (h - 13) / 2;
    for (DWORD side : {DWORD{0}, DWORD{BS_LEFTTEXT}}) {
        HWND box = Skinned("Button", BS_AUTO3STATE | side, w, h, "Option");
        const int left = side ? w - 13 : 0;
        const int innerX = left + 3, innerY = top + 3;  // the 7 x 7 inner square
        for (const BoxCase &c : cases) {
            Rec(box)->state = c.state;
            RepaintNow(Rec(box));
            const char *sideName = side ? " (left text)" : "";
            const COLORREF frame = (c.state & SKS_DISABLED) ? DisabledFrame() : Frame;
            EXPECT_EQ(ReadWindowPixel(box, left, top), frame) << c.name << sideName;
            EXPECT_EQ(ReadWindowPixel(box, left + 12, top + 12), frame) << c.name << sideName;
            EXPECT_EQ(ReadWindowPixel(box, left + 1, top + 1), c.faceTopLeft) << c.name << sideName;
            if (c.fill != NoColour)
                EXPECT_EQ(ReadWindowPixel(box, innerX, innerY), c.fill) << c.name << sideName;
            // The tick's first column is drawn from row 2, its last from row 0.
            const COLORREF first = ReadWindowPixel(box, innerX, innerY + 2);
            if (c.tick != NoColour) {
                EXPECT_EQ(first, c.tick) << c.name << sideName;
                EXPECT_EQ(ReadWindowPixel(box, innerX + 6, innerY), c.tick) << c.name << sideName;
                EXPECT_NE(ReadWindowPixel(box, innerX, innerY), c.tick) << c.name << sideName;
            } else if (c.fill == NoColour) {
                EXPECT_NE(first, 0x0021A221) << c.name << sideName;
            }
        }
        DestroyWindow(box);
    }
}

TEST_F(CheckRadioTest, CheckBoxCaptionHugsItsTextAtTheTop)
{
    const int w = 140, h = 40;
    for (DWORD style : {DWORD{BS_CENTER | BS_BOTTOM}, DWORD{BS_LEFTTEXT}}) {
        HWND box = Skinned("Button", BS_AUTOCHECKBOX | style, w, h, "Wide");
        Rec(box)->state = SKS_FOCUSED;
        RepaintNow(Rec(box));
        const bool leftText = (style & BS_LEFTTEXT) != 0;
        // Text and focus dots lie beside the box, in the top band.
        const RECT dark = ScreenBounds(box, [](COLORREF c) { return IsDark(c) && c != Frame; });
        EXPECT_LE(dark.left, leftText ? 0 : 18) << "style 0x" << std::hex << style;
        EXPECT_GE(dark.left, leftText ? 0 : 18);
        EXPECT_LT(dark.right, w / 2) << "left-aligned whatever the alignment styles";
        EXPECT_LT(dark.bottom, (h - 13) / 2 + 6) << "caption at the top while the box is centred";
        DestroyWindow(box);
    }

    HWND empty = Skinned("Button", BS_AUTOCHECKBOX, w, h, "");
    Rec(empty)->state = SKS_FOCUSED;
    RepaintNow(Rec(empty));
    EXPECT_EQ(ScreenBounds(empty, [](COLORREF c) { return IsDark(c) && c != Frame; }).right, 0)
        << "no caption, no focus rectangle";
}

TEST_F(CheckRadioTest, RadioButtonShowsTheState)
{
    struct RadioCase {
        const char *name;
        DWORD state;
        COLORREF cellCorner;  // the face, or white where the cell is left bare
        COLORREF innerCorner;
        bool dot;
    };
    const RadioCase cases[] = {
        {"resting", 0, 0x00FFFFFF, 0x00FFFFFF, false},
        {"hot", SKS_HOT, F.checkFaces[FACE_HOT][0], F.indicatorFills[FILL_HOT], false},
        {"hot checked", SKS_HOT | SKS_CHECKED, F.checkFaces[FACE_HOT][0], F.radioDot[0], true},
        {"pressed", SKS_PRESSED, F.checkFaces[FACE_PRESSED][0], NoColour, false},
        {"checked", SKS_CHECKED, 0x00FFFFFF, NoColour, true},
        {"disabled checked", SKS_DISABLED | SKS_CHECKED, 0x00FFFFFF, NoColour, true},
    };
    const int w = 120, h = 25, cy = (h - 15) / 2;
    for (DWORD side : {DWORD{0}, DWORD{BS_LEFTTEXT}}) {
        HWND radio = Skinned("Button", BS_AUTORADIOBUTTON | side, w, h, "Choice");
        const int cx = side ? w - 15 : 0;
        for (const RadioCase &c : cases) {
            Rec(radio)->state = c.state;
            RepaintNow(Rec(radio));
            const char *sideName = side ? " (left text)" : "";
            const COLORREF frame = (c.state & SKS_DISABLED) ? DisabledFrame() : Frame;
            EXPECT_EQ(ReadWindowPixel(radio, cx + 7, cy + 2), frame) << c.name << sideName;
            EXPECT_EQ(ReadWindowPixel(radio, cx + 2, cy + 7), frame) << c.name << sideName;
            EXPECT_EQ(ReadWindowPixel(radio, cx, cy), c.cellCorner) << c.name << sideName;
            if (c.innerCorner != NoColour)
                EXPECT_EQ(ReadWindowPixel(radio, cx + 2, cy + 2), c.innerCorner) << c.name << sideName;
            const COLORREF centre = ReadWindowPixel(radio, cx + 7, cy + 7);
            const bool green = GetGValue(centre) > GetRValue(centre) + 60 && GetGValue(centre) > GetBValue(centre) + 60;
            EXPECT_EQ(green, c.dot) << c.name << sideName;
        }
        DestroyWindow(radio);
    }
}

TEST_F(CheckRadioTest, RadioCaptionFollowsTheAlignmentStylesAndTheFocusFramesIt)
{
    const int w = 160, h = 30;
    const struct {
        const char *name;
        DWORD style;
        int expectedCentre;  // of the caption, -1 for left-aligned from 15
    } cases[] = {
        {"no alignment: centred", 0, (15 + w) / 2},
        {"BS_LEFT", BS_LEFT, -1},
    };
    for (const auto &c : cases) {
        HWND radio = Skinned("Button", BS_AUTORADIOBUTTON | c.style, w, h, "Middle");
        RepaintNow(Rec(radio));
        const RECT text = ScreenBounds(radio, [](COLORREF c) { return Brightness(c) < 200; });
        if (c.expectedCentre < 0)
            EXPECT_LE(text.left, 15 + 5) << c.name;
        else
            EXPECT_NEAR((text.left + text.right) / 2, c.expectedCentre, 2) << c.name;

        Rec(radio)->state = SKS_FOCUSED;
        RepaintNow(Rec(radio));
        const RECT focus = ScreenBounds(radio, [](COLORREF c) { return Brightness(c) < 200 && c != Frame; });
        EXPECT_LE(focus.left, 16 + 1) << c.name << ": the focus frames the whole text rectangle";
        EXPECT_GE(focus.right, w - 2) << c.name;
        DestroyWindow(radio);
    }
}

TEST_F(CheckRadioTest, DisabledCaptionsUseTheGreyTextColour)
{
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    for (DWORD style : {DWORD{BS_AUTOCHECKBOX}, DWORD{BS_AUTORADIOBUTTON}}) {
        HWND hwnd = Skinned("Button", style | WS_DISABLED, 120, 25, "MWMW");
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        const RECT black = ScreenBounds(hwnd, [](COLORREF c) { return Brightness(c) < 100; });
        const RECT greyText = ScreenBounds(hwnd, [grey](COLORREF c) { return c == grey; });
        EXPECT_EQ(black.right, 0) << "style " << style;
        EXPECT_GT(greyText.right, 20) << "style " << style;
        DestroyWindow(hwnd);
    }
}

}  // namespace

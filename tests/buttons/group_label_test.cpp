// Group box and label painting: see-through, drawn over whatever lies behind.
#include <windows.h>

#include <gtest/gtest.h>

#include "button_fixture.h"

namespace {

const COLORREF Marker = RGB(255, 0, 255);
const COLORREF LabelText = 0x003CFA96;
const COLORREF Black = 0x00000000;

using GroupLabelTest = ButtonTest;

TEST_F(GroupLabelTest, GroupBoxFrameIsCutByItsCaptionAndLeavesTheInsideAlone)
{
    const int w = 150, h = 80;
    const struct {
        const char *name;
        const char *caption;
        bool gap;  // the top line is blanked behind the caption
    } cases[] = {{"with caption", "      ", true}, {"without caption", "", false}};
    for (const auto &c : cases) {
        HWND group = Skinned("Button", BS_GROUPBOX, w, h, c.caption);
        FillWindow(group, Marker);
        RepaintNow(Rec(group));
        EXPECT_EQ(ReadWindowPixel(group, 0, h / 2), Black) << c.name;
        EXPECT_EQ(ReadWindowPixel(group, w - 1, h / 2), Black) << c.name;
        EXPECT_EQ(ReadWindowPixel(group, w / 2, h - 1), Black) << c.name;
        EXPECT_EQ(ReadWindowPixel(group, w - 20, 6), Black) << c.name << ": top line";
        EXPECT_EQ(ReadWindowPixel(group, 10, 6), c.gap ? 0x00FFFFFF : Black) << c.name << ": caption gap";
        EXPECT_EQ(ReadWindowPixel(group, w / 2, h / 2), Marker) << c.name << ": inside";
        EXPECT_EQ(ReadWindowPixel(group, w / 2, 2), Marker) << c.name << ": above the frame";
        DestroyWindow(group);
    }
}

TEST_F(GroupLabelTest, GroupBoxCaptionGreysWhenDisabled)
{
    HWND group = Skinned("Button", BS_GROUPBOX, 150, 80, "MWMW");
    const COLORREF grey = 0x0094A2A5;
    for (DWORD state : {DWORD{0}, DWORD{SKS_DISABLED}, DWORD{SKS_INDETERMINATE}}) {
        Rec(group)->state = state;
        RepaintNow(Rec(group));
        const RECT black = ScreenBounds(group, [](COLORREF c) { return c == Black; });
        const RECT greyText = ScreenBounds(group, [grey](COLORREF c) { return c == grey; });
        EXPECT_EQ(greyText.right > 0, state != 0) << "state " << state;
        // The frame stays black either way and starts at row 6; black above
        // it is caption.
        EXPECT_EQ(black.top < 6, state == 0) << "state " << state;
        EXPECT_EQ(ReadWindowPixel(group, 0, 40), Black) << "state " << state;
    }
}

TEST_F(GroupLabelTest, LabelsDrawGreenWrappedLeftAlignedTextOnTheirParentsBackground)
{
    for (DWORD style : {DWORD{SS_LEFT}, DWORD{SS_CENTER}, DWORD{SS_LEFT | WS_DISABLED}}) {
        HWND label = Skinned("Static", style, 80, 60, "one two three four");
        FillWindow(label, Marker);
        InvalidateRect(label, nullptr, TRUE);
        UpdateWindow(label);
        const RECT text = ScreenBounds(label, [](COLORREF c) { return c == LabelText; });
        EXPECT_LE(text.left, 2) << "style 0x" << std::hex << style;
        EXPECT_GT(text.bottom - text.top, 20) << "wrapped onto more than one line";
        // The parent here is a plain dialog, which erases with the face colour.
        EXPECT_EQ(ReadWindowPixel(label, 79, 59), GetSysColor(COLOR_BTNFACE)) << "the parent's background";
        DestroyWindow(label);
    }
}

TEST_F(GroupLabelTest, ShorterTextLeavesNothingOfTheOldBehind)
{
    const struct {
        const char *name;
        DWORD style;
        const char *className;
        std::function<bool(COLORREF)> ink;
    } cases[] = {
        {"label", SS_LEFT, "Static", [](COLORREF c) { return c == LabelText; }},
        {"group box", BS_GROUPBOX, "Button", [](COLORREF c) { return c == Black; }},
    };
    for (const auto &c : cases) {
        HWND hwnd = Skinned(c.className, c.style, 200, 40, "WWWWWWWWWWWWWWWWWW");
        ASSERT_GT(ScreenBounds(hwnd, c.ink).right, 100) << c.name;
        SetWindowTextA(hwnd, "iW");
        // Only the caption's own rows: a group box's frame runs lower down.
        int rightmost = 0;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 200; ++x)
                if (c.ink(ReadWindowPixel(hwnd, x, y)))
                    rightmost = std::max(rightmost, x);
        EXPECT_GT(rightmost, 0) << c.name << ": the new text shows at once";
        EXPECT_LT(rightmost, 40) << c.name << ": the old text is gone";
        DestroyWindow(hwnd);
    }
}

// Faults met in real programs, each rebuilt: a host's own colours for a
// label (text and background go together), tabs, and a disabled label in a
// face where it has a colour of its own. The parent answers
// WM_CTLCOLORSTATIC with hostBrush (null: no answer), setting hostText
// first unless it is CLR_INVALID.
HBRUSH hostBrush;
COLORREF hostText;

INT_PTR CALLBACK ColouringParent(HWND, UINT msg, WPARAM dc, LPARAM)
{
    if (msg == WM_CTLCOLORSTATIC && hostText != CLR_INVALID)
        SetTextColor(reinterpret_cast<HDC>(dc), hostText);
    return msg == WM_CTLCOLORSTATIC ? reinterpret_cast<INT_PTR>(hostBrush) : FALSE;
}

TEST_F(GroupLabelTest, RealProgramsLabelsReadAsTheHostOrTheFaceMeantThem)
{
    const COLORREF Back = RGB(0xFF, 0x00, 0xFF), Text = RGB(0x00, 0x40, 0x80), Dimmed = RGB(0x12, 0x34, 0x56);
    const struct {
        const char *name, *text;
        DWORD style;
        bool brush;
        COLORREF set, ink, corner;  // by the host; the text as shown; at the bottom right (CLR_INVALID: the face's)
        int inkWidth;
    } cases[] = {
        {"host brush, no text colour", "Pane", SS_LEFT, true, CLR_INVALID, Black, Back, 1},
        {"host brush and text colour", "Pane", SS_LEFT, true, Text, Text, Back, 1},
        {"host text colour, no brush", "Pane", SS_LEFT, false, Text, LabelText, CLR_INVALID, 1},
        {"tabs expanded", "a\tb", SS_LEFT, false, CLR_INVALID, LabelText, CLR_INVALID, 30},
        {"disabled", "Pane", SS_LEFT | WS_DISABLED, false, CLR_INVALID, Dimmed, CLR_INVALID, 1},
    };
    Face face = BuiltInFace;
    face.labelDisabledText = Dimmed;
    currentFace = &face;
    HWND parent = CreateTestDialog(TestDialogStyle, 200, 100, "host", ColouringParent);
    for (const auto &c : cases) {
        hostBrush = c.brush ? CreateSolidBrush(Back) : nullptr;
        hostText = c.set;
        HWND label = CreateChild(parent, "Static", c.style, 10, 10, 120, 30, 100, c.text);
        ASSERT_NE(AttachWindow(label), nullptr) << c.name;
        RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const RECT ink = ScreenBounds(label, [&c](COLORREF colour) { return colour == c.ink; });
        EXPECT_GE(ink.right - ink.left, c.inkWidth) << c.name << ": text in 0x" << std::hex << c.ink;
        const RECT faceInk = ScreenBounds(label, [](COLORREF colour) { return colour == LabelText; });
        EXPECT_TRUE(c.ink == LabelText || IsRectEmpty(&faceInk)) << c.name << ": the face's label colour besides";
        const COLORREF corner = ReadWindowPixel(label, 119, 29);
        EXPECT_TRUE(c.corner == CLR_INVALID ? corner != Back : corner == c.corner) << c.name << ": background";
        DestroyWindow(label);
        if (hostBrush != nullptr)
            DeleteObject(hostBrush);
    }
    currentFace = &BuiltInFace;
    DestroyWindow(parent);
}

}  // namespace

// The scroll part painter, drawn into a DIB section and read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "scroll/scroll.h"
#include "support/dib_canvas.h"
#include "scroll_colours.h"

namespace {

const COLORREF Backdrop = 0x00123456;
const COLORREF White = 0x00FFFFFF;
const COLORREF ShadowPen = BuiltInFace.scrollShadow;
const COLORREF DisabledShadowPen = BuiltInFace.scrollShadowDisabled;

// The normal set at a handful of points: the other corner pixels, the body's
// and the face's gradient ends, and each channel's first colour.
const COLORREF NormalCornerTopRight = 0x00FFE7DE;
const COLORREF NormalCornerBottomLeft = 0x00FFE3DE;
const COLORREF NormalCornerBottomRight = 0x00F7E3DE;
const COLORREF NormalBodyTopLeft = 0x00FFE3D6;
const COLORREF NormalBodyBottomRight = 0x00F7C7B5;
const COLORREF NormalFaceTopLeft = 0x00FFEBE7;
const COLORREF NormalFaceBottomRight = 0x00F7CBAD;
const COLORREF NormalChannelLeft = 0x00FFE3D6;   // a vertical channel, shaded across
const COLORREF NormalChannelRight = 0x00F7CBBD;
const COLORREF NormalChannelTop = 0x00F7CBBD;    // a horizontal channel, shaded down

// The face's top-left vertex of the other sets, and their channels' first
// colours.
const COLORREF DisabledFaceTopLeft = 0x00F7F7F7;
const COLORREF PressedFaceTopLeft = 0x00F78E6B;
const COLORREF HotFaceTopLeft = 0x00FFFFFF;
const COLORREF DisabledCornerBottomRight = 0x00EFF3F7;
const COLORREF DisabledChannelLeft = 0x00EFF3F7;
const COLORREF DisabledChannelTop = 0x00DEE7E7;

const char *SetNamed(COLORREF corner)
{
    const char *const names[] = {"disabled", "pressed", "hot", "normal"};
    for (int set = SET_DISABLED; set <= SET_NORMAL; ++set) {
        if (corner == BuiltInFace.scrollCorners[set][0])
            return names[set];
    }
    return "no colour set";
}

// A gradient pixel next to (not on) a vertex is within a few steps of it.
bool Near(COLORREF actual, COLORREF expected, int tolerance = 8)
{
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

std::string Hex(COLORREF colour)
{
    char text[16];
    snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(colour));
    return text;
}

struct PaintedCanvas : Canvas {
    PaintedCanvas(int width, int height) : Canvas(width, height)
    {
        for (int i = 0; i < width * height; ++i)
            bits[i] = 0x00563412;  // Backdrop as a DIB pixel
    }
};

TEST(ScrollPartColours, StateBitsChooseTheColourSet)
{
    struct SetCase {
        DWORD flags;
        COLORREF corner;
        COLORREF face;
    };
    // Disabled wins over pressed and hot, pressed over hot; other bits of
    // the word leave the choice alone.
    const SetCase cases[] = {
        {0, NormalCorner, NormalFaceTopLeft},
        {SPF_HOT, HotCorner, HotFaceTopLeft},
        {SPF_PRESSED, PressedCorner, PressedFaceTopLeft},
        {SPF_PRESSED | SPF_HOT, PressedCorner, PressedFaceTopLeft},
        {SPF_DISABLED, DisabledCorner, DisabledFaceTopLeft},
        {SPF_DISABLED | SPF_PRESSED, DisabledCorner, DisabledFaceTopLeft},
        {SPF_DISABLED | SPF_HOT, DisabledCorner, DisabledFaceTopLeft},
        {SPF_DISABLED | SPF_PRESSED | SPF_HOT, DisabledCorner, DisabledFaceTopLeft},
        {SPF_HORZ | 0x00000008 | 0x00010000, NormalCorner, NormalFaceTopLeft},  // bits the word does not use
    };
    for (const SetCase &c : cases) {
        PaintedCanvas canvas(20, 20);
        PaintScrollPart(canvas.dc, RECT{0, 0, 16, 16}, c.flags);
        EXPECT_STREQ(SetNamed(canvas.At(0, 0)), SetNamed(c.corner)) << "flags 0x" << std::hex << c.flags;
        EXPECT_EQ(canvas.At(1, 1), c.face) << "face, flags 0x" << std::hex << c.flags;
    }
}

TEST(ScrollPartColours, NormalPartAtNamedPoints)
{
    // Large enough that a pixel next to a gradient vertex stays close to it.
    const int size = 64;
    PaintedCanvas canvas(size + 4, size + 4);
    PaintScrollPart(canvas.dc, RECT{0, 0, size, size}, 0);

    EXPECT_EQ(canvas.At(0, 0), NormalCorner);
    EXPECT_EQ(canvas.At(size - 1, 0), NormalCornerTopRight);
    EXPECT_EQ(canvas.At(0, size - 1), NormalCornerBottomLeft);
    EXPECT_EQ(canvas.At(size - 1, size - 1), NormalCornerBottomRight);
    // The body shows beside its corner pixels, the face one pixel in.
    EXPECT_TRUE(Near(canvas.At(1, 0), NormalBodyTopLeft)) << Hex(canvas.At(1, 0));
    EXPECT_TRUE(Near(canvas.At(size - 2, size - 1), NormalBodyBottomRight)) << Hex(canvas.At(size - 2, size - 1));
    EXPECT_EQ(canvas.At(1, 1), NormalFaceTopLeft) << "face top-left vertex";
    EXPECT_TRUE(Near(canvas.At(size - 2, size - 2), NormalFaceBottomRight)) << Hex(canvas.At(size - 2, size - 2));
    // Nothing outside the part.
    EXPECT_EQ(canvas.At(size, size), Backdrop);
    EXPECT_EQ(canvas.At(size, 0), Backdrop);
    EXPECT_EQ(canvas.At(0, size), Backdrop);
}

TEST(ScrollPartColours, ChannelIsOneGradientWithoutCorners)
{
    struct ChannelCase {
        const char *name;
        DWORD flags;
        COLORREF left, top;  // the vertical channel's left column, the horizontal one's top row
    };
    const ChannelCase cases[] = {
        {"normal", 0, NormalChannelLeft, NormalChannelTop},
        {"disabled", SPF_DISABLED, DisabledChannelLeft, DisabledChannelTop},
    };
    for (const ChannelCase &c : cases) {
        SCOPED_TRACE(c.name);
        PaintedCanvas vertical(20, 40);
        PaintScrollPart(vertical.dc, RECT{0, 0, 16, 30}, c.flags | SPF_TRACK);
        // Shaded across: the left column starts and ends in the same colour.
        EXPECT_EQ(vertical.At(0, 0), c.left);
        EXPECT_TRUE(Near(vertical.At(0, 29), c.left)) << Hex(vertical.At(0, 29));
        EXPECT_EQ(vertical.At(16, 0), Backdrop);
        EXPECT_EQ(vertical.At(0, 30), Backdrop);

        PaintedCanvas horizontal(40, 20);
        PaintScrollPart(horizontal.dc, RECT{0, 0, 30, 16}, c.flags | SPF_TRACK | SPF_HORZ);
        // Shaded top to bottom: the whole first row is the top colour.
        EXPECT_EQ(horizontal.At(0, 0), c.top);
        EXPECT_EQ(horizontal.At(15, 0), c.top);
        EXPECT_EQ(horizontal.At(29, 0), c.top);
        EXPECT_EQ(horizontal.At(30, 0), Backdrop);
    }
    PaintedCanvas vertical(20, 40);
    PaintScrollPart(vertical.dc, RECT{0, 0, 16, 30}, SPF_TRACK);
    EXPECT_TRUE(Near(vertical.At(15, 15), NormalChannelRight, 10)) << Hex(vertical.At(15, 15));
}

TEST(ScrollPartColours, DisabledGlyphIsGreyWhateverElseIsSet)
{
    const DWORD combos[] = {SPF_DISABLED, SPF_DISABLED | SPF_PRESSED, SPF_DISABLED | SPF_HOT,
                            SPF_DISABLED | SPF_PRESSED | SPF_HOT};
    for (DWORD flags : combos) {
        PaintedCanvas canvas(20, 20);
        PaintScrollPart(canvas.dc, RECT{0, 0, 16, 16}, flags | SPF_TRIANGLE | SPF_UP);
        EXPECT_EQ(canvas.At(8, 8), GreyGlyphPen) << std::hex << flags;
    }
}

// The framed 16 by 40 part: white rim on (0, 0, 15, 39), shadow just outside
// its right and bottom edges with cut corners, body on (1, 1, 14, 38).
TEST(ScrollPartFrame, FramedPartLayout)
{
    struct FramedCase {
        const char *name;
        DWORD flags;
        COLORREF shadow, corner, farCorner, face;
    };
    const FramedCase cases[] = {
        {"normal", 0, ShadowPen, NormalCorner, NormalCornerBottomRight, NormalFaceTopLeft},
        {"disabled", SPF_DISABLED, DisabledShadowPen, DisabledCorner, DisabledCornerBottomRight, DisabledFaceTopLeft},
    };
    for (const FramedCase &c : cases) {
        SCOPED_TRACE(c.name);
        const COLORREF shadow = c.shadow;
        PaintedCanvas canvas(20, 44);
        PaintScrollPart(canvas.dc, RECT{0, 0, 16, 40}, c.flags | SPF_FRAMED);

        // The shadow's cut corners overdraw the rim's two bottom corners.
        for (int x = 0; x <= 14; ++x)
            EXPECT_EQ(canvas.At(x, 0), White) << "rim top x=" << x;
        for (int x = 1; x <= 13; ++x)
            EXPECT_EQ(canvas.At(x, 38), White) << "rim bottom x=" << x;
        for (int y = 0; y <= 37; ++y) {
            EXPECT_EQ(canvas.At(0, y), White) << "rim left y=" << y;
            EXPECT_EQ(canvas.At(14, y), White) << "rim right y=" << y;
        }
        EXPECT_EQ(canvas.At(15, 0), Backdrop);
        EXPECT_EQ(canvas.At(15, 1), Backdrop);
        for (int y = 2; y <= 37; ++y)
            EXPECT_EQ(canvas.At(15, y), shadow) << "shadow right y=" << y;
        EXPECT_EQ(canvas.At(15, 38), Backdrop);
        EXPECT_EQ(canvas.At(14, 38), shadow);
        EXPECT_EQ(canvas.At(14, 39), Backdrop);
        for (int x = 1; x <= 13; ++x)
            EXPECT_EQ(canvas.At(x, 39), shadow) << "shadow bottom x=" << x;
        EXPECT_EQ(canvas.At(0, 38), shadow);
        EXPECT_EQ(canvas.At(0, 39), Backdrop);
        EXPECT_EQ(canvas.At(15, 39), Backdrop);

        EXPECT_EQ(canvas.At(1, 1), c.corner) << "body from (1, 1)";
        EXPECT_EQ(canvas.At(13, 37), c.farCorner) << "body to (13, 37)";
        EXPECT_EQ(canvas.At(2, 2), c.face) << "face from (2, 2)";
    }
}

TEST(ScrollPartFrame, FramedChannelDrawsRimThenTrack)
{
    PaintedCanvas canvas(20, 44);
    PaintScrollPart(canvas.dc, RECT{0, 0, 16, 40}, SPF_FRAMED | SPF_TRACK | SPF_TRIANGLE | SPF_UP);
    EXPECT_EQ(canvas.At(0, 0), White);
    EXPECT_EQ(canvas.At(15, 10), ShadowPen);
    EXPECT_EQ(canvas.At(1, 1), NormalChannelLeft) << "channel on the shrunken rectangle";
    for (int y = 1; y < 38; ++y) {
        for (int x = 1; x < 14; ++x)
            ASSERT_NE(canvas.At(x, y), GlyphPen) << "a channel carries no glyph, at " << x << "," << y;
    }
}

// Pixels around the glyph centre, from (cx - 5, cy - 5): '#' glyph pen,
// 'g' grey glyph pen, 'L' and 'D' gripper pens, '.' anything else.
struct GlyphCase {
    const char *name;
    DWORD flags;
    const char *rows[11];
};

const GlyphCase GlyphCases[] = {
    {"triangle left", SPF_TRIANGLE | SPF_LEFT,
     {"...........", "...........", "......#....", ".....##....", "....###....", "...###.....",
      "....###....", ".....##....", "......#....", "...........", "..........."}},
    {"triangle up", SPF_TRIANGLE | SPF_UP,
     {"...........", "...........", "...........", ".....#.....", "....###....", "...#####...",
      "..###.###..", "...........", "...........", "...........", "..........."}},
    {"triangle right", SPF_TRIANGLE | SPF_RIGHT,
     {"...........", "...........", "....#......", "....##.....", "....###....", ".....###...",
      "....###....", "....##.....", "....#......", "...........", "..........."}},
    {"triangle down", SPF_TRIANGLE | SPF_DOWN,
     {"...........", "...........", "...........", "...........", "..###.###..", "...#####...",
      "....###....", ".....#.....", "...........", "...........", "..........."}},
    {"chevron left", SPF_CHEVRON | SPF_LEFT,
     {"...........", "......#....", ".....###...", "....###....", "...###.....", "..###......",
      "...###.....", "....###....", ".....###...", "......#....", "..........."}},
    {"chevron up", SPF_CHEVRON | SPF_UP,
     {"...........", "...........", ".....#.....", "....###....", "...#####...", "..###.###..",
      ".###...###.", "..#.....#..", "...........", "...........", "..........."}},
    {"chevron right", SPF_CHEVRON | SPF_RIGHT,
     {"...........", "....#......", "...###.....", "....###....", ".....###...", "......###..",
      ".....###...", "....###....", "...###.....", "....#......", "..........."}},
    {"chevron down", SPF_CHEVRON | SPF_DOWN,
     {"...........", "...........", "..#.....#..", ".###...###.", "..###.###..", "...#####...",
      "....###....", ".....#.....", "...........", "...........", "..........."}},
    {"grey chevron down", SPF_DISABLED | SPF_CHEVRON | SPF_DOWN,
     {"...........", "...........", "..g.....g..", ".ggg...ggg.", "..ggg.ggg..", "...ggggg...",
      "....ggg....", ".....g.....", "...........", "...........", "..........."}},
    {"gripper across", SPF_GRIPPER,
     {"...........", "..LLLLLL...", "...DDDDDD..", "..LLLLLL...", "...DDDDDD..", "..LLLLLL...",
      "...DDDDDD..", "..LLLLLL...", "...DDDDDD..", "...........", "..........."}},
    {"gripper down", SPF_GRIPPER | SPF_HORZ,
     {"...........", "...........", ".L.L.L.L...", ".LDLDLDLD..", ".LDLDLDLD..", ".LDLDLDLD..",
      ".LDLDLDLD..", ".LDLDLDLD..", "..D.D.D.D..", "...........", "..........."}},
    // Precedence: gripper over glyphs, triangle over chevron, then the
    // direction bits left, up, right, down.
    {"gripper over triangle", SPF_GRIPPER | SPF_TRIANGLE | SPF_CHEVRON | SPF_UP,
     {"...........", "..LLLLLL...", "...DDDDDD..", "..LLLLLL...", "...DDDDDD..", "..LLLLLL...",
      "...DDDDDD..", "..LLLLLL...", "...DDDDDD..", "...........", "..........."}},
    {"triangle over chevron", SPF_TRIANGLE | SPF_CHEVRON | SPF_DOWN,
     {"...........", "...........", "...........", "...........", "..###.###..", "...#####...",
      "....###....", ".....#.....", "...........", "...........", "..........."}},
    {"left over all", SPF_TRIANGLE | SPF_LEFT | SPF_UP | SPF_RIGHT | SPF_DOWN,
     {"...........", "...........", "......#....", ".....##....", "....###....", "...###.....",
      "....###....", ".....##....", "......#....", "...........", "..........."}},
    {"up over right and down", SPF_TRIANGLE | SPF_UP | SPF_RIGHT | SPF_DOWN,
     {"...........", "...........", "...........", ".....#.....", "....###....", "...#####...",
      "..###.###..", "...........", "...........", "...........", "..........."}},
    {"right over down", SPF_TRIANGLE | SPF_RIGHT | SPF_DOWN,
     {"...........", "...........", "....#......", "....##.....", "....###....", ".....###...",
      "....###....", "....##.....", "....#......", "...........", "..........."}},
    {"no direction, no glyph", SPF_TRIANGLE | SPF_CHEVRON,
     {"...........", "...........", "...........", "...........", "...........", "...........",
      "...........", "...........", "...........", "...........", "..........."}},
};

char Classify(COLORREF pixel)
{
    const struct {
        COLORREF pen;
        char mark;
    } marks[] = {{GlyphPen, '#'}, {GreyGlyphPen, 'g'}, {GripperLight, 'L'}, {GripperDark, 'D'}};
    for (const auto &m : marks) {
        if (pixel == m.pen)
            return m.mark;
    }
    return '.';
}

std::string Picture(const Canvas &canvas, int cx, int cy)
{
    std::string picture;
    for (int y = cy - 5; y <= cy + 5; ++y) {
        for (int x = cx - 5; x <= cx + 5; ++x)
            picture += Classify(canvas.At(x, y));
        picture += '\n';
    }
    return picture;
}

TEST(ScrollPartGlyphs, ShapesDirectionsAndPrecedence)
{
    for (const GlyphCase &c : GlyphCases) {
        std::string expected;
        for (const char *row : c.rows)
            expected += std::string(row) + '\n';
        // A 16 by 16 part at the origin has its glyph centre at (8, 8).
        PaintedCanvas canvas(20, 20);
        PaintScrollPart(canvas.dc, RECT{0, 0, 16, 16}, c.flags);
        EXPECT_EQ(Picture(canvas, 8, 8), expected) << c.name;
    }
}

TEST(ScrollPartGlyphs, CentreFollowsTheFaceAndGlyphOverflowsSmallParts)
{
    struct CentreCase {
        const char *name;
        RECT part;
        DWORD flags;
        int cx, cy;
    };
    // Face = part shrunk by 1 (and by 1 more for a frame); centre = face
    // left + width / 2, truncated.
    const CentreCase cases[] = {
        {"odd width", {3, 5, 20, 22}, 0, 11, 13},
        {"framed", {0, 0, 18, 18}, SPF_FRAMED, 8, 8},
        {"4 by 4 part", {10, 10, 14, 14}, 0, 12, 12},
    };
    for (const CentreCase &c : cases) {
        PaintedCanvas canvas(30, 30);
        PaintScrollPart(canvas.dc, c.part, c.flags | SPF_TRIANGLE | SPF_DOWN);
        std::string expected;
        for (const char *row : GlyphCases[3].rows)
            expected += std::string(row) + '\n';
        EXPECT_EQ(Picture(canvas, c.cx, c.cy), expected) << c.name;
    }
}

TEST(ScrollPartPens, LeavesTheCallersPenSelected)
{
    PaintedCanvas canvas(20, 44);
    HPEN mine = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HGDIOBJ original = SelectObject(canvas.dc, mine);
    const DWORD words[] = {SPF_FRAMED | SPF_CHEVRON | SPF_UP, SPF_GRIPPER | SPF_HORZ, SPF_TRIANGLE | SPF_DOWN,
                           SPF_FRAMED | SPF_TRACK};
    for (DWORD flags : words) {
        PaintScrollPart(canvas.dc, RECT{0, 0, 16, 40}, flags);
        EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PEN), mine) << std::hex << flags;
    }
    SelectObject(canvas.dc, original);
    DeleteObject(mine);
}

}  // namespace

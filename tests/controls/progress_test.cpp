// Progress bars drawn from ".\face\progress.bmp": the frame, the stretched
// fill, the height taken at creation, and the bar without a usable picture,
// filled in the face's colour.
// Each test runs in a folder of its own, where it writes the picture it needs.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/skin.h"
#include "support/harness.h"
#include "velk.h"
#include "face_folder.h"
#include "support/window_pixels.h"

namespace {

const COLORREF FrameColour = 0x00190AFA;
const COLORREF FaceLeft = 0x00FF0000;   // blue
const COLORREF FaceRight = 0x0000FF00;  // green
const COLORREF FaceOther = 0x0000FFFF;  // yellow

RECT RectInParent(HWND hwnd)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

bool IsFaceColour(COLORREF colour)
{
    return colour == FaceLeft || colour == FaceRight;
}

class ProgressTest : public FaceFolderTest {
protected:
    void TearDown() override
    {
        Enskin(nullptr, 0);
        FaceFolderTest::TearDown();
    }

    void WriteFace(int width, int height, COLORREF left, COLORREF right)
    {
        ASSERT_TRUE(face.WritePicture(width, height, left, right)) << face.PicturePath();
        ASSERT_TRUE(face.Apply());
    }

    HWND Bar(int width, int height, int low, int high, int position)
    {
        HWND bar = CreateChild(dialog, PROGRESS_CLASSA, 0, 10, 20, width, height);
        SendMessageA(bar, PBM_SETRANGE32, low, high);
        SendMessageA(bar, PBM_SETPOS, position, 0);
        return bar;
    }

    HWND SkinnedBar(int width, int height, int low, int high, int position)
    {
        HWND bar = Bar(width, height, low, high, position);
        EXPECT_NE(AttachWindow(bar), nullptr);
        PumpMessages();
        return bar;
    }
};

TEST_F(ProgressTest, FillStretchesThePictureOverTheFilledShare)
{
    WriteFace(20, 10, FaceLeft, FaceRight);
    // Range 0 to 100, position 50, 201 pixels: 50 * 201 / 100 - 1 = 99.
    HWND bar = SkinnedBar(201, 16, 0, 100, 50);
    const WindowPixels shot = CaptureWindow(bar);
    ASSERT_EQ(shot.height, 16) << "a bar skinned after creation keeps its height";

    // The frame is as high as the picture, not as the window.
    for (POINT p : {POINT{0, 5}, POINT{200, 5}, POINT{100, 0}, POINT{100, 9}, POINT{150, 9}})
        EXPECT_EQ(shot.At(p.x, p.y), FrameColour) << "frame at " << p.x << "," << p.y;
    EXPECT_NE(shot.At(0, 12), FrameColour) << "frame below the picture's height";

    // 99 pixels from x = 1 on rows 1 to 8, the left half of the picture first.
    EXPECT_EQ(shot.At(1, 1), FaceLeft);
    EXPECT_EQ(shot.At(1, 8), FaceLeft);
    EXPECT_EQ(shot.At(40, 5), FaceLeft);
    EXPECT_EQ(shot.At(60, 5), FaceRight);
    EXPECT_EQ(shot.At(99, 5), FaceRight);
    EXPECT_EQ(shot.At(99, 8), FaceRight);
    EXPECT_FALSE(IsFaceColour(shot.At(100, 5))) << "fill past 99 pixels";
    EXPECT_FALSE(IsFaceColour(shot.At(50, 11))) << "fill below the frame";
}

TEST_F(ProgressTest, FillWidthAtTheEndsOfTheRange)
{
    WriteFace(20, 10, FaceLeft, FaceRight);
    struct EndCase {
        const char *name;
        int low, high, position;
        int lastFilled;  // 0: no fill at all
    };
    const EndCase cases[] = {
        // The fill is the position's share of the 199 columns inside the frame.
        {"position 0", 0, 100, 0, 0},
        {"1 percent", 0, 100, 1, 1},  // 1.99 columns: one
        {"full", 0, 100, 100, 199},   // stops inside the right frame line
        {"range 0", 0, 0, 0, 0},
        {"at the lower limit 50", 50, 150, 50, 0},
        {"halfway from the lower limit 50", 50, 150, 100, 99},
        {"halfway from a negative lower limit", -100, 100, 0, 99},
        {"32-bit range", 0, 0x7FFFFFFF, 0x40000000, 99},
    };
    for (const EndCase &c : cases) {
        HWND bar = SkinnedBar(201, 10, c.low, c.high, c.position);
        if (c.high == 0)
            ASSERT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 0) << "the control refused range 0";
        const WindowPixels shot = CaptureWindow(bar);
        EXPECT_EQ(shot.At(0, 5), FrameColour) << c.name << ": left frame line";
        EXPECT_EQ(shot.At(200, 5), FrameColour) << c.name << ": right frame line";
        if (c.lastFilled > 0) {
            EXPECT_TRUE(IsFaceColour(shot.At(c.lastFilled, 5))) << c.name << ": last filled column";
            EXPECT_FALSE(IsFaceColour(shot.At(c.lastFilled + 1, 5))) << c.name << ": past the fill";
        } else {
            const RECT interior = {0, 1, 200, 9};
            EXPECT_EQ(CountColour(shot, interior, FaceLeft) + CountColour(shot, interior, FaceRight), 0)
                << c.name << ": drew a fill";
        }
        DestroyWindow(bar);
    }
}

TEST_F(ProgressTest, ControlNeverPaintsItsOwnBar)
{
    WriteFace(20, 10, FaceLeft, FaceRight);
    // Halfway through -100 to 100 the control's own bar covers the left half,
    // while the skin, which counts from 0, draws no fill at all.
    HWND bar = Bar(201, 10, -100, 100, 0);
    PumpMessages();
    const COLORREF ownBar = ReadWindowPixel(bar, 50, 5);
    ASSERT_NE(ownBar, ReadWindowPixel(bar, 190, 5)) << "the unskinned control shows no bar to compare with";
    ASSERT_NE(AttachWindow(bar), nullptr);
    PumpMessages();
    EXPECT_NE(ReadWindowPixel(bar, 50, 5), ownBar);
    SendMessageA(bar, PBM_SETPOS, 10, 0);
    PumpMessages();
    EXPECT_NE(ReadWindowPixel(bar, 50, 5), ownBar) << "after a change of position";
}

TEST_F(ProgressTest, ShorterFillClearsTheEarlierOne)
{
    WriteFace(20, 10, FaceLeft, FaceRight);
    HWND bar = SkinnedBar(201, 10, 0, 100, 100);
    ASSERT_TRUE(IsFaceColour(ReadWindowPixel(bar, 150, 5)));
    SendMessageA(bar, PBM_SETPOS, 10, 0);
    PumpMessages();
    EXPECT_TRUE(IsFaceColour(ReadWindowPixel(bar, 10, 5)));
    EXPECT_FALSE(IsFaceColour(ReadWindowPixel(bar, 150, 5))) << "the earlier fill stayed on screen";
    EXPECT_EQ(ReadWindowPixel(bar, 150, 5), GetSysColor(COLOR_BTNFACE));
}

// The switch repaints the bar itself.
TEST_F(ProgressTest, SwitchToAReplacedPictureRepaintsTheBar)
{
    WriteFace(20, 10, FaceLeft, FaceRight);
    HWND bar = SkinnedBar(201, 16, 0, 100, 100);
    EXPECT_EQ(ReadWindowPixel(bar, 5, 5), FaceLeft);
    EXPECT_EQ(ReadWindowPixel(bar, 100, 9), FrameColour);

    WriteFace(8, 6, FaceOther, FaceOther);
    EXPECT_EQ(ReadWindowPixel(bar, 5, 3), FaceOther);
    EXPECT_EQ(ReadWindowPixel(bar, 100, 5), FrameColour) << "frame follows the new picture's height";
    EXPECT_NE(ReadWindowPixel(bar, 100, 9), FrameColour);
}

TEST_F(ProgressTest, CreatedUnderThreadWideSkinningTakesThePictureHeight)
{
    WriteFace(20, 10, FaceLeft, FaceRight);
    HWND before = CreateChild(dialog, PROGRESS_CLASSA, 0, 10, 100, 150, 30);
    ASSERT_NE(Enskin(nullptr, 1), 0);
    HWND after = CreateChild(dialog, PROGRESS_CLASSA, 0, 10, 20, 150, 30);
    ASSERT_EQ(RecordsFor(after), 1);
    PumpMessages();

    const RECT created = RectInParent(after);
    EXPECT_EQ(created.left, 10);
    EXPECT_EQ(created.top, 20);
    EXPECT_EQ(created.right - created.left, 150);
    EXPECT_EQ(created.bottom - created.top, 10);
    EXPECT_EQ(ReadWindowPixel(after, 0, 9), FrameColour);

    // One that existed before keeps its height; the frame is drawn as high as
    // the picture at its top.
    const RECT existing = RectInParent(before);
    EXPECT_EQ(existing.bottom - existing.top, 30);
    EXPECT_EQ(ReadWindowPixel(before, 0, 5), FrameColour);
    EXPECT_EQ(ReadWindowPixel(before, 75, 9), FrameColour);
    EXPECT_NE(ReadWindowPixel(before, 0, 20), FrameColour);
}

TEST_F(ProgressTest, WithoutAPictureTheBarKeepsItsSizeAndFillsItsDonePartInTheFaceColour)
{
    ASSERT_EQ(GetFileAttributesA(".\\face\\progress.bmp"), INVALID_FILE_ATTRIBUTES);
    ASSERT_NE(Enskin(nullptr, 1), 0);
    HWND bar = CreateChild(dialog, PROGRESS_CLASSA, 0, 10, 20, 150, 30);
    SendMessageA(bar, PBM_SETPOS, 50, 0);
    ASSERT_EQ(RecordsFor(bar), 1);
    PumpMessages();

    const RECT created = RectInParent(bar);
    EXPECT_EQ(created.right - created.left, 150);
    EXPECT_EQ(created.bottom - created.top, 30);
    const WindowPixels shot = CaptureWindow(bar);
    for (POINT p : {POINT{0, 15}, POINT{149, 15}, POINT{75, 0}, POINT{75, 29}})
        EXPECT_EQ(shot.At(p.x, p.y), FrameColour) << "frame at " << p.x << "," << p.y;
    // Half done: the left half of the inside in the face's fill, the rest
    // its background; the control's own bar nowhere.
    const Face &face = *CurrentFace();
    EXPECT_EQ(shot.At(2, 15), face.progressFill & 0xFFFFFF) << "done";
    EXPECT_EQ(shot.At(73, 15), face.progressFill & 0xFFFFFF) << "done, at the middle";
    EXPECT_EQ(shot.At(77, 15), face.progressBackground & 0xFFFFFF) << "to do";
    const RECT interior = {1, 1, 149, 29};
    EXPECT_EQ(CountColour(shot, interior, GetSysColor(COLOR_HIGHLIGHT)), 0);
}

}  // namespace

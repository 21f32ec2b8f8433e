// The back buffer and the four-colour gradient.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "core/skin.h"
#include "support/dib_canvas.h"
#include "support/gdi_ledger.h"
#include "support/harness.h"
#include "support/import_patch.h"

namespace {

struct GradientCall {
    std::vector<TRIVERTEX> vertices;
    std::vector<ULONG> mesh;
    ULONG mode;
};

std::vector<GradientCall> gradientCalls;
decltype(&GradientFill) realGradientFill;

BOOL WINAPI RecordingGradientFill(HDC dc, PTRIVERTEX vertices, ULONG vertexCount, PVOID mesh, ULONG meshCount,
                                  ULONG mode)
{
    GradientCall call;
    call.vertices.assign(vertices, vertices + vertexCount);
    const ULONG perElement = mode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
    const ULONG *indices = static_cast<const ULONG *>(mesh);
    call.mesh.assign(indices, indices + perElement * meshCount);
    call.mode = mode;
    gradientCalls.push_back(call);
    return realGradientFill(dc, vertices, vertexCount, mesh, meshCount, mode);
}

class GradientTest : public testing::Test {
protected:
    ScopedImportPatch patch{LibraryModule(), "msimg32.dll", "GradientFill",
                            reinterpret_cast<void *>(RecordingGradientFill)};

    void SetUp() override
    {
        ASSERT_NE(patch.original, nullptr) << "the library does not import GradientFill";
        realGradientFill = reinterpret_cast<decltype(&GradientFill)>(patch.original);
        gradientCalls.clear();
    }
};

TEST_F(GradientTest, PathsFollowTheCornerColours)
{
    struct PathCase {
        const char *name;
        COLORREF colours[4];
        ULONG mode;
        size_t calls;
    };
    const PathCase cases[] = {
        {"flat", {0x112233, 0x112233, 0x112233, 0x112233}, GRADIENT_FILL_RECT_V, 1},
        {"top to bottom", {0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000}, GRADIENT_FILL_RECT_V, 1},
        {"left to right", {0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000}, GRADIENT_FILL_TRIANGLE, 2},
        {"one corner apart", {0x0000FF, 0x0000FF, 0xFF0000, 0xFF0001}, GRADIENT_FILL_TRIANGLE, 2},
        // Whole values are compared, the top byte included.
        {"top byte apart", {0x00EEF1F2, 0x00EEF1F2, 0x00EEF1F2, 0xFFEEF1F2}, GRADIENT_FILL_TRIANGLE, 2},
    };
    Canvas canvas(40, 30);
    const RECT rect = {5, 6, 35, 26};
    for (const PathCase &c : cases) {
        gradientCalls.clear();
        FillGradient4(canvas.dc, &rect, c.colours);
        ASSERT_EQ(gradientCalls.size(), c.calls) << c.name;
        for (const GradientCall &call : gradientCalls) {
            EXPECT_EQ(call.mode, c.mode) << c.name;
            ASSERT_EQ(call.vertices.size(), 4u) << c.name;
            EXPECT_EQ(call.vertices[0].x, 5);
            EXPECT_EQ(call.vertices[0].y, 6);
            EXPECT_EQ(call.vertices[1].x, 35);
            EXPECT_EQ(call.vertices[1].y, 6);
            EXPECT_EQ(call.vertices[2].x, 5);
            EXPECT_EQ(call.vertices[2].y, 26);
            EXPECT_EQ(call.vertices[3].x, 35);
            EXPECT_EQ(call.vertices[3].y, 26);
        }
        if (c.mode == GRADIENT_FILL_RECT_V) {
            EXPECT_EQ(gradientCalls[0].mesh, (std::vector<ULONG>{0, 3})) << c.name;
        } else {
            EXPECT_EQ(gradientCalls[0].mesh, (std::vector<ULONG>{0, 1, 2})) << c.name;
            EXPECT_EQ(gradientCalls[1].mesh, (std::vector<ULONG>{3, 1, 2})) << c.name;
        }
    }
}

TEST_F(GradientTest, ChannelsMoveIntoTheHighByte)
{
    Canvas canvas(8, 8);
    const RECT rect = {0, 0, 8, 8};
    const COLORREF colours[4] = {0x00FFFFFF, 0x00123456, 0xFF0000AB, 0x7F000000};
    FillGradient4(canvas.dc, &rect, colours);
    ASSERT_FALSE(gradientCalls.empty());
    const std::vector<TRIVERTEX> &v = gradientCalls[0].vertices;
    EXPECT_EQ(v[0].Red, 0xFF00);
    EXPECT_EQ(v[0].Green, 0xFF00);
    EXPECT_EQ(v[0].Blue, 0xFF00);
    EXPECT_EQ(v[0].Alpha, 0x0000);
    EXPECT_EQ(v[1].Red, 0x5600);
    EXPECT_EQ(v[1].Green, 0x3400);
    EXPECT_EQ(v[1].Blue, 0x1200);
    EXPECT_EQ(v[2].Red, 0xAB00);
    EXPECT_EQ(v[2].Alpha, 0xFF00);
    EXPECT_EQ(v[3].Alpha, 0x7F00);
}

TEST_F(GradientTest, PixelsShowTheFlatAndVerticalFills)
{
    Canvas canvas(20, 20);
    const RECT whole = {0, 0, 20, 20};
    const COLORREF flat[4] = {0x00336699, 0x00336699, 0x00336699, 0x00336699};
    FillGradient4(canvas.dc, &whole, flat);
    EXPECT_EQ(canvas.At(0, 0), 0x00336699u);
    EXPECT_EQ(canvas.At(19, 19), 0x00336699u);

    const COLORREF vertical[4] = {0x000000FF, 0x000000FF, 0x00FF0000, 0x00FF0000};
    const RECT band = {2, 2, 18, 18};
    FillGradient4(canvas.dc, &band, vertical);
    EXPECT_EQ(canvas.At(2, 2), 0x000000FFu) << "the first row is the top colour";
    EXPECT_EQ(canvas.At(17, 2), 0x000000FFu);
    EXPECT_EQ(canvas.At(1, 1), 0x00336699u) << "nothing outside the rectangle";
    EXPECT_EQ(canvas.At(18, 18), 0x00336699u);
    // The bottom row has moved most of the way to blue.
    EXPECT_GT(GetBValue(canvas.At(2, 17)), 0xC0);
    EXPECT_LT(GetRValue(canvas.At(2, 17)), 0x40);
}

class BackBufferTest : public testing::Test {
protected:
    HWND window = nullptr;
    int width = 0;
    int height = 0;

    void SetUp() override
    {
        window = CreateTestDialog(TestDialogStyle, 120, 90, "buffer");
        RECT rect;
        GetWindowRect(window, &rect);
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
        FillWindow(window, RGB(255, 0, 0));
    }
    void TearDown() override { DestroyWindow(window); }

    void FillBuffer(HDC dc, COLORREF colour)
    {
        RECT whole = {0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &whole, brush);
        DeleteObject(brush);
    }
};

TEST_F(BackBufferTest, FreshBufferCopiedOutReplacesTheWholeWindow)
{
    const int objectsBefore = CountGdiObjects();
    HDC target = GetWindowDC(window);
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, {0, 0, width, height}, false);
    ASSERT_NE(dc, nullptr);
    EXPECT_NE(dc, target);
    EXPECT_NE(buffer.bitmap, nullptr) << "the bitmap the memory DC held before";
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    FillBuffer(dc, RGB(0, 255, 0));
    EndBackBuffer(&buffer);
    ReleaseDC(window, target);

    const POINT corners[] = {{0, 0}, {width - 1, 0}, {0, height - 1}, {width - 1, height - 1}, {width / 2, 5}};
    for (const POINT &p : corners)
        EXPECT_EQ(ReadWindowPixel(window, p.x, p.y), RGB(0, 255, 0)) << p.x << "," << p.y;
    EXPECT_EQ(CountGdiObjects(), objectsBefore) << "the buffer's DC and bitmap are all released";
}

// A buffer over part of the target is drawn from (0, 0) and lands on that
// part alone, as a painter's buffer lands where its window lies in a
// caller's DC.
TEST_F(BackBufferTest, BufferOverAnAreaLandsThereAlone)
{
    HDC target = GetWindowDC(window);
    BackBuffer buffer;
    FillBuffer(BeginBackBuffer(&buffer, target, {10, 20, 40, 50}, false), RGB(0, 0, 255));
    EndBackBuffer(&buffer);
    ReleaseDC(window, target);
    EXPECT_EQ(ReadWindowPixel(window, 10, 20), RGB(0, 0, 255));
    EXPECT_EQ(ReadWindowPixel(window, 39, 49), RGB(0, 0, 255));
    EXPECT_EQ(ReadWindowPixel(window, 9, 20), RGB(255, 0, 0));
    EXPECT_EQ(ReadWindowPixel(window, 40, 49), RGB(255, 0, 0));
    EXPECT_EQ(ReadWindowPixel(window, 39, 50), RGB(255, 0, 0));
}

TEST_F(BackBufferTest, CopyInBringsTheTargetIn)
{
    HDC target = GetWindowDC(window);
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, {0, 0, width, height}, true);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, width - 1, height - 1), RGB(255, 0, 0));
    RECT spot = {10, 10, 20, 20};
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &spot, brush);
    DeleteObject(brush);
    EndBackBuffer(&buffer);
    ReleaseDC(window, target);
    EXPECT_EQ(ReadWindowPixel(window, 15, 15), RGB(0, 0, 255));
    EXPECT_EQ(ReadWindowPixel(window, 5, 5), RGB(255, 0, 0)) << "kept where the painter drew nothing";
}

TEST_F(BackBufferTest, LedgerSeesTheBufferHeldUntilItEnds)
{
    GdiLedger ledger;
    HDC target = GetWindowDC(window);
    BackBuffer buffer;
    BeginBackBuffer(&buffer, target, {0, 0, width, height}, false);
    EXPECT_EQ(ledger.HeldDCs(), 1) << "the memory DC; the target is the caller's";
    EXPECT_EQ(ledger.LiveObjects(), 1) << "the buffer's bitmap";
    EndBackBuffer(&buffer);
    EXPECT_TRUE(ledger.Balanced()) << ledger.Report();

    const RECT rect = {0, 0, 10, 10};
    const COLORREF colours[4] = {1, 2, 3, 4};
    FillGradient4(target, &rect, colours);
    EXPECT_EQ(ledger.CreatedCount(), 2) << "a buffer makes a DC and a bitmap; a gradient makes nothing";
    EXPECT_TRUE(ledger.Balanced()) << ledger.Report();

    // An empty area gets no bitmap: the memory DC's own is the system's
    // shared one and stays where it is.
    BackBuffer empty;
    BeginBackBuffer(&empty, target, {5, 5, 5, 5}, true);
    EXPECT_EQ(empty.bitmap, nullptr);
    EndBackBuffer(&empty);
    EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
    ReleaseDC(window, target);
}

TEST(DarkenedSysColorTest, SubtractsPerChannelAndStopsAtZero)
{
    const int index = COLOR_BTNFACE;
    const COLORREF original = GetSysColor(index);
    const COLORREF darker = DarkenedSysColor(index);
    auto expected = [](BYTE channel) { return channel >= 0x20 ? channel - 0x20 : 0; };
    EXPECT_EQ(GetRValue(darker), expected(GetRValue(original)));
    EXPECT_EQ(GetGValue(darker), expected(GetGValue(original)));
    EXPECT_EQ(GetBValue(darker), expected(GetBValue(original)));

    // A dark colour whose channels sit below 0x20 does not borrow.
    const INT element = COLOR_BTNFACE;
    const COLORREF dark = RGB(0x10, 0x40, 0x05);
    SetSysColors(1, &element, &dark);
    EXPECT_EQ(DarkenedSysColor(index), RGB(0x00, 0x20, 0x00));
    SetSysColors(1, &element, &original);
}

} // namespace

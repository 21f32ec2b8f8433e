// The frame, caption band, icon, title and caption buttons as they appear
// on screen at this machine's metrics, and the client area without a
// background file.
#include <windows.h>

#include <vector>

#include "core/skin.h"
#include "dialog_testing.h"
#include "support/gdi_ledger.h"

namespace {

// A 16 by 16 icon of one opaque colour.
HICON SolidIcon(COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, image);
    RECT whole = {0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(memory, &whole, brush);
    DeleteObject(brush);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::vector<BYTE> maskBits(16 * 2, 0);  // all opaque
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskBits.data());
    ICONINFO info = {TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(image);
    return icon;
}

bool IsDark(COLORREF colour)
{
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 200;
}

// The leftmost column of the caption band holding a dark pixel, from x on;
// -1 if none before stopX.
int FirstDarkColumn(HWND dialog, const RECT &band, int x, int stopX)
{
    for (; x < stopX; ++x) {
        for (int y = band.top; y < band.bottom; ++y) {
            if (IsDark(ReadWindowPixel(dialog, x, y)))
                return x;
        }
    }
    return -1;
}

TEST_F(DialogTest, FrameStripsAndActiveCaptionBand)
{
    HWND dialog = Open(TestDialogStyle, 300, 200, "");
    SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
    const DialogGeometry g = GeometryOf(dialog);
    const int midX = g.width / 2;
    const int midY = g.height / 2;

    // Strips: exactly the dialog-frame metrics wide, everywhere along the
    // edges. The region leaves out the window's last column and row.
    EXPECT_TRUE(PixelIs(dialog, 0, midY, FrameBlue));
    EXPECT_TRUE(PixelIs(dialog, g.cx - 1, midY, FrameBlue));
    EXPECT_FALSE(PixelIs(dialog, g.cx, midY, FrameBlue)) << "the client area begins";
    EXPECT_TRUE(PixelIs(dialog, g.width - 2, midY, FrameBlue));
    EXPECT_TRUE(PixelIs(dialog, g.width - g.cx, midY, FrameBlue));
    EXPECT_FALSE(PixelIs(dialog, g.width - g.cx - 1, midY, FrameBlue));
    EXPECT_TRUE(PixelIs(dialog, midX, 0, FrameBlue));
    EXPECT_TRUE(PixelIs(dialog, midX, g.cy - 1, FrameBlue));
    EXPECT_TRUE(PixelIs(dialog, midX, g.height - 2, FrameBlue));
    EXPECT_TRUE(PixelIs(dialog, midX, g.height - g.cy, FrameBlue));
    EXPECT_FALSE(PixelIs(dialog, midX, g.height - g.cy - 1, FrameBlue));
    EXPECT_TRUE(PixelIs(dialog, 1, 8, FrameBlue)) << "near a corner, inside the region";

    // Band: one mid-blue top edge; the bottom edge runs from light blue on
    // the left to the frame blue on the right, not quite reached.
    EXPECT_TRUE(PixelIs(dialog, g.band.left, g.band.top, CaptionMidBlue));
    EXPECT_TRUE(PixelIs(dialog, midX, g.band.top, CaptionMidBlue, 2));
    EXPECT_TRUE(PixelIs(dialog, g.band.right - 1, g.band.top, CaptionMidBlue, 2));
    EXPECT_TRUE(PixelIs(dialog, g.band.left, g.band.bottom - 1, CaptionLightBlue, 20));
    EXPECT_TRUE(PixelIs(dialog, g.band.right - 1, g.band.bottom - 1, FrameBlue, 20));
    EXPECT_TRUE(PixelIs(dialog, g.band.left, g.band.top - 1, FrameBlue)) << "the top strip above the band";
    EXPECT_FALSE(PixelIs(dialog, g.band.left, g.band.bottom, CaptionLightBlue, 40)) << "the client below the band";
}

TEST_F(DialogTest, InactiveCaptionRunsFromWhite)
{
    HWND dialog = Open(TestDialogStyle, 300, 200, "");
    SendMessageA(dialog, WM_ACTIVATE, WA_INACTIVE, 0);
    const DialogGeometry g = GeometryOf(dialog);
    for (int x : {static_cast<int>(g.band.left), g.width / 2, static_cast<int>(g.band.right) - 1})
        EXPECT_TRUE(PixelIs(dialog, x, g.band.top, White)) << "top row at x " << x;
    EXPECT_TRUE(PixelIs(dialog, g.band.left, g.band.bottom - 1, CaptionMidBlue, 16));
    EXPECT_TRUE(PixelIs(dialog, g.band.right - 1, g.band.bottom - 1, CaptionMidBlue, 16));
}

TEST_F(DialogTest, IconAndTitlePlaces)
{
    struct TitleCase {
        const char *name;
        bool icon;
        const char *title;
        int titleInset;  // from the band's left edge; -1: no title drawn
    };
    const TitleCase cases[] = {
        {"icon and title", true, "HHHH", 28},
        {"title alone", false, "HHHH", 10},
        {"icon alone", true, "", -1},
    };
    const COLORREF green = RGB(0, 255, 0);
    HICON icon = SolidIcon(green);
    for (const TitleCase &c : cases) {
        HWND dialog = Open(TestDialogStyle, 300, 200, c.title);
        SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
        if (c.icon)
            SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        const DialogGeometry g = GeometryOf(dialog);
        const int iconX = g.band.left + 6;
        const int iconY = g.band.top + 2;
        EXPECT_EQ(PixelIs(dialog, iconX, iconY, green), c.icon) << c.name;
        EXPECT_EQ(PixelIs(dialog, iconX + 15, iconY + 15, green), c.icon) << c.name;
        EXPECT_FALSE(PixelIs(dialog, iconX - 1, iconY, green)) << c.name;
        EXPECT_FALSE(PixelIs(dialog, iconX + 16, iconY, green)) << c.name;
        EXPECT_FALSE(PixelIs(dialog, iconX, iconY - 1, green)) << c.name;

        const int searchFrom = c.icon ? iconX + 16 : static_cast<int>(g.band.left);
        const int first = FirstDarkColumn(dialog, g.band, searchFrom, g.minFace.left - 2);
        if (c.titleInset < 0) {
            EXPECT_EQ(first, -1) << c.name << ": nothing dark in the band";
        } else {
            EXPECT_GE(first, g.band.left + c.titleInset) << c.name;
            EXPECT_LE(first, g.band.left + c.titleInset + 2) << c.name;
        }
    }
    DestroyIcon(icon);
}

// What stands at a button's place: the top-left of a group's gradient, or
// nothing (-1: the caption shows through).
const COLORREF NoButton = CLR_INVALID;

struct ButtonCase {
    const char *name;
    DWORD boxes;  // WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX
    int closeState;
    int minState;
    int maxState;
    COLORREF close;
    COLORREF min;
    COLORREF max;
};

void ExpectButton(HWND dialog, const RECT &face, COLORREF top, const char *name, const char *button)
{
    const COLORREF seen = ReadWindowPixel(dialog, face.left, face.top);
    if (top == NoButton) {
        for (COLORREF group : {PressedGroupTop, NormalGroupTop, HotGroupTop, UnofferedGroupTop})
            EXPECT_FALSE(ColoursNear(seen, group, 6)) << name << ", " << button << ": an empty place";
        EXPECT_FALSE(PixelIs(dialog, face.left - 2, face.top + 5, White)) << name << ", " << button << ": no outline";
        return;
    }
    EXPECT_TRUE(PixelIs(dialog, face.left, face.top, top)) << name << ", " << button;
    EXPECT_TRUE(PixelIs(dialog, face.left - 2, face.top + 5, White)) << name << ", " << button << ": outline";
}

TEST_F(DialogTest, CaptionButtonsFollowStateAndStyle)
{
    const DWORD all = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    const ButtonCase cases[] = {
        {"all normal", all, CBST_NORMAL, CBST_NORMAL, CBST_NORMAL, NormalGroupTop, NormalGroupTop, NormalGroupTop},
        {"pressed, hot, normal", all, CBST_PRESSED, CBST_HOT, CBST_NORMAL, PressedGroupTop, HotGroupTop,
         NormalGroupTop},
        {"normal, pressed, hot", all, CBST_NORMAL, CBST_PRESSED, CBST_HOT, NormalGroupTop, PressedGroupTop,
         HotGroupTop},
        {"close only", WS_SYSMENU, CBST_HOT, CBST_NORMAL, CBST_NORMAL, HotGroupTop, NoButton, NoButton},
        {"minimise box only", WS_SYSMENU | WS_MINIMIZEBOX, CBST_NORMAL, CBST_PRESSED, CBST_HOT, NormalGroupTop,
         PressedGroupTop, UnofferedGroupTop},
        {"maximise box only", WS_SYSMENU | WS_MAXIMIZEBOX, CBST_NORMAL, CBST_HOT, CBST_PRESSED, NormalGroupTop,
         UnofferedGroupTop, PressedGroupTop},
        {"boxes without a system menu", WS_MINIMIZEBOX | WS_MAXIMIZEBOX, CBST_HOT, CBST_NORMAL, CBST_NORMAL,
         NoButton, NormalGroupTop, NormalGroupTop},
    };
    for (const ButtonCase &c : cases) {
        HWND dialog = Open(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME | c.boxes, 300, 200, "");
        CaptionButtonState *buttons = ButtonsOf(dialog);
        buttons->closeState = c.closeState;
        buttons->minState = c.minState;
        buttons->maxState = c.maxState;
        SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
        const DialogGeometry g = GeometryOf(dialog);
        ExpectButton(dialog, g.closeFace, c.close, c.name, "close");
        ExpectButton(dialog, g.minFace, c.min, c.name, "minimise");
        ExpectButton(dialog, g.maxFace, c.max, c.name, "maximise");
    }
}

TEST_F(DialogTest, ButtonGradientsRunDownToTheirBottomColours)
{
    struct GradientCase {
        int state;
        COLORREF bottom;
    };
    const GradientCase cases[] = {
        {CBST_NORMAL, NormalGroupBottom},
        {CBST_PRESSED, PressedGroupBottom},
        {CBST_HOT, HotGroupBottom},
    };
    HWND dialog = Open(TestDialogStyle | WS_MINIMIZEBOX, 300, 200, "");
    const DialogGeometry g = GeometryOf(dialog);
    for (const GradientCase &c : cases) {
        ButtonsOf(dialog)->closeState = c.state;
        ButtonsOf(dialog)->minState = c.state;
        SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
        EXPECT_TRUE(PixelIs(dialog, g.closeFace.left, g.closeFace.bottom - 1, c.bottom, 24)) << "state " << c.state;
        EXPECT_TRUE(PixelIs(dialog, g.maxFace.left, g.maxFace.bottom - 1, UnofferedGroupBottom, 24))
            << "state " << c.state;
    }
}

struct GlyphPoint {
    int dx;  // from the face's left (>= 0) or right (< 0) edge
    int dy;  // from the face's top (>= 0) or bottom (< 0) edge
    bool white;
};

void ExpectGlyph(HWND dialog, const RECT &face, const std::vector<GlyphPoint> &points, const char *name)
{
    for (const GlyphPoint &p : points) {
        const int x = p.dx >= 0 ? face.left + p.dx : face.right + p.dx;
        const int y = p.dy >= 0 ? face.top + p.dy : face.bottom + p.dy;
        EXPECT_EQ(PixelIs(dialog, x, y, White), p.white) << name << " at (" << x << ", " << y << ")";
    }
}

TEST_F(DialogTest, GlyphsAndOutlines)
{
    HWND dialog = Open(TestDialogStyle | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 300, 200, "");
    SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
    const DialogGeometry g = GeometryOf(dialog);
    // An X from 3 pixels inside each corner; lines leave out their end points.
    ExpectGlyph(dialog, g.closeFace,
                {{3, 3, true}, {4, 4, true}, {-4, -4, true}, {-3, -3, false}, {-3, 3, true}, {4, -4, true},
                 {3, -3, false}, {1, 1, false}, {-2, 1, false}},
                "close");
    // A bar two pixels high, 4 pixels in from the sides and the bottom.
    ExpectGlyph(dialog, g.minFace,
                {{4, -4, true}, {-5, -4, true}, {-4, -4, false}, {3, -4, false}, {4, -5, true}, {-5, -5, true},
                 {4, -6, false}, {4, -3, false}},
                "minimise");
    // A plus of fixed size, 7 by 7, from the top-left corner.
    ExpectGlyph(dialog, g.maxFace,
                {{2, 5, true}, {8, 5, true}, {9, 5, false}, {1, 5, false}, {5, 2, true}, {5, 8, true}, {5, 9, false},
                 {5, 1, false}, {3, 3, false}},
                "maximise");
    // The white outline stands 2 pixels outside each face, with the caption
    // showing between.
    for (const RECT &face : {g.closeFace, g.maxFace, g.minFace}) {
        const int midX = (face.left + face.right) / 2;
        const int midY = (face.top + face.bottom) / 2;
        EXPECT_TRUE(PixelIs(dialog, face.left - 2, midY, White)) << face.left;
        EXPECT_TRUE(PixelIs(dialog, face.right + 1, midY, White)) << face.left;
        EXPECT_TRUE(PixelIs(dialog, midX, face.top - 2, White)) << face.left;
        EXPECT_TRUE(PixelIs(dialog, midX, face.bottom + 1, White)) << face.left;
        EXPECT_FALSE(PixelIs(dialog, face.left - 1, midY, White)) << face.left;
        EXPECT_FALSE(PixelIs(dialog, face.left - 3, midY, White)) << face.left;
        EXPECT_FALSE(PixelIs(dialog, face.right + 2, midY, White)) << face.left;
    }
}

TEST_F(DialogTest, DialogWithoutCaptionKeepsRegionAndStrips)
{
    struct NoCaptionCase {
        const char *name;
        DWORD style;
    };
    const NoCaptionCase cases[] = {
        {"dialog frame only", WS_POPUP | WS_VISIBLE | WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX},
        {"border only", WS_POPUP | WS_VISIBLE | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX},
    };
    for (const NoCaptionCase &c : cases) {
        HWND dialog = Open(c.style, 200, 120, "No caption");
        SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
        const DialogGeometry g = GeometryOf(dialog);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(GetWindowRgn(dialog, region), ERROR) << c.name;
        EXPECT_FALSE(PtInRegion(region, 0, 0)) << c.name;
        DeleteObject(region);
        // At the outer edges whatever border the dialog really has; the
        // client area covers what lies inside its own border, and the region
        // leaves out the last column and row.
        EXPECT_TRUE(PixelIs(dialog, 0, g.height / 2, FrameBlue)) << c.name;
        EXPECT_TRUE(PixelIs(dialog, g.width / 2, 0, FrameBlue)) << c.name;
        // Where a caption would be: no band, no title, no buttons.
        const COLORREF face = CurrentFace()->dialogBackground;
        EXPECT_TRUE(PixelIs(dialog, g.band.left + 4, g.band.top + 2, face)) << c.name;
        EXPECT_TRUE(PixelIs(dialog, g.closeFace.left, g.closeFace.top, face)) << c.name;
        EXPECT_TRUE(PixelIs(dialog, g.minFace.left, g.minFace.top, face)) << c.name;
    }
}

TEST_F(DialogTest, WithoutTheBackgroundFileTheClientIsThePlainDialogFace)
{
    ASSERT_EQ(GetFileAttributesA(".\\face\\back.bmp"), INVALID_FILE_ATTRIBUTES)
        << "this program runs where there is no background file";
    HWND dialog = Open(TestDialogStyle, 160, 120, "");
    const COLORREF red = RGB(255, 0, 0);
    const COLORREF face = CurrentFace()->dialogBackground;
    auto fillRed = [&] {
        HDC client = GetDC(dialog);
        RECT rect;
        GetClientRect(dialog, &rect);
        HBRUSH brush = CreateSolidBrush(red);
        FillRect(client, &rect, brush);
        DeleteObject(brush);
        ReleaseDC(dialog, client);
    };
    auto expectFace = [&](const char *how, int round) {
        RECT rect;
        GetClientRect(dialog, &rect);
        HDC client = GetDC(dialog);
        EXPECT_EQ(GetPixel(client, 0, 0), face) << how << ", round " << round;
        EXPECT_EQ(GetPixel(client, rect.right - 1, rect.bottom - 1), face) << how << ", round " << round;
        EXPECT_EQ(GetPixel(client, rect.right / 2, rect.bottom / 2), face) << how << ", round " << round;
        ReleaseDC(dialog, client);
    };
    for (int round = 1; round <= 2; ++round) {
        fillRed();
        HDC client = GetDC(dialog);
        EXPECT_EQ(SendMessageA(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(client), 0), 1);
        ReleaseDC(dialog, client);
        expectFace("erased", round);

        fillRed();
        InvalidateRect(dialog, nullptr, TRUE);
        UpdateWindow(dialog);
        expectFace("repainted", round);
    }
}

TEST_F(DialogTest, AFaceWithADialogBackgroundOfItsOwnPaintsTheClientInIt)
{
    Face ownBackground = BuiltInFace;
    ownBackground.dialogBackground = RGB(0x12, 0x34, 0x56);
    currentFace = &ownBackground;
    HWND dialog = Open(TestDialogStyle, 160, 120, "");
    InvalidateRect(dialog, nullptr, TRUE);
    UpdateWindow(dialog);
    HDC client = GetDC(dialog);
    const COLORREF seen = GetPixel(client, 10, 10);
    ReleaseDC(dialog, client);
    currentFace = &BuiltInFace;
    EXPECT_EQ(seen, ownBackground.dialogBackground);
}

TEST_F(DialogTest, PaintersAndInputBalanceEveryGdiObjectAndDC)
{
    HWND dialog = Open(TestDialogStyle | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 300, 200, "Counting");
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    RECT window;
    GetWindowRect(dialog, &window);
    HRGN part = CreateRectRgn(window.left, window.top, window.left + 100, window.bottom);
    GdiLedger ledger;
    for (int i = 0; i < 2; ++i) {
        SendMessageA(dialog, WM_NCPAINT, 1, 0);
        SendMessageA(dialog, WM_NCPAINT, reinterpret_cast<WPARAM>(part), 0);
        SendMessageA(dialog, WM_NCACTIVATE, i, 0);
        SendMessageA(dialog, WM_ACTIVATE, i, 0);
        SendMessageA(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
        SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        InvalidateRect(dialog, nullptr, TRUE);
        UpdateWindow(dialog);
        SendMessageA(dialog, WM_NCMOUSEMOVE, HTCLOSE, 0);
        SendMessageA(dialog, WM_NCLBUTTONDOWN, HTMINBUTTON, 0);
        SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
        SendMessageA(dialog, WM_NCLBUTTONUP, HTCLOSE, 0);
        SendMessageA(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        // Region dropped and made anew.
        ShowWindow(dialog, SW_MAXIMIZE);
        ShowWindow(dialog, SW_RESTORE);
        PumpMessages();
    }
    EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
    EXPECT_GT(ledger.CreatedCount(), 0) << "the ledger saw the painters at work";
    DeleteObject(part);
}

}  // namespace

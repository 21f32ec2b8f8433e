// The client background tiled from ".\face\back.bmp". This program makes its
// own tile and moves into the folder that holds it before any dialog paints,
// since the file is looked for once per process.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/skin.h"
#include "dialog_testing.h"
#include "support/dib_canvas.h"
#include "support/gdi_ledger.h"

namespace {

const int TileWidth = 32;
const int TileHeight = 20;

// Every pixel of the tile differs, so a client pixel tells where in which
// tile it lies.
COLORREF TilePixel(int x, int y)
{
    return RGB(x * 8, y * 12, 100);
}

bool WriteTile(const std::string &path)
{
    const int stride = (TileWidth * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = TileWidth;
    info.biHeight = TileHeight;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = stride * TileHeight;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<unsigned char> rows(info.biSizeImage, 0);
    for (int y = 0; y < TileHeight; ++y) {
        unsigned char *row = rows.data() + (TileHeight - 1 - y) * stride;
        for (int x = 0; x < TileWidth; ++x) {
            const COLORREF colour = TilePixel(x, y);
            row[x * 3] = GetBValue(colour);
            row[x * 3 + 1] = GetGValue(colour);
            row[x * 3 + 2] = GetRValue(colour);
        }
    }
    FILE *out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(rows.data(), 1, rows.size(), out);
    return std::fclose(out) == 0;
}

std::string tileFolder;
std::string emptyFolder;

class TileFolder : public testing::Environment {
public:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string base = std::string(temp) + "velk_dialog_background_" + std::to_string(GetCurrentProcessId());
        tileFolder = base + "\\with_tile";
        emptyFolder = base + "\\without_tile";
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA(tileFolder.c_str(), nullptr);
        CreateDirectoryA(emptyFolder.c_str(), nullptr);
        CreateDirectoryA((tileFolder + "\\face").c_str(), nullptr);
        ASSERT_TRUE(WriteTile(tileFolder + "\\face\\back.bmp"));
        ASSERT_TRUE(SetCurrentDirectoryA(tileFolder.c_str()));
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(tileFolder.c_str());
        SetCurrentDirectoryA("..");
        DeleteFileA((tileFolder + "\\face\\back.bmp").c_str());
        RemoveDirectoryA((tileFolder + "\\face").c_str());
        RemoveDirectoryA(tileFolder.c_str());
        RemoveDirectoryA(emptyFolder.c_str());
    }
};

testing::Environment *const tileFolderEnvironment = testing::AddGlobalTestEnvironment(new TileFolder);

std::vector<std::wstring> loadedFiles;
decltype(&LoadImageW) realLoadImage = nullptr;

HANDLE WINAPI RecordingLoadImage(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags)
{
    if (flags & LR_LOADFROMFILE)
        loadedFiles.push_back(name);
    return realLoadImage(instance, name, type, cx, cy, flags);
}

// A skinned dialog whose client area is exactly width by height.
HWND OpenWithClient(int width, int height, std::vector<HWND> *windows)
{
    HWND dialog = OpenSkinnedDialog(TestDialogStyle, 200, 150, "", nullptr);
    windows->push_back(dialog);
    RECT window;
    RECT client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    SetWindowPos(dialog, nullptr, 0, 0, (window.right - window.left) - client.right + width,
                 (window.bottom - window.top) - client.bottom + height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    return dialog;
}

void ExpectTiled(HWND dialog, const char *name)
{
    RECT client;
    GetClientRect(dialog, &client);
    HDC dc = GetDC(dialog);
    const POINT samples[] = {{0, 0},
                             {TileWidth - 1, TileHeight - 1},
                             {TileWidth, 0},
                             {0, TileHeight},
                             {TileWidth + 5, TileHeight + 7},
                             {client.right - 1, client.bottom - 1},
                             {client.right / 2, client.bottom / 2}};
    for (const POINT &p : samples) {
        if (p.x >= client.right || p.y >= client.bottom)
            continue;
        EXPECT_EQ(GetPixel(dc, p.x, p.y), TilePixel(p.x % TileWidth, p.y % TileHeight))
            << name << " at (" << p.x << ", " << p.y << ")";
    }
    ReleaseDC(dialog, dc);
}

// First in this program: the load happens at the first paint of the process.
TEST_F(DialogTest, TileIsLoadedOnceAndKeptForTheProcess)
{
    ScopedImportPatch patch(LibraryModule(), "USER32.dll", "LoadImageW", reinterpret_cast<void *>(RecordingLoadImage));
    ASSERT_NE(patch.original, nullptr);
    realLoadImage = reinterpret_cast<decltype(&LoadImageW)>(patch.original);
    loadedFiles.clear();

    HWND first = OpenWithClient(100, 60, &windows);
    HWND second = OpenWithClient(90, 70, &windows);
    for (int i = 0; i < 3; ++i) {
        InvalidateRect(first, nullptr, TRUE);
        InvalidateRect(second, nullptr, TRUE);
        UpdateWindow(first);
        UpdateWindow(second);
    }
    ExpectTiled(first, "first dialog");
    ExpectTiled(second, "second dialog");
    ASSERT_EQ(loadedFiles.size(), 1u) << "one load for every paint of every dialog";
    EXPECT_EQ(loadedFiles[0], L".\\face\\back.bmp");

    // Neither a change of folder nor of the file reaches a new dialog.
    ASSERT_TRUE(SetCurrentDirectoryA(emptyFolder.c_str()));
    HWND third = OpenWithClient(80, 50, &windows);
    InvalidateRect(third, nullptr, TRUE);
    UpdateWindow(third);
    ExpectTiled(third, "dialog opened elsewhere");
    EXPECT_EQ(loadedFiles.size(), 1u);
    ASSERT_TRUE(SetCurrentDirectoryA(tileFolder.c_str()));
}

struct TilingCase {
    const char *name;
    int width;
    int height;
};

TEST_F(DialogTest, TilesRunFromTheClientOriginToTheLastPixel)
{
    const TilingCase cases[] = {
        {"70 by 45", 70, 45},
        {"exact multiple 64 by 40", 64, 40},
        {"smaller than a tile", 20, 10},
    };
    for (const TilingCase &c : cases) {
        HWND dialog = OpenWithClient(c.width, c.height, &windows);
        RECT client;
        GetClientRect(dialog, &client);
        ASSERT_EQ(client.right, c.width) << c.name;
        ASSERT_EQ(client.bottom, c.height) << c.name;
        InvalidateRect(dialog, nullptr, TRUE);
        UpdateWindow(dialog);
        ExpectTiled(dialog, c.name);
    }
}

// Counts the client pixels, at the points ExpectTiled samples, that show the
// wrong part of the tile.
int MistiledPixels(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    HDC dc = GetDC(dialog);
    int wrong = 0;
    for (int y = 0; y < client.bottom; y += 7) {
        for (int x = 0; x < client.right; x += 5)
            wrong += GetPixel(dc, x, y) != TilePixel(x % TileWidth, y % TileHeight);
    }
    ReleaseDC(dialog, dc);
    return wrong;
}

DWORD WINAPI PaintDialogOverAndOver(LPVOID param)
{
    std::vector<HWND> windows;
    HWND dialog = OpenWithClient(90, 60, &windows);
    int wrong = 0;
    for (int i = 0; i < 30; ++i) {
        InvalidateRect(dialog, nullptr, TRUE);
        UpdateWindow(dialog);
        wrong += MistiledPixels(dialog);
    }
    *static_cast<int *>(param) = wrong;
    DestroyWindow(dialog);
    return 0;
}

TEST_F(DialogTest, ThreadsPaintingAtOnceAllGetTheirTiles)
{
    int wrong[3] = {-1, -1, -1};
    HANDLE threads[3];
    for (int i = 0; i < 3; ++i)
        threads[i] = CreateThread(nullptr, 0, PaintDialogOverAndOver, &wrong[i], 0, nullptr);
    WaitForMultipleObjects(3, threads, TRUE, INFINITE);
    for (int i = 0; i < 3; ++i) {
        CloseHandle(threads[i]);
        EXPECT_EQ(wrong[i], 0) << "thread " << i;
    }
}

// A child that asks for the background, here a label, shows the tiles that
// lie beneath it, lined up with the dialog's own, even where the dialog
// clips its children and so never paints there.
TEST_F(DialogTest, ChildrenGetTheTilesBeneathThem)
{
    HWND dialog = OpenWithClient(200, 120, &windows);
    SetWindowLongA(dialog, GWL_STYLE, GetWindowLongA(dialog, GWL_STYLE) | WS_CLIPCHILDREN);
    const POINT at = {37, 23};
    HWND label = CreateChild(dialog, "Static", SS_LEFT, at.x, at.y, 90, 40, 0, "a");
    ASSERT_NE(AttachWindow(label), nullptr);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(label);
    for (const POINT &p : {POINT{89, 39}, POINT{60, 20}, POINT{30, 35}, POINT{75, 5}})
        EXPECT_EQ(GetPixel(dc, p.x, p.y), TilePixel((at.x + p.x) % TileWidth, (at.y + p.y) % TileHeight))
            << "label at (" << p.x << ", " << p.y << ")";
    ReleaseDC(label, dc);

    // WM_PRINTCLIENT into a DC whose origin is moved as a child moves it.
    Canvas canvas(40, 30);
    SetWindowOrgEx(canvas.dc, at.x, at.y, nullptr);
    SendMessageA(dialog, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
    SetWindowOrgEx(canvas.dc, 0, 0, nullptr);
    GdiFlush();
    for (const POINT &p : {POINT{0, 0}, POINT{39, 29}, POINT{17, 11}})
        EXPECT_EQ(canvas.At(p.x, p.y), TilePixel((at.x + p.x) % TileWidth, (at.y + p.y) % TileHeight))
            << "printed at (" << p.x << ", " << p.y << ")";
}

TEST_F(DialogTest, TilingBalancesEveryGdiObjectAndDC)
{
    HWND dialog = OpenWithClient(70, 45, &windows);
    GdiLedger ledger;
    for (int i = 0; i < 3; ++i) {
        // The library creates nothing for a paint: the tile's brush is kept,
        // the DC is BeginPaint's. That the paint reached it shows on screen.
        HDC client = GetDC(dialog);
        SetPixel(client, 5, 5, RGB(1, 2, 3));
        ReleaseDC(dialog, client);
        InvalidateRect(dialog, nullptr, TRUE);
        UpdateWindow(dialog);
        client = GetDC(dialog);
        ASSERT_EQ(GetPixel(client, 5, 5), TilePixel(5, 5)) << "WM_ERASEBKGND never reached the painter";
        ReleaseDC(dialog, client);
    }
    EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
    ExpectTiled(dialog, "after the counted paints");
}

}  // namespace

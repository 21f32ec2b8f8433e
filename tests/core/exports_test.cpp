// The shipped velk.dll, loaded and called the way a host does it.
#include <windows.h>

#include <gtest/gtest.h>

#include "velk.h"

#include <string>

namespace {

class ShippedDllTest : public testing::Test {
protected:
    HMODULE dll = nullptr;
    EnskinProc enskin = nullptr;
    DlgInitProc dlgInit = nullptr;
    EnskinFaceProc enskinFace = nullptr;

    void SetUp() override
    {
        dll = LoadLibraryA("velk.dll");
        ASSERT_NE(dll, nullptr);
        enskin = reinterpret_cast<EnskinProc>(GetProcAddress(dll, "Enskin"));
        dlgInit = reinterpret_cast<DlgInitProc>(GetProcAddress(dll, "DlgInit"));
        ASSERT_NE(enskin, nullptr);
        enskinFace = reinterpret_cast<EnskinFaceProc>(GetProcAddress(dll, "EnskinFace"));
        ASSERT_NE(dlgInit, nullptr);
        ASSERT_NE(enskinFace, nullptr);
    }
    void TearDown() override { FreeLibrary(dll); }
};

TEST_F(ShippedDllTest, ExportsByNameAndOrdinal)
{
    EXPECT_EQ(reinterpret_cast<void *>(GetProcAddress(dll, MAKEINTRESOURCEA(1))), reinterpret_cast<void *>(enskin));
    EXPECT_EQ(reinterpret_cast<void *>(GetProcAddress(dll, MAKEINTRESOURCEA(2))), reinterpret_cast<void *>(dlgInit));
    EXPECT_EQ(reinterpret_cast<void *>(GetProcAddress(dll, MAKEINTRESOURCEA(3))),
              reinterpret_cast<void *>(enskinFace));
    EXPECT_EQ(GetProcAddress(dll, MAKEINTRESOURCEA(4)), nullptr);
}

TEST_F(ShippedDllTest, SkinsAThreadAndReleasesIt)
{
    HWND window = CreateWindowExA(0, "#32770", "host", WS_POPUP | WS_CAPTION | WS_VISIBLE, 20, 20, 200, 120,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND button = CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, window, nullptr,
                                  nullptr, nullptr);
    const LONG_PTR buttonProc = GetWindowLongPtrA(button, GWLP_WNDPROC);

    EXPECT_NE(enskin(nullptr, 1), 0);
    EXPECT_NE(GetWindowLongPtrA(button, GWLP_WNDPROC), buttonProc);
    EXPECT_NE(enskin(nullptr, 0), 0);
    EXPECT_EQ(GetWindowLongPtrA(button, GWLP_WNDPROC), buttonProc);

    EXPECT_NE(enskin(button, 1), 0);
    EXPECT_EQ(enskin(button, 0), 0) << "the only record";
    EXPECT_EQ(GetWindowLongPtrA(button, GWLP_WNDPROC), buttonProc);
    DestroyWindow(window);
}

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH info = {};
    const bool described = GetObjectA(brush, sizeof info, &info) == static_cast<int>(sizeof info);
    DeleteObject(brush);
    return described ? info.lbColor : CLR_INVALID;
}

// DlgInit follows the face: a folder's own, none for a folder without a
// face.ini, and the start-up one back.
TEST_F(ShippedDllTest, DlgInitHandsOverABrushInTheFacesFrameColour)
{
    EXPECT_EQ(BrushColour(dlgInit(0)), COLORREF{0x00FF350B});
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    lstrcatW(folder, L"velk-exports-face");
    CreateDirectoryW(folder, nullptr);
    const std::wstring ini = std::wstring(folder) + L"\\face.ini";
    EXPECT_EQ(enskinFace(folder), FALSE) << "a folder without face.ini";
    HANDLE file = CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char text[] = "[colours]\r\nDialogFrame=#123456\r\n";
    DWORD written = 0;
    WriteFile(file, text, sizeof text - 1, &written, nullptr);
    CloseHandle(file);
    EXPECT_NE(enskinFace(folder), FALSE);
    EXPECT_EQ(BrushColour(dlgInit(0)), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(enskinFace(L"Z:\\no such folder"), FALSE);
    EXPECT_EQ(BrushColour(dlgInit(0)), RGB(0x12, 0x34, 0x56)) << "a failed switch changed the face";
    EXPECT_NE(enskinFace(nullptr), FALSE);
    EXPECT_EQ(BrushColour(dlgInit(0)), COLORREF{0x00FF350B});
    DeleteFileW(ini.c_str());
    RemoveDirectoryW(folder);
}

} // namespace

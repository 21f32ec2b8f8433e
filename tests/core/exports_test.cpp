// The shipped velk.dll, loaded and called the way a host does it.
#include <windows.h>

#include <gtest/gtest.h>

#include "velk.h"

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
    const FARPROC programColours = GetProcAddress(dll, "EnskinProgramColours");
    EXPECT_NE(programColours, nullptr);
    EXPECT_EQ(GetProcAddress(dll, MAKEINTRESOURCEA(4)), programColours);
    EXPECT_EQ(GetProcAddress(dll, MAKEINTRESOURCEA(5)), nullptr);
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

TEST_F(ShippedDllTest, DlgInitHandsOverABrush)
{
    HBRUSH brush = dlgInit(0);
    LOGBRUSH info = {};
    ASSERT_EQ(GetObjectA(brush, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.lbColor, COLORREF{0x00FF350B});
    DeleteObject(brush);
}

} // namespace

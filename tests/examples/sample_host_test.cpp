// The sample host, run as its own process the way a user runs it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/harness.h"

namespace {

// Colours of the skin: the dialog's frame, and a push button's backdrop top
// row, its outline and the shadow down its left side.
const COLORREF DialogFrame = RGB(11, 53, 255);
const COLORREF ButtonBackdrop = 0x00C2D6DC;
const COLORREF ButtonOutline = 0x00743C00;
const COLORREF ButtonShadow = 0x00CBDEE2;

TEST(SampleHostTest, SkinsItsDialogAndEndsCleanlyWhenOkIsClicked)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string sample(path);
    sample = sample.substr(0, sample.find_last_of("\\/") + 1) + "sample.exe";

    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(sample.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process))
        << sample;

    HWND dialog = WaitForShownWindow(nullptr, "velk sample", 10000);
    ASSERT_NE(dialog, nullptr) << "the sample's dialog never appeared";
    HWND ok = GetDlgItem(dialog, IDOK);
    ASSERT_NE(ok, nullptr);
    char text[16] = {};
    GetWindowTextA(ok, text, sizeof text);
    EXPECT_STREQ(text, "OK");

    // Skinned: the dialog has its rounded region and blue frame, the button
    // its backdrop, outline and shadow.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(dialog, region), ERROR) << "the dialog has no window region";
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "the dialog's corner is not rounded off";
    DeleteObject(region);
    RECT window;
    RECT button;
    GetWindowRect(dialog, &window);
    GetWindowRect(ok, &button);
    const int buttonMiddle = (button.right - button.left) / 2;
    std::vector<NamedPixel> pixels = {
        {"dialog frame", dialog, {1, (window.bottom - window.top) / 2}, DialogFrame, 0},
        {"button backdrop", ok, {buttonMiddle, 0}, ButtonBackdrop, 0},
        {"button outline", ok, {buttonMiddle, 1}, ButtonOutline, 0},
        {"button shadow", ok, {0, (button.bottom - button.top) / 2}, ButtonShadow, 0},
    };
    AwaitPixels(&pixels, 5000);
    for (const NamedPixel &pixel : pixels)
        EXPECT_EQ(pixel.seen, pixel.expected)
            << pixel.name << std::hex << ": seen 0x" << pixel.seen << ", expected 0x" << pixel.expected;

    // The skinned button carries out the click itself and notifies the dialog.
    SendMessageA(ok, BM_CLICK, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0) << "the sample did not end";
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u) << "the dialog did not end with OK";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace

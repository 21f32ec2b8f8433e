// The sample host and the gallery watching a face, each run as its own
// process the way a user runs it.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
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

// As a face author runs it: a rewritten face.ini shows in the window within
// half a second.
TEST(GalleryWatchTest, ARewrittenFaceIniShowsInTheWindowWithinHalfASecond)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string here = std::string(path).substr(0, std::string(path).find_last_of("\\/") + 1);
    const std::string face = here + "watched-face-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(face.c_str(), nullptr);
    auto writeFrame = [&](const char *colour) {
        std::ofstream(face + "\\face.ini") << "[colours]\nDialogFrame=#" << colour << "\n";
    };
    writeFrame("102030");
    std::string command = "\"" + here + "gallery.exe\" --face \"" + face + "\" --watch";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION gallery = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &gallery));
    HWND window = WaitForShownWindow(nullptr, "velk gallery", 30000);
    ASSERT_NE(window, nullptr) << "the gallery's window never appeared";
    RECT rect;
    GetWindowRect(window, &rect);
    std::vector<NamedPixel> frame = {{"frame", window, {1, (rect.bottom - rect.top) / 2}, RGB(0x10, 0x20, 0x30), 0}};
    AwaitPixels(&frame, 10000);
    EXPECT_EQ(frame[0].seen, frame[0].expected) << "the face given";
    // As an author edits: with the gallery painted and waiting.
    WaitForInputIdle(gallery.hProcess, 10000);

    const double written = Milliseconds();
    writeFrame("C0D0E0");
    frame[0].expected = RGB(0xC0, 0xD0, 0xE0);
    AwaitPixels(&frame, 5000);
    const double shown = Milliseconds() - written;
    EXPECT_EQ(frame[0].seen, frame[0].expected) << "the rewritten face";
    EXPECT_LT(shown, 500.0) << "ms from the write to the window's new colour";
    std::printf("the rewritten face showed after %.0f ms\n", shown);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(gallery.hProcess, 10000), WAIT_OBJECT_0) << "the gallery did not end";
    CloseHandle(gallery.hThread);
    CloseHandle(gallery.hProcess);
    DeleteFileA((face + "\\face.ini").c_str());
    RemoveDirectoryA(face.c_str());
}

} // namespace

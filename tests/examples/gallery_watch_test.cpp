// The gallery watching a face, run as a face author runs it: a rewritten
// face.ini shows in its window within half a second.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/harness.h"

namespace {

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

}  // namespace

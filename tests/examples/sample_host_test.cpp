// The sample host, run as its own process the way a user runs it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The dialog is found by its title as soon as it exists, before its controls
// do; it is shown once they are all there.
HWND WaitForShownDialog(const char *title, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        HWND window = FindWindowA(nullptr, title);
        if (window != nullptr && IsWindowVisible(window))
            return window;
        Sleep(20);
    }
    return nullptr;
}

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

    HWND dialog = WaitForShownDialog("velk sample", 10000);
    ASSERT_NE(dialog, nullptr) << "the sample's dialog never appeared";
    HWND ok = GetDlgItem(dialog, IDOK);
    ASSERT_NE(ok, nullptr);
    char text[16] = {};
    GetWindowTextA(ok, text, sizeof text);
    EXPECT_STREQ(text, "OK");

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

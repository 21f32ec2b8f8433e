// Programs that know nothing of the library, started through velk-run (the
// one beside the gallery) and photographed from the screen: Notepad with its
// Find dialog open, Wine's configuration, a property sheet, and Wine's file
// manager with its File menu dropped from the bar.
#include "gallery.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct ShownProgram {
    const char *commandLine;  // after velk-run.exe
    const char *windowClass;  // and title, of its main window
    const char *windowTitle;
    RECT place;          // in screen pixels; an empty one keeps the window's size
    UINT dialogCommand;  // the menu command of a dialog to show open, or 0
    char menuKey;        // the mnemonic of a menu to show dropped, or 0
};

const ShownProgram Programs[] = {
    {"notepad.exe", "Notepad", nullptr, {8, 8, 600, 430}, 0x120, 0},  // Search > Search...
    {"winecfg.exe", "#32770", "Wine configuration", {608, 8, 608, 8}, 0, 0},
    {"winefile.exe", "WFS_Frame", nullptr, {8, 440, 600, 800}, 0, 'f'},
};
const DWORD AppearMilliseconds = 15000;
const DWORD SettleMilliseconds = 1000;
const int Margin = 8;

HWND WaitForShown(const char *className, const char *title)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < AppearMilliseconds; Sleep(50)) {
        HWND window = FindWindowA(className, title);
        if (window != nullptr && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// The screen reads late until this thread has pumped messages for a while.
void Settle()
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < SettleMilliseconds; Sleep(10)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
}

bool WriteScreen(const char *path, const RECT &bounds)
{
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    BITMAPINFO info;
    DescribeScreenshotPixels(&info, width, height);
    void *bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP image = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (image == nullptr) {
        DeleteDC(memory);
        return false;
    }
    HGDIOBJ oldImage = SelectObject(memory, image);
    HDC screen = GetDC(nullptr);
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    // BGR rows, each padded to four bytes, into the PNG's RGB.
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * 3 * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * 3; x += 3) {
            const unsigned char *in = static_cast<const unsigned char *>(bits) + y * stride + x;
            unsigned char *out = &rgb[static_cast<size_t>(y) * width * 3 + x];
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    SelectObject(memory, oldImage);
    DeleteObject(image);
    DeleteDC(memory);
    return WritePng(path, rgb.data(), width, height, width * 3);
}

} // namespace

int ShowVelkRun(const char *path, const char *faceFolder)
{
    char gallery[MAX_PATH];
    GetModuleFileNameA(nullptr, gallery, MAX_PATH);
    const std::string launcher = std::string(gallery, std::strrchr(gallery, '\\') + 1) + "velk-run.exe";
    std::vector<HANDLE> launched;
    std::vector<HWND> shown;
    for (const ShownProgram &program : Programs) {
        std::string commandLine = "\"" + launcher + "\" ";
        if (faceFolder != nullptr)
            commandLine += "--face \"" + std::string(faceFolder) + "\" ";
        commandLine += program.commandLine;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        // velk-run is a console program; its console would cover the others.
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &process))
            break;
        CloseHandle(process.hThread);
        launched.push_back(process.hProcess);
        HWND window = WaitForShown(program.windowClass, program.windowTitle);
        if (window == nullptr)
            break;
        const RECT &place = program.place;
        SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | (IsRectEmpty(&place) ? SWP_NOSIZE : 0));
        shown.push_back(window);
        // A menu opened before its window has settled in the foreground
        // closes as soon as it opens.
        if (program.menuKey != 0) {
            SetForegroundWindow(window);
            Settle();
            PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, program.menuKey);
        }
        if (program.dialogCommand == 0)
            continue;
        PostMessageA(window, WM_COMMAND, program.dialogCommand, 0);
        HWND dialog = WaitForShown("#32770", "Find");
        if (dialog == nullptr)
            break;
        // Over the lower right of its program, whose text shows beside it.
        RECT rect;
        RECT dialogRect;
        GetWindowRect(window, &rect);
        GetWindowRect(dialog, &dialogRect);
        SetWindowPos(dialog, nullptr, rect.right - (dialogRect.right - dialogRect.left) - 3 * Margin,
                     rect.bottom - (dialogRect.bottom - dialogRect.top) - 6 * Margin, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
        shown.insert(shown.begin(), dialog);
    }
    bool written = false;
    if (shown.size() == std::size(Programs) + 1) {
        Settle();
        RECT bounds = {0, 0, 0, 0};
        for (HWND window : shown) {
            RECT rect;
            GetWindowRect(window, &rect);
            bounds.right = std::max(bounds.right, rect.right + Margin);
            bounds.bottom = std::max(bounds.bottom, rect.bottom + Margin);
        }
        written = WriteScreen(path, bounds);
    }
    // The dialogs first, then their programs, each of which ends its velk-run;
    // a program's open menu closes with it.
    for (HWND window : shown)
        PostMessageA(window, WM_CLOSE, 0, 0);
    for (HANDLE process : launched) {
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0)
            written = false;
        CloseHandle(process);
    }
    if (!written)
        std::fprintf(stderr, "gallery: could not show and photograph the programs under velk-run\n");
    return written ? 0 : 1;
}

// Face files a host may ship by mistake: ".\face\back.bmp" and
// ".\face\progress.bmp" empty, truncated, not a bitmap, 1-bit, 32-bit, 1 by 1
// and 8000 by 8000 (a missing file is covered beside each painter). Nothing
// may crash, draw outside the bar or the dialog's client area, or keep a GDI
// object past a paint. The dialog background is looked for once per process,
// so each back.bmp case runs in a child process of this program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "controls/face_folder.h"
#include "support/window_pixels.h"
#include "core/skin.h"
#include "support/gdi_ledger.h"
#include "support/harness.h"
#include "support/import_patch.h"
#include "velk.h"

namespace {

enum Content { EMPTY, TEXT, PICTURE };

struct BadFile {
    const char *name;
    Content content;
    int width, height, bitCount;
    COLORREF colour;  // of every pixel
    DWORD cutAfter;   // bytes the file keeps; 0: the whole picture
    bool loads;       // whether the system makes a bitmap of it
};

const BadFile BadFiles[] = {
    {"empty", EMPTY, 0, 0, 0, 0, 0, false},
    {"text", TEXT, 0, 0, 0, 0, 0, false},
    // The header promises 480,000 bytes of pixels and the file holds 100, or
    // it ends after the bit count; Wine makes a black picture of both.
    {"truncated pixels", PICTURE, 400, 400, 24, RGB(0, 0, 0), 154, true},
    {"truncated header", PICTURE, 400, 400, 24, RGB(0, 0, 0), 30, true},
    {"1-bit", PICTURE, 40, 30, 1, RGB(200, 40, 160), 0, true},
    {"32-bit", PICTURE, 40, 30, 32, RGB(30, 160, 90), 0, true},
    {"1 by 1", PICTURE, 1, 1, 24, RGB(90, 30, 200), 0, true},
    // Black, so that its 256 MB of pixels are made by extending the file.
    {"8000 by 8000", PICTURE, 8000, 8000, 32, RGB(0, 0, 0), 0, true},
};

// Painted over the dialog before each paint, so that a stray pixel shows.
const COLORREF OutsideFill = RGB(255, 0, 255);
const COLORREF FrameColour = 0x00190AFA;

bool WriteFace(const std::string &path, const BadFile &bad)
{
    std::vector<BYTE> bytes;
    LONGLONG zeros = 0;  // black pixels, added by extending the file
    if (bad.content == TEXT) {
        const char text[] = "[face]\r\nback=blue\r\n";
        bytes.assign(text, text + sizeof text - 1);
    } else if (bad.content == PICTURE) {
        const DWORD stride = ((bad.width * bad.bitCount + 31) / 32) * 4;
        // A 1-bit picture of all zero bits shows the first palette colour.
        const RGBQUAD palette[2] = {{GetBValue(bad.colour), GetGValue(bad.colour), GetRValue(bad.colour), 0},
                                    {255, 255, 255, 0}};
        const DWORD paletteSize = bad.bitCount == 1 ? sizeof palette : 0;
        const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + paletteSize;
        const BITMAPFILEHEADER file = {0x4D42, offset + stride * bad.height, 0, 0, offset};
        const BITMAPINFOHEADER info = {sizeof info, bad.width, bad.height, 1, static_cast<WORD>(bad.bitCount),
                                       BI_RGB, stride * bad.height, 0, 0, 0, 0};
        bytes.assign(reinterpret_cast<const BYTE *>(&file), reinterpret_cast<const BYTE *>(&file + 1));
        bytes.insert(bytes.end(), reinterpret_cast<const BYTE *>(&info), reinterpret_cast<const BYTE *>(&info + 1));
        bytes.insert(bytes.end(), reinterpret_cast<const BYTE *>(palette),
                     reinterpret_cast<const BYTE *>(palette) + paletteSize);
        std::vector<BYTE> row(stride, 0);
        const int bytesPerPixel = bad.bitCount / 8;
        for (int x = 0; bytesPerPixel >= 3 && x < bad.width; ++x) {
            row[x * bytesPerPixel] = GetBValue(bad.colour);
            row[x * bytesPerPixel + 1] = GetGValue(bad.colour);
            row[x * bytesPerPixel + 2] = GetRValue(bad.colour);
        }
        if (bad.colour == RGB(0, 0, 0))
            zeros = static_cast<LONGLONG>(stride) * bad.height;
        for (int y = 0; zeros == 0 && y < bad.height; ++y)
            bytes.insert(bytes.end(), row.begin(), row.end());
        if (bad.cutAfter > 0) {
            bytes.resize(bad.cutAfter);
            zeros = 0;
        }
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written;
    LARGE_INTEGER extra;
    extra.QuadPart = zeros;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    SetFilePointerEx(file, extra, nullptr, FILE_CURRENT) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

// The one-pixel ring around inner is the same in both shots: the paint
// between them drew nothing there.
bool RingUnchanged(const WindowPixels &before, const WindowPixels &after, const RECT &inner)
{
    for (int y = inner.top - 1; y <= inner.bottom; ++y) {
        for (int x = inner.left - 1; x <= inner.right; ++x) {
            const bool ring = y < inner.top || y == inner.bottom || x < inner.left || x == inner.right;
            if (ring && x >= 0 && y >= 0 && x < after.width && y < after.height && before.At(x, y) != after.At(x, y))
                return false;
        }
    }
    return true;
}

// The child's window rectangle in the window coordinates of window.
RECT RectInWindow(HWND child, HWND window)
{
    RECT rect;
    RECT outer;
    GetWindowRect(child, &rect);
    GetWindowRect(window, &outer);
    OffsetRect(&rect, -outer.left, -outer.top);
    return rect;
}

// Exceptions raised in the library's own code, counted before any handler
// sees them: the system swallows those raised in a window procedure while it
// dispatches a paint, which would hide a division by zero.
int libraryExceptions = 0;

LONG CALLBACK CountLibraryException(EXCEPTION_POINTERS *exception)
{
    MEMORY_BASIC_INFORMATION memory;
    if (VirtualQuery(exception->ExceptionRecord->ExceptionAddress, &memory, sizeof memory) != 0 &&
        memory.AllocationBase == LibraryModule())
        ++libraryExceptions;
    return EXCEPTION_CONTINUE_SEARCH;
}

class BadFilesTest : public FaceFolderTest {
protected:
    void *exceptionHandler = nullptr;

    void SetUp() override
    {
        libraryExceptions = 0;
        exceptionHandler = AddVectoredExceptionHandler(1, CountLibraryException);
        FaceFolderTest::SetUp();
    }

    void TearDown() override
    {
        Enskin(nullptr, 0);
        FaceFolderTest::TearDown();
        RemoveVectoredExceptionHandler(exceptionHandler);
        EXPECT_EQ(libraryExceptions, 0) << "the library raised an exception";
    }
};

// Each bar is made while thread-wide skinning is on, so that it also takes
// the picture's height at creation.
TEST_F(BadFilesTest, ProgressBarWithEveryBadPicture)
{
    for (const BadFile &bad : BadFiles) {
        ASSERT_TRUE(WriteFace(face.PicturePath(), bad)) << bad.name;
        ASSERT_TRUE(face.Apply()) << bad.name;
        GdiLedger ledger;
        ASSERT_NE(Enskin(nullptr, 1), 0) << bad.name;
        HWND bar = CreateChild(dialog, PROGRESS_CLASSA, 0, 20, 20, 200, 30);
        SendMessageA(bar, PBM_SETPOS, 50, 0);
        PumpMessages();
        const int height = RectInWindow(bar, bar).bottom;
        EXPECT_EQ(height, bad.loads ? bad.height : 30) << bad.name << ": height after creation";

        FillWindow(dialog, OutsideFill);
        const WindowPixels before = CaptureWindow(dialog);
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        EXPECT_TRUE(RingUnchanged(before, CaptureWindow(dialog), RectInWindow(bar, dialog)))
            << bad.name << ": drew outside the bar";
        EXPECT_EQ(ReadWindowPixel(bar, 0, 0), FrameColour) << bad.name;
        if (height > 5) {
            const bool filled = bad.loads && bad.height > 2;
            EXPECT_EQ(ReadWindowPixel(bar, 5, 5), filled ? bad.colour : CurrentFace()->progressFill & 0xFFFFFF) << bad.name;
        }
        EXPECT_TRUE(ledger.Balanced()) << bad.name << "\n" << ledger.Report();
        EXPECT_EQ(libraryExceptions, 0) << bad.name << ": the library raised an exception";
        libraryExceptions = 0;
        DestroyWindow(bar);
        Enskin(nullptr, 0);
    }
}

const char BackgroundCaseVariable[] = "VELK_BAD_BACKGROUND";
const char ChildReportVariable[] = "VELK_CHILD_REPORT";

// In a child process, writes how many tests ran to the end (not skipped) to
// the file the parent named: a child whose filter matched nothing, or whose
// case skipped itself, exits 0 all the same.
class ChildReport : public testing::EmptyTestEventListener {
public:
    void OnTestProgramEnd(const testing::UnitTest &run) override
    {
        char path[MAX_PATH];
        if (GetEnvironmentVariableA(ChildReportVariable, path, sizeof path) == 0)
            return;
        FILE *report = std::fopen(path, "w");
        if (report == nullptr)
            return;
        std::fprintf(report, "%d\n", run.test_to_run_count() - run.skipped_test_count());
        std::fclose(report);
    }
};

const bool childReportListening = (testing::UnitTest::GetInstance()->listeners().Append(new ChildReport), true);

// What the child wrote; -1 when it wrote nothing.
int ChildCasesRan(const std::string &path)
{
    FILE *report = std::fopen(path.c_str(), "r");
    if (report == nullptr)
        return -1;
    int ran = -1;
    if (std::fscanf(report, "%d", &ran) != 1)
        ran = -1;
    std::fclose(report);
    return ran;
}

// Run by BadBackground.EveryCaseInAProcessOfItsOwn with the case's name in
// the environment.
TEST_F(BadFilesTest, BackgroundCaseOfThisProcess)
{
    char name[64] = {};
    if (GetEnvironmentVariableA(BackgroundCaseVariable, name, sizeof name) == 0)
        GTEST_SKIP() << "runs as a child of BadBackground.EveryCaseInAProcessOfItsOwn";
    const BadFile *found = nullptr;
    for (const BadFile &bad : BadFiles)
        found = std::strcmp(bad.name, name) == 0 ? &bad : found;
    ASSERT_NE(found, nullptr) << name;
    const BadFile &bad = *found;
    ASSERT_TRUE(WriteFace(face.BackgroundPath(), bad)) << bad.name;

    // Loading the face makes the tile a brush, which the library keeps.
    GdiLedger ledger;
    ASSERT_TRUE(face.Apply()) << bad.name;
    ASSERT_NE(AttachWindow(dialog), nullptr);
    PumpMessages();
    EXPECT_EQ(ledger.LiveObjects(), bad.loads ? 1 : 0) << bad.name << "\n" << ledger.Report();
    EXPECT_EQ(ledger.HeldDCs(), 0) << bad.name << "\n" << ledger.Report();
    EXPECT_TRUE(ledger.Problems().empty()) << bad.name << "\n" << ledger.Report();

    ledger.Reset();
    FillWindow(dialog, OutsideFill);
    const WindowPixels before = CaptureWindow(dialog);
    InvalidateRect(dialog, nullptr, TRUE);
    UpdateWindow(dialog);
    EXPECT_TRUE(ledger.Balanced()) << bad.name << "\n" << ledger.Report();

    RECT client;
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, HWND_DESKTOP, reinterpret_cast<POINT *>(&client), 2);
    RECT window;
    GetWindowRect(dialog, &window);
    OffsetRect(&client, -window.left, -window.top);
    const WindowPixels shot = CaptureWindow(dialog);
    EXPECT_TRUE(RingUnchanged(before, shot, client)) << bad.name << ": drew outside the client area";
    const COLORREF shown = bad.loads ? bad.colour : CurrentFace()->dialogBackground;
    EXPECT_EQ(shot.At(client.left, client.top), shown) << bad.name;
    EXPECT_EQ(shot.At(client.right - 1, client.bottom - 1), shown) << bad.name;
}

TEST(BadBackground, EveryCaseInAProcessOfItsOwn)
{
    char program[MAX_PATH];
    ASSERT_NE(GetModuleFileNameA(nullptr, program, MAX_PATH), 0u);
    char temp[MAX_PATH];
    char reportPath[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    ASSERT_NE(GetTempFileNameA(temp, "vlk", 0, reportPath), 0u);
    SetEnvironmentVariableA(ChildReportVariable, reportPath);
    for (const BadFile &bad : BadFiles) {
        SetEnvironmentVariableA(BackgroundCaseVariable, bad.name);
        DeleteFileA(reportPath);
        std::string command =
            std::string("\"") + program + "\" --gtest_filter=BadFilesTest.BackgroundCaseOfThisProcess";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION child = {};
        ASSERT_TRUE(CreateProcessA(program, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                   &child))
            << bad.name;
        if (WaitForSingleObject(child.hProcess, 120000) != WAIT_OBJECT_0)
            TerminateProcess(child.hProcess, STILL_ACTIVE);
        DWORD exitCode = 0;
        GetExitCodeProcess(child.hProcess, &exitCode);
        EXPECT_EQ(exitCode, 0u) << bad.name << ": the child failed, crashed or hung (exit code 0x" << std::hex
                                << exitCode << std::dec << ")";
        EXPECT_EQ(ChildCasesRan(reportPath), 1)
            << bad.name << ": the child did not run its case (-1: it wrote no report)";
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    DeleteFileA(reportPath);
    SetEnvironmentVariableA(ChildReportVariable, nullptr);
    SetEnvironmentVariableA(BackgroundCaseVariable, nullptr);
}

}  // namespace

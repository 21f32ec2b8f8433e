// velk-run on programs never written for the library, looked at from outside
// and worked through their menus; and what it passes on or refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/harness.h"
#include "velk.h"

namespace {

const COLORREF DialogFrame = RGB(11, 53, 255);
const COLORREF ButtonOutline = 0x00743C00;
const COLORREF EditRing = 0x00643296;

struct Program {
    const char *exe;
    const char *windowClass;  // and title, of its main window
    const char *windowTitle;
    UINT dialogCommand;  // the menu command that opens its Find dialog, or 0
};

const Program Programs[] = {
    {"winecfg.exe", "#32770", "Wine configuration", 0},  // a property sheet, with no menu
    {"notepad.exe", "Notepad", nullptr, 0x120},           // an edit; Search > Search...
    {"regedit.exe", nullptr, "Registry Editor", 32782},   // tree and list views; Edit > Find...
};

struct Outcome {
    const char *arguments;  // environment variables expanded
    DWORD exitCode;
    const char *output;  // part of what velk-run and the program write
    DWORD systemError;   // whose system text velk-run writes instead, or 0
};

const Outcome Outcomes[] = {
    {"\"%VELK_RUN_TEST%\" --gtest_filter=VelkRunTarget.*", 0, "[  PASSED  ] 1 test.", 0},
    {"cmd.exe /c exit 7", 7, "", 0},
    {"\"--face\" \"%VELK_RUN_TEST_FACE%\" \"%VELK_RUN_TEST%\" --gtest_filter=VelkRunTarget.*", 0,
     "[  PASSED  ] 2 tests.", 0},
    {"--face no-such-face notepad.exe", 2, "no face.ini in that folder", 0},
    {"\"%VELK_RUN_TEST_32BIT%\"", 1, "start it with the x86 velk-run.exe", 0},
    {"no-such-program.exe", 1, nullptr, ERROR_FILE_NOT_FOUND},
};

// Another process's window, read from the screen: a dialog's frame and its
// Cancel button's outline, an edit child's outer ring.
void ExpectSkinned(HWND window)
{
    auto size = [](HWND hwnd) {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    };
    std::vector<NamedPixel> pixels;
    HWND cancel = GetDlgItem(window, IDCANCEL);
    HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr);
    if (cancel != nullptr) {
        pixels.push_back({"dialog frame", window, {1, size(window).cy / 2}, DialogFrame, 0});
        pixels.push_back({"Cancel outline", cancel, {size(cancel).cx / 2, 1}, ButtonOutline, 0});
    }
    if (edit != nullptr)
        pixels.push_back({"edit ring", edit, {0, size(edit).cy / 2}, EditRing, 0});
    AwaitPixels(&pixels, 3000);
    for (const NamedPixel &pixel : pixels)
        EXPECT_EQ(pixel.seen, pixel.expected) << pixel.name;
}

// Opens its Find dialog, if it has one, looks at it and closes it, then the
// program.
void WorkProgram(const Program &program)
{
    HWND window = WaitForShownWindow(program.windowClass, program.windowTitle, 15000);
    ASSERT_NE(window, nullptr) << "its window never showed";
    ExpectSkinned(window);
    if (program.dialogCommand != 0) {
        PostMessageA(window, WM_COMMAND, program.dialogCommand, 0);
        HWND dialog = WaitForShownWindow("#32770", "Find", 5000);
        ASSERT_NE(dialog, nullptr) << "its Find dialog never showed";
        ExpectSkinned(dialog);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        for (int wait = 0; wait < 100 && IsWindow(dialog); ++wait)
            Sleep(20);
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
}

// Runs velk-run, which writes into a file, as do the programs it starts, in
// a job that ends whatever a failed case leaves behind; returns its exit
// code.
DWORD RunVelkRun(const char *arguments, const Program *program, std::string *written)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    SetEnvironmentVariableA("VELK_RUN_TEST", path);
    std::string folder(path, std::string(path).find_last_of('\\') + 1);
    char expanded[1024];
    ExpandEnvironmentStringsA(arguments, expanded, sizeof expanded);
    std::string commandLine = "\"" + folder + "velk-run.exe\" " + expanded;
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    GetTempFileNameA(folder.c_str(), "vr", 0, path);
    HANDLE output = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    STARTUPINFOA startup = {sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    DWORD exitCode = STILL_ACTIVE;
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                       &process)) {
        AssignProcessToJobObject(job, process.hProcess);
        ResumeThread(process.hThread);
        if (program != nullptr)
            WorkProgram(*program);
        if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &exitCode);
    }
    TerminateJobObject(job, 1);
    char buffer[4096];
    DWORD size = 0;
    SetFilePointer(output, 0, nullptr, FILE_BEGIN);
    ReadFile(output, buffer, sizeof buffer, &size, nullptr);
    written->assign(buffer, size);
    for (HANDLE handle : {output, job, process.hProcess, process.hThread})
        CloseHandle(handle);
    return exitCode;
}

TEST(VelkRunTest, SkinsProgramsNeverWrittenForIt)
{
    for (const Program &program : Programs) {
        SCOPED_TRACE(program.exe);
        std::string written;
        EXPECT_EQ(RunVelkRun(program.exe, &program, &written), 0u) << written;
    }
}

// A 32-bit program for the launcher to refuse: the prefix's own notepad where
// its 32-bit half was set up, else the x86 build's launcher (a prefix made
// while 32-bit code runs only through an emulator has an empty syswow64).
std::string ThirtyTwoBitProgram()
{
    char path[MAX_PATH];
    ExpandEnvironmentStringsA("%windir%\\syswow64\\notepad.exe", path, MAX_PATH);
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return path;
    return VELK_X86_VELK_RUN;
}

// A face for the --face row: its frame, and a colour the program's own
// COLOR_WINDOW and COLOR_BTNTEXT take.
const char TestFace[] = "[colours]\r\nDialogFrame=#123456\r\nListBackground=#204060\r\nChoiceText=#0A0B0C\r\n";

// What the program's own GetSysColor and GetSysColorBrush answer under
// velk-run with that face; CLR_INVALID: the system's colour.
struct ColourAnswer {
    int index;
    COLORREF faced;
};
const ColourAnswer ColourAnswers[] = {
    {COLOR_WINDOW, RGB(0x20, 0x40, 0x60)},   // named to answer from ListBackground
    {COLOR_BTNTEXT, RGB(0x0A, 0x0B, 0x0C)},  // ChoiceText follows it
    {COLOR_3DDKSHADOW, CLR_INVALID},         // nothing of the face follows it
};

// user32's own answer, which no import table rewrite reaches.
COLORREF SystemColour(int index)
{
    const auto own = reinterpret_cast<DWORD(WINAPI *)(int)>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetSysColor")));
    return own(index);
}

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH info = {};
    return GetObjectA(brush, sizeof info, &info) == sizeof info ? info.lbColor : CLR_INVALID;
}

TEST(VelkRunTest, PassesOnOrRefuses)
{
    char face[MAX_PATH];
    GetTempPathA(MAX_PATH, face);
    lstrcatA(face, "velk-run-face");
    CreateDirectoryA(face, nullptr);
    SetEnvironmentVariableA("VELK_RUN_TEST_FACE", face);
    SetEnvironmentVariableA("VELK_RUN_TEST_32BIT", ThirtyTwoBitProgram().c_str());
    const std::string faceFile = std::string(face) + "\\face.ini";
    HANDLE file = CreateFileA(faceFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, TestFace, sizeof TestFace - 1, &written, nullptr);
    CloseHandle(file);
    for (const Outcome &outcome : Outcomes) {
        SCOPED_TRACE(outcome.arguments);
        std::string written;
        EXPECT_EQ(RunVelkRun(outcome.arguments, nullptr, &written), outcome.exitCode) << written;
        char text[256] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, outcome.systemError, 0, text, sizeof text, nullptr);
        std::string expected = outcome.output != nullptr ? outcome.output : text;
        expected.erase(expected.find_last_not_of("\r\n ") + 1);
        EXPECT_NE(written.find(expected), std::string::npos) << "no \"" << expected << "\" in: " << written;
    }
    // A host that loads the library itself keeps the system's colours,
    // whatever the face.
    HMODULE velk = LoadLibraryA("velk.dll");
    const auto enskinFace =
        reinterpret_cast<EnskinFaceProc>(reinterpret_cast<void *>(GetProcAddress(velk, "EnskinFace")));
    ASSERT_TRUE(enskinFace != nullptr && enskinFace(std::wstring(face, face + lstrlenA(face)).c_str()));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), SystemColour(COLOR_WINDOW)) << "a host's own call";
    enskinFace(nullptr);
    FreeLibrary(velk);
    DeleteFileA(faceFile.c_str());
    RemoveDirectoryA(face);
}

// Run by the first Outcome, in a copy of this program started through
// velk-run: its first thread makes the process's first window, then a second
// thread makes its own and adds a button after its dialog has shown.
bool Skinned(HWND hwnd)
{
    return GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != GetClassLongPtrW(hwnd, GCLP_WNDPROC);
}

// The frame colour of the face velk-run was given, as DlgInit's brush has it
// once the face is on; the built-in one without a face.
COLORREF ExpectedFrame()
{
    if (GetEnvironmentVariableA("VELK_RUN_FACE", nullptr, 0) == 0)
        return DialogFrame;
    const auto dlgInit = reinterpret_cast<DlgInitProc>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("velk.dll"), "DlgInit")));
    LOGBRUSH brush = {};
    HBRUSH frame = dlgInit != nullptr ? dlgInit(0) : nullptr;
    GetObjectA(frame, sizeof brush, &brush);
    DeleteObject(frame);
    EXPECT_EQ(brush.lbColor, RGB(0x12, 0x34, 0x56)) << "the face given to velk-run";
    return brush.lbColor;
}

TEST(VelkRunTarget, EveryGuiThreadIsSkinnedFromItsFirstWindow)
{
    if (GetModuleHandleA("velk-run-hook.dll") == nullptr)
        GTEST_SKIP() << "runs only when this program is started through velk-run";
    HWND first = CreateTestDialog(TestDialogStyle, 200, 120, "first thread");
    HWND later = CreateChild(first, "Button", WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24, IDOK, "OK");
    PumpMessages(100);
    EXPECT_TRUE(Skinned(first) && Skinned(later) && PixelIs(first, 1, 60, ExpectedFrame()))
        << "the first thread's dialog, its frame and its later button";
    bool skinned = false;
    HANDLE thread = CreateThread(nullptr, 0, [](void *result) -> DWORD {
        HWND dialog = CreateTestDialog(TestDialogStyle, 200, 120, "second thread");
        HWND button = CreateChild(dialog, "Button", WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24, IDOK, "OK");
        PumpMessages(100);
        *static_cast<bool *>(result) = Skinned(dialog) && Skinned(button);
        return DestroyWindow(dialog);
    }, &skinned, 0, nullptr);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    EXPECT_TRUE(skinned) << "the second thread's dialog and its later button";
    DestroyWindow(first);
}

// Run by the --face Outcome: the program's own colour calls answer from the
// face, and follow it when it changes.
TEST(VelkRunTarget, OwnColourCallsAnswerFromTheFace)
{
    if (GetEnvironmentVariableA("VELK_RUN_FACE", nullptr, 0) == 0)
        GTEST_SKIP() << "runs only when this program is started through velk-run with a face";
    for (const ColourAnswer &answer : ColourAnswers) {
        SCOPED_TRACE(answer.index);
        const COLORREF expected = answer.faced != CLR_INVALID ? answer.faced : SystemColour(answer.index);
        EXPECT_EQ(GetSysColor(answer.index), expected);
        HBRUSH brush = GetSysColorBrush(answer.index);
        EXPECT_EQ(BrushColour(brush), expected);
        EXPECT_EQ(GetSysColorBrush(answer.index), brush) << "one brush, kept";
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP pixel = CreateBitmap(1, 1, 1, 32, nullptr);
    HGDIOBJ was = SelectObject(dc, pixel);
    const RECT one = {0, 0, 1, 1};
    FillRect(dc, &one, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0x20, 0x40, 0x60)) << "FillRect with a system colour's brush";
    SelectObject(dc, was);
    DeleteObject(pixel);
    DeleteDC(dc);
    DeleteObject(GetSysColorBrush(COLOR_BTNTEXT));
    EXPECT_EQ(BrushColour(GetSysColorBrush(COLOR_BTNTEXT)), RGB(0x0A, 0x0B, 0x0C)) << "made again once deleted";
    HBRUSH faced = GetSysColorBrush(COLOR_WINDOW);
    const auto enskinFace = reinterpret_cast<EnskinFaceProc>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("velk.dll"), "EnskinFace")));
    ASSERT_TRUE(enskinFace != nullptr && enskinFace(nullptr));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255)) << "the built-in face's ListBackground";
    EXPECT_EQ(BrushColour(GetSysColorBrush(COLOR_WINDOW)), RGB(255, 255, 255));
    EXPECT_EQ(BrushColour(faced), RGB(0x20, 0x40, 0x60)) << "a brush held across the switch";
}

} // namespace

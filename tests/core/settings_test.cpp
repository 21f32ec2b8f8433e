// What the user's settings and the install ask of the skin: mirrored
// windows, high contrast, a new DPI, and the face folder beside the library.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/face_folder.h"
#include "support/window_pixels.h"
#include "core/skin.h"
#include "support/dib_canvas.h"
#include "support/harness.h"
#include "support/import_patch.h"
#include "support/kinds.h"
#include "support/records.h"

namespace {

// Inked pixels per column of the canvas, without the empty columns at either
// end.
std::vector<int> InkProfile(const Canvas &canvas, int height, bool (*inked)(COLORREF))
{
    std::vector<int> profile(canvas.width, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < canvas.width; ++x)
            profile[x] += inked(canvas.At(x, y));
    }
    while (!profile.empty() && profile.back() == 0)
        profile.pop_back();
    profile.erase(profile.begin(), std::find_if(profile.begin(), profile.end(), [](int n) { return n != 0; }));
    return profile;
}

bool Dark(COLORREF c)
{
    return std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 0x60;
}

bool LabelGreen(COLORREF c)
{
    return std::abs(GetRValue(c) - 0x96) + std::abs(GetGValue(c) - 0xFA) + std::abs(GetBValue(c) - 0x3C) < 90;
}

using SettingsTest = RecordCheckedTest;

// Each skinned text against the same text in the same font and colours drawn
// by the test into a DC mirrored as the window's is; a flipped copy shows as
// the reversed profile.
TEST_F(SettingsTest, TextInAMirroredDialogReadsTheRightWayRound)
{
    std::vector<WORD> words = DialogTemplate(TestDialogStyle, "Caption text", 200, 100);
    reinterpret_cast<DLGTEMPLATE *>(words.data())->dwExtendedStyle = WS_EX_LAYOUTRTL;
    HWND dialog = CreateDialogIndirectParamA(nullptr, reinterpret_cast<DLGTEMPLATE *>(words.data()), nullptr,
                                             [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    SetWindowPos(dialog, nullptr, 40, 40, 360, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND push = CreateChild(dialog, "Button", BS_PUSHBUTTON, 10, 10, 150, 26, 1, "Push it");
    HWND check = CreateChild(dialog, "Button", BS_CHECKBOX, 10, 50, 150, 20, 2, "Check box");
    HWND label = CreateChild(dialog, "Static", SS_LEFT, 10, 80, 150, 16, 3, "Label text");
    ASSERT_TRUE(GetWindowLongW(check, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) << "the children are not mirrored";
    for (HWND hwnd : {dialog, push, check, label})
        AttachWindow(hwnd);
    PumpMessages(100);

    const int captionTop = GetSystemMetrics(SM_CYDLGFRAME);
    const struct {
        const char *name;
        HWND window;
        int top, bottom;  // the rows holding the text, in window coordinates
        COLORREF colour, background;
        bool (*inked)(COLORREF);
    } cases[] = {
        {"push button", push, 0, 26, RGB(0, 0, 0), RGB(255, 255, 255), Dark},
        {"check box", check, 0, 20, GetSysColor(COLOR_BTNTEXT), RGB(255, 255, 255), Dark},
        {"label", label, 0, 16, RGB(0x96, 0xFA, 0x3C), CurrentFace()->dialogBackground, LabelGreen},
        {"caption", dialog, captionTop, captionTop + GetSystemMetrics(SM_CYCAPTION), 0, RGB(255, 255, 255), Dark},
    };
    for (const auto &c : cases) {
        // The window as the screen shows it: a copy from its mirrored DC
        // would flip it.
        RECT window;
        GetWindowRect(c.window, &window);
        Canvas shown(window.right - window.left, c.bottom - c.top);
        HDC dc = GetWindowDC(c.window);
        SetLayout(dc, 0);
        BitBlt(shown.dc, 0, 0, shown.width, c.bottom - c.top, dc, 0, c.top, SRCCOPY);
        ReleaseDC(c.window, dc);

        wchar_t text[64];
        GetWindowTextW(c.window, text, 64);
        Canvas drawn(400, 40);
        HBRUSH background = CreateSolidBrush(c.background);
        RECT rect = {0, 0, 400, 40};
        FillRect(drawn.dc, &rect, background);
        DeleteObject(background);
        SetLayout(drawn.dc, LAYOUT_RTL);
        HGDIOBJ font = SelectObject(drawn.dc, reinterpret_cast<HFONT>(SendMessageW(c.window, WM_GETFONT, 0, 0)));
        SetTextColor(drawn.dc, c.colour);
        SetBkMode(drawn.dc, TRANSPARENT);
        DrawTextW(drawn.dc, text, -1, &rect, DT_SINGLELINE);
        SelectObject(drawn.dc, font);
        GdiFlush();

        const std::vector<int> seen = InkProfile(shown, c.bottom - c.top, c.inked);
        const std::vector<int> expected = InkProfile(drawn, 40, c.inked);
        const std::vector<int> flipped(expected.rbegin(), expected.rend());
        ASSERT_NE(expected, flipped) << c.name << ": a text that reads the same both ways";
        EXPECT_EQ(seen, expected) << c.name << (seen == flipped ? " reads backwards" : "");
    }
    DestroyWindow(dialog);
}

// The library's SystemParametersInfoW, with high contrast switched on.
decltype(&SystemParametersInfoW) realParametersInfo;

BOOL WINAPI HighContrastParametersInfo(UINT action, UINT param, void *value, UINT flags)
{
    const BOOL result = realParametersInfo(action, param, value, flags);
    if (action == SPI_GETHIGHCONTRAST)
        static_cast<HIGHCONTRASTW *>(value)->dwFlags |= HCF_HIGHCONTRASTON;
    return result;
}

// A setting change the way the system makes one: the top-level window hears
// of it and everything is painted again.
void ChangeSetting(HWND dialog)
{
    SendMessageW(dialog, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
    PumpMessages(50);
}

TEST_F(SettingsTest, HighContrastShowsTheStandardLookAndTheSkinReturnsAsTheWindowIsNow)
{
    HWND dialog = CreateTestDialog(TestDialogStyle, 360, 220, "Contrast");
    // Each skinned control beside the same control left alone.
    const std::vector<TestKind> kinds = KindsNamed({"push button", "check box", "horizontal scroll bar", "label"});
    std::vector<std::pair<HWND, HWND>> pairs;
    int y = 10;
    for (const TestKind &kind : kinds) {
        HWND skinned = CreateChild(dialog, kind.className, kind.style, 10, y, 140, 24, 0, "Twin");
        HWND plain = CreateChild(dialog, kind.className, kind.style, 180, y, 140, 24, 0, "Twin");
        SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS, 0, 10, 0, 4, 0};
        SetScrollInfo(skinned, SB_CTL, &info, FALSE);
        SetScrollInfo(plain, SB_CTL, &info, FALSE);
        AttachWindow(skinned);
        pairs.push_back({skinned, plain});
        y += 34;
    }
    // Colours the skin set on a control go back while it stands aside.
    HWND list = CreateKind(dialog, KindNamed("list view"), 10, y);
    const LRESULT plainText = SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0);
    AttachWindow(list);
    AttachWindow(dialog);
    PumpMessages(50);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int skinLookRegion = GetWindowRgn(dialog, region);

    {
        ScopedImportPatch patch(LibraryModule(), "user32.dll", "SystemParametersInfoW",
                                reinterpret_cast<void *>(HighContrastParametersInfo));
        ASSERT_NE(patch.original, nullptr) << "the library does not import SystemParametersInfoW";
        realParametersInfo = reinterpret_cast<decltype(&SystemParametersInfoW)>(patch.original);
        ChangeSetting(dialog);
        EXPECT_EQ(GetWindowRgn(dialog, region), ERROR) << "the dialog kept its region";
        for (size_t i = 0; i < pairs.size(); ++i)
            EXPECT_TRUE(CaptureWindow(pairs[i].first) == CaptureWindow(pairs[i].second))
                << kinds[i].name << ": not the standard look";
        EXPECT_EQ(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0), plainText) << "the face's colours stayed";
        // Changed while the skin stood aside.
        SendMessageW(pairs[1].first, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(pairs[1].second, BM_SETCHECK, BST_CHECKED, 0);
    }
    ChangeSetting(dialog);
    EXPECT_NE(skinLookRegion, ERROR);
    EXPECT_NE(GetWindowRgn(dialog, region), ERROR) << "the region did not come back";
    for (size_t i = 0; i < pairs.size(); ++i)
        EXPECT_FALSE(CaptureWindow(pairs[i].first) == CaptureWindow(pairs[i].second))
            << kinds[i].name << ": the skin did not come back";
    EXPECT_TRUE(FindSkinnedWindow(pairs[1].first)->state & SKS_CHECKED) << "the check made meanwhile was lost";
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0)), BuiltInFace.listText);
    DeleteObject(region);
    DestroyWindow(dialog);
}

TEST_F(SettingsTest, ANewDpiMakesTheRegionAgainAndRepaints)
{
    HWND dialog = CreateTestDialog(TestDialogStyle, 300, 200, "Moved");
    AttachWindow(dialog);
    PumpMessages();
    SetWindowRgn(dialog, CreateRectRgn(0, 0, 300, 200), FALSE);
    FillWindow(dialog, RGB(1, 2, 3));
    RECT suggested;
    GetWindowRect(dialog, &suggested);
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(dialog, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "no rounded corner";
    EXPECT_NE(ReadWindowPixel(dialog, 150, GetSystemMetrics(SM_CYDLGFRAME) + 2), RGB(1, 2, 3)) << "not repainted";
    DeleteObject(region);
    DestroyWindow(dialog);
}

// The library's own folder, here a copy of velk.dll in a folder whose name
// the ANSI code page cannot hold, and the current directory before it.
TEST_F(SettingsTest, FaceFilesAreFoundBesideTheLibraryAfterTheCurrentDirectory)
{
    FaceFolder face;
    ASSERT_TRUE(face.Enter());
    wchar_t here[MAX_PATH], temp[MAX_PATH];
    GetModuleFileNameW(nullptr, here, MAX_PATH);
    *wcsrchr(here, L'\\') = L'\0';
    GetTempPathW(MAX_PATH, temp);
    const std::wstring install = std::wstring(temp) + L"velk \u05E2\u05D1\u05E8\u05D9\u05EA \u0394" +
                                 std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(install.c_str(), nullptr);
    CreateDirectoryW((install + L"\\face").c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((std::wstring(here) + L"\\velk.dll").c_str(), (install + L"\\velk.dll").c_str(), FALSE));
    ASSERT_TRUE(face.WritePicture(8, 9, RGB(0, 0, 255), RGB(0, 255, 0)));
    const std::wstring installed = install + L"\\face\\progress.bmp";
    const std::string written = face.PicturePath();
    ASSERT_TRUE(MoveFileW(std::wstring(written.begin(), written.end()).c_str(), installed.c_str()));

    HMODULE library = LoadLibraryW((install + L"\\velk.dll").c_str());
    ASSERT_NE(library, nullptr);
    auto enskin = reinterpret_cast<INT_PTR(WINAPI *)(HWND, int)>(
        reinterpret_cast<void *>(GetProcAddress(library, "Enskin")));
    HWND dialog = CreateTestDialog(TestDialogStyle, 300, 200, "Faces");
    HWND bar = CreateChild(dialog, PROGRESS_CLASSA, 0, 10, 10, 200, 20);
    SendMessageW(bar, PBM_SETPOS, 50, 0);
    ASSERT_NE(enskin(bar, 1), 0);
    const COLORREF frame = RGB(0xFA, 0x0A, 0x19);
    auto frameHeight = [&] {
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        int rows = 0;
        while (rows < 20 && ReadWindowPixel(bar, 0, rows) == frame)
            ++rows;
        return rows;
    };
    EXPECT_EQ(frameHeight(), 9) << "the picture beside the library was not found";
    // The start-up face is looked for once per load of the library.
    enskin(bar, 0);
    FreeLibrary(library);
    ASSERT_TRUE(face.WritePicture(8, 5, RGB(0, 0, 255), RGB(0, 255, 0)));
    library = LoadLibraryW((install + L"\\velk.dll").c_str());
    enskin = reinterpret_cast<INT_PTR(WINAPI *)(HWND, int)>(
        reinterpret_cast<void *>(GetProcAddress(library, "Enskin")));
    ASSERT_NE(enskin(bar, 1), 0);
    EXPECT_EQ(frameHeight(), 5) << "the current directory's picture does not come first";

    enskin(bar, 0);
    DestroyWindow(dialog);
    FreeLibrary(library);
    face.Leave();
    DeleteFileW(installed.c_str());
    DeleteFileW((install + L"\\velk.dll").c_str());
    RemoveDirectoryW((install + L"\\face").c_str());
    RemoveDirectoryW(install.c_str());
}

// The app mode in the test's prefix: 1 light, 0 dark, -1 absent.
void SetAppMode(int light)
{
    const wchar_t *key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    const DWORD value = light;
    light < 0 ? RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"AppsUseLightTheme")
              : RegSetKeyValueW(HKEY_CURRENT_USER, key, L"AppsUseLightTheme", REG_DWORD, &value, sizeof value);
}

HWND otherDialog;
DWORD WINAPI SkinnedDialogUntilQuit(void *ready)
{
    HWND dialog = CreateTestDialog(TestDialogStyle, 200, 100, "other thread");
    Enskin(dialog, 1);
    otherDialog = dialog;
    SetEvent(ready);
    for (MSG msg; GetMessageW(&msg, nullptr, 0, 0);)
        DispatchMessageW(&msg);
    return DestroyWindow(dialog);
}

// face\ holds a dark face in face\dark\, plain\ none; the start-up rows load
// a copy of the DLL from the folder above them, which finds face\. The frame
// is read on the dialog the change was sent to, on one made after it, or on
// another thread's; high contrast is on while the change is sent.
enum Given { STARTUP, FACE, PLAIN, DARK };
const wchar_t *const GivenFolders[] = {nullptr, L"face", L"plain", L"face\\dark"};
enum Checked { SENT_TO, MADE_AFTER, OTHER_THREAD };
const COLORREF LightFrame = RGB(0x10, 0x20, 0x30), DarkFrame = RGB(0xC0, 0xD0, 0xE0),
               PlainFrame = RGB(0x40, 0x50, 0x60);
const struct {
    const char *name; Given given; int atLoad, atChange; Checked checked; bool highContrast; COLORREF frame;
} FollowRows[] = {
    {"light at start, the value absent", STARTUP, -1, -1, SENT_TO, false, LightFrame},
    {"dark at start", STARTUP, 0, 0, SENT_TO, false, DarkFrame},
    {"the start-up face switched live", STARTUP, 1, 0, SENT_TO, false, DarkFrame},
    {"EnskinFace's face switched live", FACE, 1, 0, SENT_TO, false, DarkFrame},
    {"and back to light", FACE, 0, 1, SENT_TO, false, LightFrame},
    {"a window made after the switch", FACE, 1, 0, MADE_AFTER, false, DarkFrame},
    {"a folder without dark", PLAIN, 1, 0, SENT_TO, false, PlainFrame},
    {"EnskinFace given dark itself", DARK, 0, 1, SENT_TO, false, DarkFrame},
    {"high contrast on during the switch", FACE, 1, 0, SENT_TO, true, DarkFrame},
    {"a second thread's windows", FACE, 1, 0, OTHER_THREAD, false, DarkFrame},
};

TEST_F(SettingsTest, AFaceWithADarkFaceFollowsTheAppMode)
{
    FaceFolder folder;
    ASSERT_TRUE(folder.Enter());
    const std::wstring root = std::filesystem::path(folder.folder).wstring() + L"\\";
    std::filesystem::create_directories(root + L"face\\dark");
    std::filesystem::create_directories(root + L"plain");
    for (auto ini : {std::make_pair(L"face", "102030"), {L"face\\dark", "C0D0E0"}, {L"plain", "405060"}})
        std::ofstream(std::filesystem::path(root + ini.first + L"\\face.ini"))
            << "[colours]\nDialogFrame=#" << ini.second << "\n";
    wchar_t here[MAX_PATH];
    GetModuleFileNameW(nullptr, here, MAX_PATH);
    const std::wstring library = std::filesystem::path(here).parent_path() / L"velk.dll";
    ASSERT_TRUE(CopyFileW(library.c_str(), (root + L"velk.dll").c_str(), FALSE));
    HANDLE ready = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    DWORD saved = 1, size = sizeof saved;
    const bool hadValue =
        RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                     L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &saved, &size) == ERROR_SUCCESS;
    for (const auto &row : FollowRows) {
        SetAppMode(row.atLoad);
        HMODULE copy = row.given == STARTUP ? LoadLibraryW((root + L"velk.dll").c_str()) : nullptr;
        EnskinProc enskin = Enskin;
        if (copy != nullptr)
            enskin = reinterpret_cast<EnskinProc>(reinterpret_cast<void *>(GetProcAddress(copy, "Enskin")));
        ASSERT_TRUE(row.given == STARTUP || EnskinFace((root + GivenFolders[row.given]).c_str())) << row.name;
        HWND sentTo = CreateTestDialog(TestDialogStyle, 200, 100, "sent to"), checked = sentTo;
        ASSERT_NE(enskin(sentTo, 1), 0) << row.name;
        DWORD thread = 0;
        HANDLE other =
            row.checked == OTHER_THREAD ? CreateThread(nullptr, 0, SkinnedDialogUntilQuit, ready, 0, &thread) : nullptr;
        if (other != nullptr && WaitForSingleObject(ready, 5000) == WAIT_OBJECT_0)
            checked = otherDialog;
        {
            ScopedImportPatch patch(LibraryModule(), "user32.dll", "SystemParametersInfoW",
                                    row.highContrast ? reinterpret_cast<void *>(HighContrastParametersInfo)
                                                     : reinterpret_cast<void *>(SystemParametersInfoW));
            realParametersInfo = reinterpret_cast<decltype(&SystemParametersInfoW)>(patch.original);
            SetAppMode(row.atChange);
            SendMessageW(sentTo, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
            RedrawWindow(sentTo, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
            const COLORREF shown = ReadWindowPixel(sentTo, 1, 50);
            EXPECT_TRUE(!row.highContrast || (shown != DarkFrame && shown != LightFrame))
                << row.name << ": not the standard look";
        }
        if (row.highContrast)
            ChangeSetting(sentTo);
        if (row.checked == MADE_AFTER)
            enskin(checked = CreateTestDialog(TestDialogStyle, 200, 100, "made after"), 1);
        COLORREF seen = CLR_INVALID;
        for (DWORD start = GetTickCount(); seen != row.frame && GetTickCount() - start < 2000; PumpMessages(20))
            seen = ReadWindowPixel(checked, 1, 50);
        EXPECT_EQ(seen, row.frame) << row.name;
        PostThreadMessageW(thread, WM_QUIT, 0, 0);
        WaitForSingleObject(other, 5000);
        CloseHandle(other);
        DestroyWindow(row.checked == MADE_AFTER ? checked : nullptr);
        DestroyWindow(sentTo);
        FreeLibrary(copy);
    }
    SetAppMode(hadValue ? static_cast<int>(saved) : -1);
    CloseHandle(ready);
    for (const wchar_t *made : {L"face\\dark", L"plain", L"velk.dll"})
        std::filesystem::remove_all(root + made);
    folder.Leave();
}

}  // namespace

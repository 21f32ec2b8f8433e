// The system's own dialogs, looked at: each is opened unskinned and then with
// thread-wide skinning on, in the same run, and what the dialog draws itself
// must still show skinned: the Colour dialog's swatches and spectrum, the
// Font dialog's sample, and the Open dialog's labels and toolbars, which
// must not stand on black.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "support/harness.h"
#include "support/window_pixels.h"
#include "velk.h"

namespace {

// What one look at a dialog found.
struct Look {
    bool shown = false;
    std::map<COLORREF, int> saturated;  // client pixels of strong colours, by colour
    int sampleInk = 0;                  // dark pixels in the Font dialog's sample
    std::vector<std::string> onBlack;   // labels and toolbars mostly black
    int labelsAndToolbars = 0;
};

typedef void (*Measure)(HWND dialog, Look *look);

const UINT LookTick = 50;
const int TicksToSettle = 8;
const int TicksToAppear = 300;  // 15 s: a first file dialog loads the shell

struct Visit {
    Measure measure;
    Look look;
    HWND dialog;
    int ticks;
    int seenAt;
};
Visit visit;

bool Saturated(COLORREF c)
{
    const int high = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
    const int low = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
    return high - low >= 96;
}

bool Dark(COLORREF c)
{
    return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
}

void MeasureColours(HWND dialog, Look *look)
{
    for (COLORREF c : CaptureClient(dialog).pixels) {
        if (Saturated(c))
            ++look->saturated[c];
    }
}

void MeasureSample(HWND dialog, Look *look)
{
    HWND sample = GetDlgItem(dialog, stc5);
    if (sample == nullptr)
        return;
    RECT rect;
    GetWindowRect(sample, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT *>(&rect), 2);
    const WindowPixels shot = CaptureClient(dialog);
    // Inside the sample's frame: the text the dialog draws there.
    for (int y = rect.top + 3; y < rect.bottom - 3; ++y) {
        for (int x = rect.left + 3; x < rect.right - 3; ++x)
            look->sampleInk += Dark(shot.At(x, y));
    }
}

BOOL CALLBACK MeasureChild(HWND child, LPARAM param)
{
    auto *look = reinterpret_cast<Look *>(param);
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    char text[64] = {};
    GetWindowTextA(child, text, sizeof text);
    const bool label = lstrcmpiA(className, "Static") == 0 && text[0] != '\0';
    const bool toolbar = lstrcmpiA(className, "ToolbarWindow32") == 0;
    if (!IsWindowVisible(child) || (!label && !toolbar))
        return TRUE;
    ++look->labelsAndToolbars;
    const std::vector<COLORREF> pixels = CaptureClient(child).pixels;
    int black = 0;
    for (COLORREF c : pixels)
        black += c == RGB(0, 0, 0);
    if (!pixels.empty() && black * 2 > static_cast<int>(pixels.size()))
        look->onBlack.push_back(std::string(className) + " \"" + text + "\"");
    return TRUE;
}

void MeasureChildren(HWND dialog, Look *look)
{
    EnumChildWindows(dialog, MeasureChild, reinterpret_cast<LPARAM>(look));
}

// Runs inside the dialog's own modal loop; a dialog that never shows ends
// the loop, so that the test fails instead of hanging.
void CALLBACK LookTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ++visit.ticks;
    if (visit.dialog == nullptr) {
        visit.dialog = ShownDialogOfThisThread();
        visit.seenAt = visit.ticks;
        if (visit.dialog == nullptr && visit.ticks > TicksToAppear)
            PostQuitMessage(0);
        return;
    }
    if (visit.ticks - visit.seenAt == TicksToSettle) {
        visit.look.shown = true;
        visit.measure(visit.dialog, &visit.look);
        PostMessageA(visit.dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

Look LookAt(void (*open)(), Measure measure)
{
    visit = {measure, Look(), nullptr, 0, 0};
    const UINT_PTR timer = SetTimer(nullptr, 0, LookTick, LookTimer);
    open();
    KillTimer(nullptr, timer);
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    return visit.look;
}

void OpenColour()
{
    static COLORREF custom[16];
    CHOOSECOLORA colour = {};
    colour.lStructSize = sizeof colour;
    colour.lpCustColors = custom;
    colour.Flags = CC_FULLOPEN;
    ChooseColorA(&colour);
}

void OpenFont()
{
    LOGFONTA font = {};
    lstrcpyA(font.lfFaceName, "Tahoma");
    font.lfHeight = -16;
    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof choose;
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    ChooseFontA(&choose);
}

void OpenFile()
{
    char name[MAX_PATH] = {};
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.lpstrFilter = "All files\0*.*\0";
    open.lpstrFile = name;
    open.nMaxFile = MAX_PATH;
    open.Flags = OFN_EXPLORER;
    GetOpenFileNameA(&open);
}

// Both looks, the unskinned first.
void LookTwice(void (*open)(), Measure measure, Look *plain, Look *skinned)
{
    *plain = LookAt(open, measure);
    ASSERT_NE(Enskin(nullptr, 1), 0);
    *skinned = LookAt(open, measure);
    Enskin(nullptr, 0);
    ASSERT_TRUE(plain->shown) << "never showed unskinned";
    ASSERT_TRUE(skinned->shown) << "never showed skinned";
}

TEST(SystemDialogsTest, TheColourDialogKeepsItsSwatchesAndSpectrum)
{
    Look plain;
    Look skinned;
    LookTwice(OpenColour, MeasureColours, &plain, &skinned);
    int expected = 0;
    int found = 0;
    for (const auto &colour : plain.saturated) {
        if (colour.second < 30)
            continue;
        ++expected;
        const auto there = skinned.saturated.find(colour.first);
        found += there != skinned.saturated.end() && there->second >= colour.second / 2;
    }
    ASSERT_GT(expected, 40) << "the unskinned dialog shows too few colours to compare";
    EXPECT_GE(found * 10, expected * 9) << found << " of " << expected << " colours still show";
}

TEST(SystemDialogsTest, TheFontDialogKeepsItsSample)
{
    Look plain;
    Look skinned;
    LookTwice(OpenFont, MeasureSample, &plain, &skinned);
    ASSERT_GT(plain.sampleInk, 0) << "the unskinned sample has no ink to compare";
    EXPECT_GE(skinned.sampleInk * 2, plain.sampleInk) << "the skinned sample lost its text";
}

TEST(SystemDialogsTest, TheOpenDialogsLabelsAndToolbarsStandOnTheBackground)
{
    Look plain;
    Look skinned;
    LookTwice(OpenFile, MeasureChildren, &plain, &skinned);
    ASSERT_GT(plain.labelsAndToolbars, 2);
    EXPECT_EQ(skinned.labelsAndToolbars, plain.labelsAndToolbars);
    auto names = [](const std::vector<std::string> &windows) {
        std::string joined;
        for (const std::string &name : windows)
            joined += name + "\n";
        return joined;
    };
    EXPECT_TRUE(plain.onBlack.empty()) << "mostly black unskinned:\n" << names(plain.onBlack);
    EXPECT_TRUE(skinned.onBlack.empty()) << "mostly black:\n" << names(skinned.onBlack);
}

}  // namespace

// The system's own dialogs, opened with thread-wide skinning on, worked
// through their skinned controls and closed through them.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/skin.h"
#include "support/harness.h"
#include "support/records.h"
#include "velk.h"

namespace {

// What one visit to a dialog found and did.
struct Visit {
    std::function<void(HWND dialog)> act;  // works the dialog and closes it
    HWND dialog = nullptr;
    int ticks = 0;
    int actedAt = 0;
    bool dialogSkinned = false;
    int skinnable = 0;
    int skinned = 0;
    bool forcedClosed = false;
    bool gaveUp = false;  // it never showed, and its modal loop was ended
};

Visit *currentVisit;
const UINT VisitTick = 30;
const int TicksToAppear = 400;   // 12 s: a first file dialog loads the shell
const int TicksToClose = 100;

BOOL CALLBACK CountSkinnedChild(HWND child, LPARAM param)
{
    auto *visit = reinterpret_cast<Visit *>(param);
    if (ClassifyWindow(child) != CK_NONE) {
        ++visit->skinnable;
        visit->skinned += FindSkinnedWindow(child) != nullptr;
    }
    return TRUE;
}

// Runs inside the dialog's own message loop.
void CALLBACK VisitTimer(HWND, UINT, UINT_PTR, DWORD)
{
    Visit &visit = *currentVisit;
    ++visit.ticks;
    HWND dialog = ShownDialogOfThisThread();
    // Never shown: ending the modal loop that waits for it reports the
    // failure instead of hanging the run. Every modal loop of the system's
    // dialogs ends on WM_QUIT and posts it again.
    if (dialog == nullptr && visit.dialog == nullptr && visit.ticks > TicksToAppear && !visit.gaveUp) {
        visit.gaveUp = true;
        PostQuitMessage(0);
    }
    if (dialog == nullptr)
        return;
    if (visit.dialog == nullptr) {
        visit.dialog = dialog;
        visit.actedAt = visit.ticks;
        visit.dialogSkinned = FindSkinnedWindow(dialog) != nullptr;
        EnumChildWindows(dialog, CountSkinnedChild, reinterpret_cast<LPARAM>(&visit));
        visit.act(dialog);
        return;
    }
    // Still open long after it should have closed: close it by force, so
    // that a failure is reported instead of hanging the run.
    if (visit.ticks - visit.actedAt > TicksToClose && !visit.forcedClosed) {
        visit.forcedClosed = true;
        EndDialog(dialog, 0);
        DestroyWindow(dialog);
    }
}

// Opens a dialog through show, which returns when the dialog has closed, and
// visits it meanwhile.
void RunVisit(Visit *visit, const std::function<void()> &show)
{
    currentVisit = visit;
    const UINT_PTR timer = SetTimer(nullptr, 0, VisitTick, VisitTimer);
    show();
    KillTimer(nullptr, timer);
    currentVisit = nullptr;
    MSG quit;
    if (visit->gaveUp)
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// A click as the skinned push button takes it: press and release inside it.
void ClickButton(HWND button)
{
    Click(button, 4, 4);
}

// Press and release on the caption's close button, where the system's hit
// test puts it.
void ClickCaptionClose(HWND dialog)
{
    RECT window;
    GetWindowRect(dialog, &window);
    const int side = GetSystemMetrics(SM_CYCAPTION) - 8;
    const POINT centre = {window.right - GetSystemMetrics(SM_CXDLGFRAME) - 4 - side / 2,
                          window.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    const LPARAM point = MAKELPARAM(centre.x, centre.y);
    const LRESULT hit = SendMessageA(dialog, WM_NCHITTEST, 0, point);
    ASSERT_EQ(hit, HTCLOSE) << "no close button under the drawn one";
    SendMessageA(dialog, WM_NCLBUTTONDOWN, HTCLOSE, point);
    if (IsWindow(dialog))
        SendMessageA(dialog, WM_NCLBUTTONUP, HTCLOSE, point);
}

class RealHostTest : public RecordCheckedTest {
protected:
    void SetUp() override
    {
        RecordCheckedTest::SetUp();
        ASSERT_NE(Enskin(nullptr, 1), 0);
    }
    void TearDown() override
    {
        EXPECT_NE(Enskin(nullptr, 0), 0);
        PumpMessages(50);
        RecordCheckedTest::TearDown();
    }

    static void ExpectSkinned(const Visit &visit, const char *what)
    {
        ASSERT_NE(visit.dialog, nullptr) << what << ": the dialog never appeared within " << TicksToAppear
                                         << " ticks of " << VisitTick << " ms";
        EXPECT_TRUE(visit.dialogSkinned) << what;
        EXPECT_GT(visit.skinnable, 0) << what;
        EXPECT_EQ(visit.skinned, visit.skinnable) << what << ": every skinnable control is skinned";
        EXPECT_FALSE(visit.forcedClosed) << what << ": it did not close through its skinned controls";
        EXPECT_TRUE(SkinnedRecords().empty()) << what << ": records outlived the dialog";
    }
};

TEST_F(RealHostTest, OpenAndSaveFileDialogs)
{
    char file[MAX_PATH] = "";
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lpstrFilter = "Text\0*.txt\0All\0*.*\0";
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;

    Visit openVisit;
    openVisit.act = ClickCaptionClose;
    BOOL chosen = TRUE;
    RunVisit(&openVisit, [&] { chosen = GetOpenFileNameA(&open); });
    EXPECT_FALSE(chosen);
    ExpectSkinned(openVisit, "open file");

    Visit saveVisit;
    saveVisit.act = [](HWND dialog) { ClickButton(GetDlgItem(dialog, IDCANCEL)); };
    chosen = TRUE;
    RunVisit(&saveVisit, [&] { chosen = GetSaveFileNameA(&open); });
    EXPECT_FALSE(chosen);
    ExpectSkinned(saveVisit, "save file");
}

TEST_F(RealHostTest, ColourAndFontDialogs)
{
    COLORREF custom[16] = {};
    CHOOSECOLORA colour = {};
    colour.lStructSize = sizeof colour;
    colour.lpCustColors = custom;
    colour.rgbResult = RGB(10, 20, 30);
    colour.Flags = CC_FULLOPEN | CC_RGBINIT;
    Visit colourVisit;
    colourVisit.act = [](HWND dialog) { ClickButton(GetDlgItem(dialog, IDOK)); };
    BOOL chosen = FALSE;
    RunVisit(&colourVisit, [&] { chosen = ChooseColorA(&colour); });
    EXPECT_TRUE(chosen) << "OK through the skinned button";
    EXPECT_EQ(colour.rgbResult, RGB(10, 20, 30));
    ExpectSkinned(colourVisit, "choose colour");

    LOGFONTA logFont = {};
    CHOOSEFONTA font = {};
    font.lStructSize = sizeof font;
    font.lpLogFont = &logFont;
    font.Flags = CF_SCREENFONTS;
    Visit fontVisit;
    fontVisit.act = ClickCaptionClose;
    chosen = TRUE;
    RunVisit(&fontVisit, [&] { chosen = ChooseFontA(&font); });
    EXPECT_FALSE(chosen);
    ExpectSkinned(fontVisit, "choose font");
}

// Without a printer the system shows a message box instead; it is a skinned
// dialog all the same, closed through its OK button.
TEST_F(RealHostTest, PageSetupDialog)
{
    PAGESETUPDLGA setup = {};
    setup.lStructSize = sizeof setup;
    static bool sawNoPrinterBox;
    sawNoPrinterBox = false;
    Visit visit;
    visit.act = [](HWND dialog) {
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        sawNoPrinterBox = cancel == nullptr;
        ClickButton(cancel != nullptr ? cancel : GetDlgItem(dialog, IDOK));
    };
    RunVisit(&visit, [&] { PageSetupDlgA(&setup); });
    ExpectSkinned(visit, "page set-up");
    if (sawNoPrinterBox)
        GTEST_SKIP() << "no printer here: only the system's message box came up";
}

TEST_F(RealHostTest, FindAndReplaceDialogs)
{
    for (bool replace : {false, true}) {
        HWND owner = CreateWindowExA(0, "Static", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                     nullptr);
        char findWhat[64] = "needle";
        char replaceWith[64] = "thread";
        FINDREPLACEA request = {};
        request.lStructSize = sizeof request;
        request.hwndOwner = owner;
        request.lpstrFindWhat = findWhat;
        request.wFindWhatLen = sizeof findWhat;
        request.lpstrReplaceWith = replaceWith;
        request.wReplaceWithLen = sizeof replaceWith;
        HWND dialog = replace ? ReplaceTextA(&request) : FindTextA(&request);
        ASSERT_NE(dialog, nullptr);
        PumpMessages(50);
        Visit visit;
        visit.dialog = dialog;
        visit.dialogSkinned = FindSkinnedWindow(dialog) != nullptr;
        EnumChildWindows(dialog, CountSkinnedChild, reinterpret_cast<LPARAM>(&visit));
        if (replace)
            ClickButton(GetDlgItem(dialog, IDCANCEL));
        else
            ClickCaptionClose(dialog);
        PumpMessages(50);
        EXPECT_FALSE(IsWindow(dialog)) << (replace ? "replace" : "find") << " did not close";
        DestroyWindow(owner);
        ExpectSkinned(visit, replace ? "replace" : "find");
    }
}

TEST_F(RealHostTest, MessageBoxesOfEveryButtonSet)
{
    struct BoxCase {
        UINT type;
        int press;
    };
    const BoxCase cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL, IDCANCEL},
        {MB_ABORTRETRYIGNORE, IDRETRY},
        {MB_YESNOCANCEL, IDNO},
        {MB_YESNO, IDYES},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_CANCELTRYCONTINUE, IDCONTINUE},
    };
    for (const BoxCase &c : cases) {
        static int pressed;
        pressed = c.press;
        Visit visit;
        visit.act = [](HWND dialog) { ClickButton(GetDlgItem(dialog, pressed)); };
        int result = 0;
        RunVisit(&visit, [&] { result = MessageBoxA(nullptr, "Skinned?", "velk", c.type); });
        EXPECT_EQ(result, c.press) << "type 0x" << std::hex << c.type;
        ExpectSkinned(visit, "message box");
    }
}

// Property sheet pages from in-memory templates, one control under another.
std::vector<WORD> PageTemplate(const char *title, const std::vector<std::pair<const char *, DWORD>> &controls)
{
    std::vector<WORD> words = DialogTemplate(WS_CHILD | DS_CONTROL, title, 200, 120);
    short y = 8;
    WORD id = 100;
    for (const auto &control : controls) {
        const bool bar = lstrcmpA(control.first, "ScrollBar") == 0;
        const short height = bar ? 60 : 14;
        AppendDialogItem(&words, control.first, "item", control.second, 8, y, bar ? 10 : 120, height, id++);
        y = static_cast<short>(y + height + 6);
    }
    return words;
}

INT_PTR CALLBACK ScrollingPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        SetScrollRange(GetDlgItem(page, 100), SB_CTL, 0, 10, FALSE);
        return TRUE;
    }
    if (msg == WM_VSCROLL && LOWORD(wParam) == SB_LINEDOWN) {
        HWND bar = reinterpret_cast<HWND>(lParam);
        SetScrollPos(bar, SB_CTL, GetScrollPos(bar, SB_CTL) + 1, TRUE);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK PlainPageProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

TEST_F(RealHostTest, PropertySheetWithSeveralPages)
{
    std::vector<WORD> first = PageTemplate("First", {{"Button", BS_AUTOCHECKBOX}, {"Edit", WS_BORDER}});
    std::vector<WORD> second = PageTemplate("Second", {{"ScrollBar", SBS_VERT}, {"Static", SS_LEFT}});
    std::vector<WORD> third = PageTemplate("Third", {{"Button", BS_AUTORADIOBUTTON}, {"Button", BS_GROUPBOX}});
    PROPSHEETPAGEA pages[3] = {};
    std::vector<WORD> *templates[3] = {&first, &second, &third};
    for (int i = 0; i < 3; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].dwFlags = PSP_DLGINDIRECT;
        pages[i].pResource = reinterpret_cast<DLGTEMPLATE *>(templates[i]->data());
        pages[i].pfnDlgProc = i == 1 ? ScrollingPageProc : PlainPageProc;
    }
    PROPSHEETHEADERA sheet = {};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    sheet.pszCaption = "Sheet";
    sheet.nPages = 3;
    sheet.ppsp = pages;

    static bool switched;
    static int scrolledTo;
    switched = false;
    scrolledTo = -1;
    Visit visit;
    visit.act = [](HWND dialog) {
        HWND tabs = reinterpret_cast<HWND>(SendMessageA(dialog, PSM_GETTABCONTROL, 0, 0));
        RECT tab;
        SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
        const LPARAM inside = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, inside);
        SendMessageA(tabs, WM_LBUTTONUP, 0, inside);
        HWND page = reinterpret_cast<HWND>(SendMessageA(dialog, PSM_GETCURRENTPAGEHWND, 0, 0));
        switched = SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == 1 && GetDlgItem(page, 100) != nullptr;
        // The bar learns where its parts are when it paints.
        UpdateWindow(page);

        // A press and release on the scroll bar's lower arrow.
        HWND bar = GetDlgItem(page, 100);
        RECT barRect;
        GetClientRect(bar, &barRect);
        const LPARAM arrow = MAKELPARAM(barRect.right / 2, barRect.bottom - 3);
        SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
        SendMessageA(bar, WM_LBUTTONUP, 0, arrow);
        scrolledTo = GetScrollPos(bar, SB_CTL);

        ClickButton(GetDlgItem(dialog, IDOK));
    };
    INT_PTR result = -1;
    RunVisit(&visit, [&] { result = PropertySheetA(&sheet); });
    EXPECT_GE(result, 0);
    EXPECT_TRUE(switched) << "the second page did not come up through the skinned tabs";
    EXPECT_EQ(scrolledTo, 1) << "one line down through the skinned scroll bar";
    ExpectSkinned(visit, "property sheet");
}

} // namespace

// Every paint of the simple control kinds, on each of its paths, gives back
// every GDI object, device context, selection and saved state it takes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "controls/controls.h"
#include "core/skin.h"
#include "support/gdi_ledger.h"
#include "support/harness.h"
#include "face_folder.h"

namespace {

class ControlsGdiTest : public FaceFolderTest {
protected:
    HWND Skinned(const char *className, DWORD style, DWORD exStyle, int width, int height)
    {
        HWND hwnd = CreateWindowExA(exStyle, className, "text", WS_CHILD | WS_VISIBLE | style, 10, 10, width, height,
                                    dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(AttachWindow(hwnd), nullptr) << className;
        return hwnd;
    }

    static void Repaint(HWND hwnd)
    {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
};

TEST_F(ControlsGdiTest, EditFramesOnEveryPath)
{
    GdiLedger ledger;
    const DWORD exStyles[] = {0, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE};
    for (DWORD exStyle : exStyles) {
        HWND edit = Skinned("Edit", 0, exStyle, 100, 24);
        SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
        EnableWindow(edit, FALSE);
        Repaint(edit);
        EnableWindow(edit, TRUE);
        SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
        DestroyWindow(edit);
    }
    EXPECT_GT(ledger.CreatedCount(), 0) << "nothing was painted";
    EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
}

TEST_F(ControlsGdiTest, ComboFramesInEveryStateAndTheTallSkip)
{
    GdiLedger ledger;
    HWND combo = Skinned("ComboBox", CBS_DROPDOWNLIST, 0, 120, 100);
    SkinnedWindow *rec = FindSkinnedWindow(combo);
    ASSERT_NE(rec, nullptr);
    rec->state |= SKS_PRESSED;
    RepaintNow(rec);
    rec->state &= ~DWORD{SKS_PRESSED};
    EnableWindow(combo, FALSE);
    Repaint(combo);
    Skinned(DATETIMEPICK_CLASSA, 0, 0, 120, 22);
    HWND calendar = Skinned(MONTHCAL_CLASSA, 0, 0, 220, 180);
    Repaint(calendar);
    EXPECT_GT(ledger.CreatedCount(), 0) << "nothing was painted";
    EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
}

TEST_F(ControlsGdiTest, ProgressWithAndWithoutAPicture)
{
    GdiLedger ledger;
    HWND bar = Skinned(PROGRESS_CLASSA, 0, 0, 150, 20);
    SendMessageA(bar, PBM_SETPOS, 50, 0);
    Repaint(bar);
    ASSERT_TRUE(face.WritePicture(16, 10, RGB(0, 0, 255), RGB(0, 255, 0)));
    Repaint(bar);
    SendMessageA(bar, PBM_SETPOS, 0, 0);
    Repaint(bar);
    EXPECT_GT(ledger.CreatedCount(), 0) << "nothing was painted";
    EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
}

TEST_F(ControlsGdiTest, TabsWithAndWithoutTabs)
{
    GdiLedger ledger;
    HWND tabs = Skinned(WC_TABCONTROLA, 0, 0, 200, 80);
    SendMessageA(tabs, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    Repaint(tabs);
    for (int i = 0; i < 3; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char *>("tab");
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
    Repaint(tabs);
    EXPECT_GT(ledger.CreatedCount(), 0) << "nothing was painted";
    EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
}

}  // namespace

// What hosts written the usual way rely on: Unicode text through every
// skinned kind, ANSI hosts' bytes kept, and subclasses a host installs after
// the skin surviving its release.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/window_pixels.h"
#include "core/skin.h"
#include "support/harness.h"
#include "support/import_patch.h"
#include "support/kinds.h"
#include "support/records.h"
#include "velk.h"

namespace {

// Greek, Cyrillic, Japanese and a Latin letter: no ANSI code page holds all.
const wchar_t WideText[] = L"\x03A9\x043C\x0435\x0433\x0430 \x0394\x0416 \x65E5\x672C \x00E9";

const std::vector<TestKind> TextKinds = KindsNamed({"push button", "check box", "radio button", "group box", "label",
                                                   "bordered edit", "drop-down combo box", "tab control"});

std::wstring WindowTextOf(HWND hwnd)
{
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

class HostsTest : public RecordCheckedTest {
protected:
    HWND dialog = nullptr;

    void TearDown() override
    {
        Enskin(nullptr, 0);
        if (dialog != nullptr)
            DestroyWindow(dialog);
        RecordCheckedTest::TearDown();
    }

    // A dialog of the Unicode dialog functions, as a W host makes it.
    HWND OpenUnicodeDialog()
    {
        std::vector<WORD> words = DialogTemplate(TestDialogStyle, "", 200, 120);
        dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE *>(words.data()),
                                            nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        SetWindowPos(dialog, nullptr, 40, 40, 420, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpMessages();
        return dialog;
    }

    HWND WideChild(const wchar_t *className, DWORD style, const wchar_t *text, int width = 150, int height = 24,
                   DWORD exStyle = 0)
    {
        HWND child = CreateWindowExW(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, 10, 10, width, height,
                                     dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(child, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
        return child;
    }
};

TEST_F(HostsTest, UnicodeTextPassesEveryKindUnchanged)
{
    ASSERT_NE(Enskin(nullptr, 1), 0);
    OpenUnicodeDialog();
    ASSERT_NE(FindSkinnedWindow(dialog), nullptr);
    EXPECT_TRUE(IsWindowUnicode(dialog));
    SetWindowTextW(dialog, WideText);
    EXPECT_EQ(WindowTextOf(dialog), WideText) << "dialog caption";

    for (const TestKind &c : TextKinds) {
        const std::string className = c.className;
        HWND control = WideChild(std::wstring(className.begin(), className.end()).c_str(), c.style, L"", c.width,
                                 c.height, c.exStyle);
        ASSERT_NE(FindSkinnedWindow(control), nullptr) << c.name;
        EXPECT_TRUE(IsWindowUnicode(control)) << c.name;
        if (className == WC_TABCONTROLA) {
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t *>(WideText);
            SendMessageW(control, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            wchar_t read[64] = {};
            item.pszText = read;
            item.cchTextMax = 64;
            SendMessageW(control, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            EXPECT_STREQ(read, WideText) << c.name << " item";
        } else if (className == "ComboBox") {
            SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText));
            wchar_t read[64] = {};
            SendMessageW(control, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(read));
            EXPECT_STREQ(read, WideText) << c.name << " item";
        } else {
            SetWindowTextW(control, WideText);
            EXPECT_EQ(WindowTextOf(control), WideText) << c.name;
        }
        DestroyWindow(control);
    }
}

TEST_F(HostsTest, CharactersTypedIntoASkinnedEditArriveWhole)
{
    OpenUnicodeDialog();
    HWND edit = WideChild(L"Edit", WS_BORDER, L"");
    ASSERT_NE(Enskin(edit, 1), 0);
    SetFocus(edit);
    for (const wchar_t typed : {L'\x0416', L'\x65E5', L'x'})
        SendMessageW(edit, WM_CHAR, typed, 1);
    EXPECT_EQ(WindowTextOf(edit), L"\x0416\x65E5x");
}

TEST_F(HostsTest, AnAnsiHostKeepsItsHighBytes)
{
    HWND ansiDialog = CreateTestDialog(TestDialogStyle, 300, 200, "ansi");
    const char bytes[] = "caf\xE9 \xFC\xDF \xA3\x80";
    ASSERT_NE(Enskin(ansiDialog, 1), 0);
    for (const TestKind &kind : KindsNamed({"push button", "label", "bordered edit"})) {
        HWND control = CreateKind(ansiDialog, kind, 10, 10);
        ASSERT_FALSE(IsWindowUnicode(control)) << kind.name;
        ASSERT_NE(Enskin(control, 1), 0) << kind.name;
        EXPECT_FALSE(IsWindowUnicode(control)) << kind.name << ": skinned in its own character set";
        SetWindowTextA(control, bytes);
        char read[64] = {};
        GetWindowTextA(control, read, sizeof read);
        EXPECT_STREQ(read, bytes) << kind.name;
        Enskin(control, 0);
        EXPECT_FALSE(IsWindowUnicode(control)) << kind.name << ": released to its own character set";
        GetWindowTextA(control, read, sizeof read);
        EXPECT_STREQ(read, bytes) << kind.name << " after the release";
    }
    SetWindowTextA(ansiDialog, bytes);
    char title[64] = {};
    GetWindowTextA(ansiDialog, title, sizeof title);
    EXPECT_STREQ(title, bytes) << "dialog caption";
    Enskin(ansiDialog, 0);
    DestroyWindow(ansiDialog);
}

// The columns of the button's face that carry the caption's black ink.
std::vector<int> InkColumns(HWND button)
{
    const WindowPixels shot = CaptureWindow(button);
    std::vector<int> columns(shot.width, 0);
    for (int y = 4; y < shot.height - 4; ++y) {
        for (int x = 4; x < shot.width - 4; ++x)
            columns[x] += shot.At(x, y) == RGB(0, 0, 0);
    }
    return columns;
}

TEST_F(HostsTest, CaptionsArePaintedInTheirOwnLetters)
{
    OpenUnicodeDialog();
    HWND button = WideChild(L"Button", BS_PUSHBUTTON, L"", 120, 30);
    ASSERT_NE(Enskin(button, 1), 0);
    SetWindowTextW(button, L"\x0416\x0416\x0416\x0416");
    const std::vector<int> cyrillic = InkColumns(button);
    SetWindowTextW(button, L"????");
    const std::vector<int> questionMarks = InkColumns(button);
    int inked = 0;
    for (int column : cyrillic)
        inked += column;
    EXPECT_GT(inked, 0) << "no caption was painted";
    EXPECT_NE(cyrillic, questionMarks) << "the letters were painted as question marks";
}

// A host's own subclass, put on after the skin as frameworks do in their
// dialog initialisation.
struct HostSubclass {
    WNDPROC previous = nullptr;
    int messages = 0;
};
HostSubclass hostSubclass;

LRESULT CALLBACK HostSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ++hostSubclass.messages;
    return CallWindowProcW(hostSubclass.previous, hwnd, msg, wParam, lParam);
}

void SubclassByHost(HWND hwnd)
{
    hostSubclass = {};
    hostSubclass.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostSubclassProc)));
}

// The host's subclass still hears the control, and the control behind it
// still keeps its state.
void ExpectChainWorks(HWND box, const char *when)
{
    hostSubclass.messages = 0;
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << when;
    SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED) << when;
    EXPECT_GE(hostSubclass.messages, 4) << when << ": the host's subclass was cut off";
}

TEST_F(HostsTest, AHostSubclassOverTheSkinSurvivesEveryRelease)
{
    OpenUnicodeDialog();
    HWND box = WideChild(L"Button", BS_AUTOCHECKBOX, L"box");
    const LONG_PTR controlProc = GetWindowLongPtrW(box, GWLP_WNDPROC);

    // One window skinned and released.
    ASSERT_NE(Enskin(box, 1), 0);
    SubclassByHost(box);
    Enskin(box, 0);
    EXPECT_EQ(FindSkinnedWindow(box), nullptr);
    ExpectChainWorks(box, "after Enskin(box, 0)");

    // Skinned again under the host's subclass, then thread-wide off.
    ASSERT_NE(Enskin(nullptr, 1), 0);
    ASSERT_NE(FindSkinnedWindow(box), nullptr) << "skinned again";
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(box, GWLP_WNDPROC)), HostSubclassProc)
        << "the skin took its old place in the chain";
    ExpectChainWorks(box, "skinned again");
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_NE(FindSkinnedWindow(box)->state & SKS_CHECKED, 0u) << "the skin follows the control again";
    Enskin(nullptr, 0);
    ExpectChainWorks(box, "after Enskin(NULL, 0)");

    // The host lets go, and with its next message the skin leaves too.
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostSubclass.previous));
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetWindowLongPtrW(box, GWLP_WNDPROC), controlProc) << "the chain ends at the control";
    EXPECT_EQ(FindSkinnedWindow(box), nullptr);
    DestroyWindow(box);
}

TEST_F(HostsTest, ASubclassOfWindowsMadeWhileSkinningIsOnSurvivesTheRelease)
{
    ASSERT_NE(Enskin(nullptr, 1), 0);
    OpenUnicodeDialog();
    HWND box = WideChild(L"Button", BS_AUTOCHECKBOX, L"box");
    ASSERT_NE(FindSkinnedWindow(box), nullptr);
    SubclassByHost(box);
    Enskin(nullptr, 0);
    ExpectChainWorks(box, "after Enskin(NULL, 0)");
    DestroyWindow(dialog);
    dialog = nullptr;
}

// The subclass cannot be installed: nothing stays linked.
LONG_PTR WINAPI RefusedSetWindowLongPtrW(HWND, int, LONG_PTR)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

TEST_F(HostsTest, ARefusedSubclassIsAFailure)
{
    OpenUnicodeDialog();
    HWND button = WideChild(L"Button", BS_PUSHBUTTON, L"ok");
    {
        ScopedImportPatch refuse(LibraryModule(), "user32.dll", "SetWindowLongPtrW",
                                 reinterpret_cast<void *>(RefusedSetWindowLongPtrW));
        ASSERT_NE(refuse.original, nullptr);
        EXPECT_EQ(Enskin(button, 1), 0);
    }
    EXPECT_EQ(FindSkinnedWindow(button), nullptr);
    EXPECT_TRUE(SkinnedRecords().empty());
    EXPECT_NE(Enskin(button, 1), 0) << "a later attach works";
}

}  // namespace

// The button kinds' message handling: state bits, immediate repaints, the
// push button's own click, and what reaches the standard control.
#include <windows.h>

#include <gtest/gtest.h>


#include "button_fixture.h"
#include "support/gdi_ledger.h"
#include "support/import_patch.h"

namespace {

// The outer face's top row of a push button: exact, as a gradient's first row is.
const COLORREF PressedOuterTop = 0x00C1CCD1;
const COLORREF RestingOuterTop = 0x00FFFFFF;

using MessageTest = ButtonTest;

TEST_F(MessageTest, StateBitsFollowTheMessagesThatChangeThem)
{
    struct StateCase {
        const char *name;
        DWORD style;
        DWORD before;
        UINT msg;
        WPARAM wParam;
        DWORD after;
    };
    const DWORD check = BS_AUTOCHECKBOX;
    const StateCase cases[] = {
        {"check", check, 0, BM_SETCHECK, BST_CHECKED, SKS_CHECKED},
        {"third state", BS_AUTO3STATE, SKS_CHECKED, BM_SETCHECK, BST_INDETERMINATE, SKS_INDETERMINATE},
        {"any other check value clears both", BS_AUTO3STATE, 0, BM_SETCHECK, 3, 0},
        {"press", check, 0, BM_SETSTATE, 1, SKS_PRESSED},
        {"unpress", check, SKS_PRESSED, BM_SETSTATE, 0, 0},
        {"default", BS_PUSHBUTTON, 0, BM_SETSTYLE, BS_DEFPUSHBUTTON, SKS_DEFAULT},
        {"no longer default", BS_DEFPUSHBUTTON, SKS_DEFAULT, BM_SETSTYLE, BS_PUSHBUTTON, 0},
        // The low bit alone does not make a default button.
        {"push-like check box restyled", BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, BM_SETSTYLE,
         BS_AUTOCHECKBOX | BS_PUSHLIKE, 0},
        {"hover", BS_PUSHBUTTON, 0, WM_MOUSEMOVE, 0, SKS_HOT},
        {"moved in with the button held", BS_PUSHBUTTON, 0, WM_MOUSEMOVE, MK_LBUTTON, 0},
        {"leave", check, SKS_HOT | SKS_PRESSED | SKS_CHECKED, WM_MOUSELEAVE, 0, SKS_CHECKED},
        {"disable", BS_GROUPBOX, 0, WM_ENABLE, 0, SKS_DISABLED},
        {"enable", BS_AUTORADIOBUTTON, SKS_DISABLED, WM_ENABLE, 1, 0},
        {"kill focus", BS_PUSHBUTTON, SKS_FOCUSED, WM_KILLFOCUS, 0, 0},
    };
    for (const StateCase &c : cases) {
        HWND hwnd = Skinned("Button", c.style, 120, 30, "state");
        Rec(hwnd)->state = c.before;
        SendMessageA(hwnd, c.msg, c.wParam, 0);
        ASSERT_NE(Rec(hwnd), nullptr) << c.name;
        EXPECT_EQ(Rec(hwnd)->state, c.after) << c.name;
        DestroyWindow(hwnd);
    }
    HWND label = Skinned("Static", SS_LEFT, 120, 30, "label");
    SetFocus(label);
    EXPECT_EQ(Rec(label)->state, DWORD{SKS_FOCUSED});
    SetFocus(nullptr);
    EXPECT_EQ(Rec(label)->state, 0u);
}

TEST_F(MessageTest, ChangesRepaintAtOnce)
{
    HWND button = Skinned("Button", BS_PUSHBUTTON, 100, 30, "now");
    EXPECT_EQ(ReadWindowPixel(button, 50, 2), RestingOuterTop);
    SendMessageA(button, BM_SETSTATE, 1, 0);
    EXPECT_EQ(ReadWindowPixel(button, 50, 2), PressedOuterTop) << "no message pumped in between";
    SendMessageA(button, BM_SETSTATE, 0, 0);
    EXPECT_EQ(ReadWindowPixel(button, 50, 2), RestingOuterTop);
}

TEST_F(MessageTest, PushButtonClicksOnEveryReleaseThatReachesIt)
{
    struct ClickCase {
        const char *name;
        std::vector<UINT> mouse;  // sent in order
        size_t clicks;
    };
    const ClickCase cases[] = {
        {"press and release", {WM_LBUTTONDOWN, WM_LBUTTONUP}, 1},
        {"double click", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, 2},
        // Without capture the release goes to the window under the pointer.
        {"dragged off and released elsewhere", {WM_LBUTTONDOWN, WM_MOUSELEAVE}, 0},
        {"pressed elsewhere, released here", {WM_LBUTTONUP}, 1},
        {"dragged off, back and released", {WM_LBUTTONDOWN, WM_MOUSELEAVE, WM_LBUTTONUP}, 1},
    };
    for (const ClickCase &c : cases) {
        HWND button = Skinned("Button", BS_PUSHBUTTON, 100, 30, "click", 42);
        clicks.clear();
        for (UINT msg : c.mouse)
            SendMessageA(button, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(10, 10));
        EXPECT_EQ(clicks.size(), c.clicks) << c.name;
        for (const auto &click : clicks) {
            EXPECT_EQ(click.first, 42) << c.name;
            EXPECT_EQ(click.second, button) << c.name;
        }
        EXPECT_EQ(Rec(button)->state & SKS_PRESSED, 0u) << c.name;
        DestroyWindow(button);
    }
}

TEST_F(MessageTest, PushButtonNotifiesWhileStillPressedAndSurvivesItsDestruction)
{
    HWND button = Skinned("Button", BS_PUSHBUTTON, 100, 30, "close", 7);
    DWORD stateSeen = 0;
    onClick = [&](HWND hwnd) {
        stateSeen = Rec(hwnd)->state;
        DestroyWindow(hwnd);
    };
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(GetFocus(), button);
    SendMessageA(button, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(stateSeen & (SKS_PRESSED | SKS_FOCUSED), DWORD{SKS_PRESSED | SKS_FOCUSED});
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(Rec(button), nullptr);
}

TEST_F(MessageTest, TheStandardControlSeesNeitherPaintingNorPushButtonClicks)
{
    struct ForwardCase {
        const char *name;
        DWORD style;
        bool mouseForwarded;
        LRESULT erase;  // expected WM_ERASEBKGND result, -1 for forwarded
    };
    const ForwardCase cases[] = {
        {"push button", BS_PUSHBUTTON, false, -1},
        {"push-like radio button", BS_AUTORADIOBUTTON | BS_PUSHLIKE, true, -1},
        {"push-like check box", BS_AUTOCHECKBOX | BS_PUSHLIKE, true, -1},
        {"check box", BS_AUTOCHECKBOX, true, 1},
        {"radio button", BS_AUTORADIOBUTTON, true, 1},
        {"group box", BS_GROUPBOX, true, 1},
    };
    for (const ForwardCase &c : cases) {
        HWND hwnd = CreateChild(dialog, "Button", c.style, 20, 20, 120, 30, 5, "old");
        MessageLog below;
        // Under the library's subclass: sees only what is forwarded.
        StartLogging(hwnd, &below);
        ASSERT_NE(AttachWindow(hwnd), nullptr) << c.name;
        below.Clear();

        SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new"));
        char text[16] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        EXPECT_STREQ(text, "new") << c.name;
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
        HDC dc = GetDC(hwnd);
        const LRESULT erased = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(hwnd, dc);
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);

        ExpectSequence(below, c.mouseForwarded ? std::vector<ExpectedMessage>{{WM_LBUTTONDOWN}, {WM_LBUTTONUP}}
                                               : std::vector<ExpectedMessage>{},
                       c.name, {WM_SETTEXT, WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONUP});
        if (c.erase >= 0) {
            EXPECT_EQ(erased, c.erase) << c.name;
            EXPECT_EQ(below.Count(WM_ERASEBKGND), 0) << c.name;
        } else {
            EXPECT_GE(below.Count(WM_ERASEBKGND), 1) << c.name;
        }
        DestroyWindow(hwnd);
    }
}

// Swallows WM_KILLFOCUS, as a host subclass over a skinned button may.
WNDPROC swallowedProc = nullptr;
LRESULT CALLBACK SwallowingKillFocus(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_KILLFOCUS)
        return 0;
    return CallWindowProcW(swallowedProc, hwnd, msg, wParam, lParam);
}

TEST_F(MessageTest, AFocusChangeReachesTheWindowThatLostItOnce)
{
    HWND edit = CreateChild(dialog, "Edit", WS_BORDER, 20, 80, 100, 20, 9);
    HWND button = Skinned("Button", BS_PUSHBUTTON, 100, 30, "focus");
    SetFocus(edit);
    MessageLog editLog;
    StartLogging(edit, &editLog);
    SetFocus(button);
    StopLogging(edit);
    EXPECT_EQ(editLog.Count(WM_KILLFOCUS), 1) << editLog.Describe();
    EXPECT_NE(Rec(button)->state & SKS_FOCUSED, 0u);

    // A skinned button whose WM_KILLFOCUS a host swallows still drops its
    // focused look when another skinned button takes the focus.
    HWND other = Skinned("Button", BS_PUSHBUTTON, 100, 30, "other");
    swallowedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SwallowingKillFocus)));
    SetFocus(other);
    EXPECT_EQ(Rec(button)->state & SKS_FOCUSED, 0u);
    EXPECT_NE(Rec(other)->state & SKS_FOCUSED, 0u);
    SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(swallowedProc));
}

// CopyImage as Windows has it: LR_COPYRETURNORG hands back an icon that
// already fits the copy's terms, here every icon.
decltype(&CopyImage) realCopyImage;
HANDLE WINAPI CopyImageReturningOriginal(HANDLE image, UINT type, int cx, int cy, UINT flags)
{
    if (flags & LR_COPYRETURNORG)
        return image;
    return realCopyImage(image, type, cx, cy, flags);
}

bool IconAlive(HICON icon)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return true;
}

TEST_F(MessageTest, IconCopiesAreTheLibrarysOwnAndReplacedOneByOne)
{
    ScopedImportPatch patch(LibraryModule(), "user32.dll", "CopyImage",
                            reinterpret_cast<void *>(CopyImageReturningOriginal));
    ASSERT_NE(patch.original, nullptr);
    realCopyImage = reinterpret_cast<decltype(&CopyImage)>(patch.original);

    HICON first = CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32516)));  // IDI_INFORMATION
    HICON second = CopyIcon(first);
    HWND button = Skinned("Button", BS_PUSHBUTTON, 100, 40, "icon");
    {
        GdiLedger ledger;
        SendMessageA(button, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(first));
        HICON firstCopy = Rec(button)->buttonIcon;
        ASSERT_NE(firstCopy, nullptr);
        EXPECT_NE(firstCopy, first);
        SendMessageA(button, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(second));
        EXPECT_FALSE(IconAlive(firstCopy)) << "the earlier copy is destroyed";
        EXPECT_EQ(ledger.LiveIcons(), 1);
        EXPECT_EQ(SendMessageA(button, WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(second));
        SendMessageA(button, WM_SETICON, ICON_SMALL, 0);
        EXPECT_EQ(Rec(button)->buttonIcon, nullptr);
        SendMessageA(button, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(first));
        DetachWindow(button);
        EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
    }
    EXPECT_TRUE(IconAlive(first)) << "the host's icons stay the host's";
    EXPECT_TRUE(IconAlive(second));
    DestroyIcon(first);
    DestroyIcon(second);
}

}  // namespace

// Edit frames by border style and state, and list boxes and hot-key controls
// left in their own look.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "controls/controls.h"
#include "core/skin.h"
#include "support/harness.h"
#include "brush_markers.h"
#include "support/window_pixels.h"

namespace {

const COLORREF OuterColour = BuiltInFace.editRing;
// The colours of ring k (0 = outermost) at the middle of the four sides.
struct Ring {
    COLORREF left, top, right, bottom;
};

Ring ReadRing(HWND hwnd, int k)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    return {ReadWindowPixel(hwnd, k, h / 2), ReadWindowPixel(hwnd, w / 2, k), ReadWindowPixel(hwnd, w - 1 - k, h / 2),
            ReadWindowPixel(hwnd, w / 2, h - 1 - k)};
}

void ExpectRing(HWND hwnd, int k, COLORREF colour, const char *name)
{
    const Ring ring = ReadRing(hwnd, k);
    EXPECT_EQ(ring.left, colour) << name << ", ring " << k << " left";
    EXPECT_EQ(ring.top, colour) << name << ", ring " << k << " top";
    EXPECT_EQ(ring.right, colour) << name << ", ring " << k << " right";
    EXPECT_EQ(ring.bottom, colour) << name << ", ring " << k << " bottom";
}

void ExpectNoRing(HWND hwnd, int k, COLORREF colour, const char *name)
{
    const Ring ring = ReadRing(hwnd, k);
    EXPECT_NE(ring.left, colour) << name << ", ring " << k << " left";
    EXPECT_NE(ring.top, colour) << name << ", ring " << k << " top";
}

class EditTest : public MarkedBrushesTest {
protected:
    // The Edit takes WS_BORDER out of its style at creation and draws that
    // border itself; only a border added afterwards is a window border.
    HWND SkinnedEdit(DWORD style, DWORD exStyle)
    {
        HWND edit = CreateWindowExA(exStyle, "Edit", "text", WS_CHILD | WS_VISIBLE | (style & ~WS_BORDER), 20, 20,
                                    120, 26, dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (style & WS_BORDER) {
            SetWindowLongA(edit, GWL_STYLE, GetWindowLongA(edit, GWL_STYLE) | WS_BORDER);
            SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        }
        EXPECT_NE(AttachWindow(edit), nullptr);
        PumpMessages();
        return edit;
    }
};

TEST_F(EditTest, RingsFollowTheBorderStyleAndState)
{
    const COLORREF white = 0x00FFFFFF;
    struct RingCase {
        const char *name;
        DWORD style;
        DWORD exStyle;
        COLORREF outer;
        int innerRings;
        COLORREF inner;
    };
    const COLORREF disabled = DarkenedFaceColour();
    const RingCase cases[] = {
        {"border", WS_BORDER, 0, OuterColour, 0, 0},
        {"border, read-only", WS_BORDER | ES_READONLY, 0, OuterColour, 0, 0},
        {"border, disabled", WS_BORDER | WS_DISABLED, 0, disabled, 0, 0},
        {"client edge", 0, WS_EX_CLIENTEDGE, OuterColour, 1, white},
        {"client edge, read-only", ES_READONLY, WS_EX_CLIENTEDGE, OuterColour, 1, WindowBrushMarker},
        {"client edge, disabled", WS_DISABLED, WS_EX_CLIENTEDGE, disabled, 1, WindowBrushMarker},
        // A static edge alone is one pixel wide: the inner ring falls in the
        // client area, which the Edit paints over after its frame.
        {"static edge, disabled", WS_DISABLED, WS_EX_STATICEDGE, disabled, 0, 0},
        {"border and client edge", WS_BORDER, WS_EX_CLIENTEDGE, OuterColour, 1, white},
        {"client and static edge", 0, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, OuterColour, 2, white},
        {"client and static edge, read-only", ES_READONLY, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, OuterColour, 2,
         WindowBrushMarker},
    };
    for (const RingCase &c : cases) {
        HWND edit = SkinnedEdit(c.style, c.exStyle);
        ExpectRing(edit, 0, c.outer, c.name);
        for (int k = 1; k <= c.innerRings; ++k)
            ExpectRing(edit, k, c.inner, c.name);
        // The next ring in belongs to the Edit; the system brush is never
        // the Edit's own background.
        ExpectNoRing(edit, c.innerRings + 1, WindowBrushMarker, c.name);
        DestroyWindow(edit);
    }
}

TEST_F(EditTest, BorderlessEditIsLeftAsItPaintsItself)
{
    // Created with WS_BORDER, the Edit keeps no window border of its own.
    for (DWORD style : {DWORD{ES_READONLY}, DWORD{WS_BORDER}}) {
        HWND edit = CreateWindowExA(0, "Edit", "text", WS_CHILD | WS_VISIBLE | style, 20, 20, 120, 26, dialog,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
        PumpMessages();
        const WindowPixels before = CaptureWindow(edit);
        ASSERT_NE(AttachWindow(edit), nullptr);
        PumpMessages();
        EXPECT_TRUE(CaptureWindow(edit) == before) << "style 0x" << std::hex << style;
        DestroyWindow(edit);
    }
}

// Reads the inner ring at the moment the Edit itself receives EM_SETREADONLY.
struct ReadOnlyProbe {
    WNDPROC previous;
    std::vector<COLORREF> seen;
};
ReadOnlyProbe probe;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == EM_SETREADONLY)
        probe.seen.push_back(ReadRing(hwnd, 1).left);
    return CallWindowProcA(probe.previous, hwnd, msg, wParam, lParam);
}

TEST_F(EditTest, SetReadOnlyRepaintsTheFrameBeforeTheEditTakesIt)
{
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "text", WS_CHILD | WS_VISIBLE, 20, 20, 120, 26, dialog,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    probe = {};
    probe.previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProbeProc)));
    SkinnedWindow *rec = AttachWindow(edit);
    ASSERT_NE(rec, nullptr);
    PumpMessages();

    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
    EXPECT_TRUE(rec->state & SKS_READONLY);
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) << "the Edit did not get the message";
    SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
    EXPECT_FALSE(rec->state & SKS_READONLY);
    EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    ASSERT_EQ(probe.seen.size(), 2u);
    EXPECT_EQ(probe.seen[0], WindowBrushMarker) << "read-only ring not yet drawn when the Edit got the message";
    EXPECT_EQ(probe.seen[1], 0x00FFFFFFu) << "white ring not yet drawn when the Edit got the message";

    PumpMessages();
    ExpectRing(edit, 1, 0x00FFFFFF, "writable again");
    DetachWindow(edit);
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(probe.previous));
}

TEST_F(EditTest, FrameFollowsLaterEnablingAndDisabling)
{
    HWND edit = SkinnedEdit(0, WS_EX_CLIENTEDGE);
    SkinnedWindow *rec = FindSkinnedWindow(edit);
    ASSERT_NE(rec, nullptr);

    EnableWindow(edit, FALSE);
    EXPECT_TRUE(rec->state & SKS_DISABLED);
    ExpectRing(edit, 0, DarkenedFaceColour(), "disabled later");
    ExpectRing(edit, 1, WindowBrushMarker, "disabled later");
    // Any repaint that follows keeps the new look.
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    ExpectRing(edit, 0, DarkenedFaceColour(), "disabled, repainted");

    EnableWindow(edit, TRUE);
    EXPECT_FALSE(rec->state & SKS_DISABLED);
    ExpectRing(edit, 0, OuterColour, "enabled again");
    ExpectRing(edit, 1, 0x00FFFFFF, "enabled again");
}

TEST_F(EditTest, ListBoxAndHotKeyLookAsUnskinnedAndLeaveNoRecord)
{
    for (const char *className : {"ListBox", HOTKEY_CLASSA}) {
        HWND control = CreateWindowExA(WS_EX_CLIENTEDGE, className, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 20, 20,
                                       140, 80, dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(control, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), TRUE);
        SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
        SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("two"));
        PumpMessages();
        const WindowPixels before = CaptureWindow(control);

        SkinnedWindow *rec = AttachWindow(control);
        ASSERT_NE(rec, nullptr) << className;
        EXPECT_EQ(rec->skinClass->kind, CK_LISTBOX) << className;
        PumpMessages();
        EXPECT_TRUE(CaptureWindow(control) == before) << className << " changed its look when skinned";

        // Messages still reach the control.
        EXPECT_NE(SendMessageA(control, WM_GETDLGCODE, 0, 0), 0) << className;

        DestroyWindow(control);
        EXPECT_EQ(RecordsFor(control), 0) << className;
    }
}

}  // namespace

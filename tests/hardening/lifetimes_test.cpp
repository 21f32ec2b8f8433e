// Lifetimes: from inside each notification the library sends, the host
// destroys the control or its dialog, releases the control's skin, or
// switches thread-wide skinning off. The program runs under Wine's heap
// checking, and ctest fails it on any heap warning; every case also
// validates the heap itself. Pairs another test already covers (the push
// button's own end inside BN_CLICKED, a vertical bar destroyed or released
// inside its notification, a dialog destroyed inside its caption command)
// are left out here.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "core/skin.h"
#include "scroll/scroll.h"
#include "support/harness.h"
#include "velk.h"

namespace {

enum class Action { DestroyControl, DestroyDialog, ReleaseControl, SkinningOff };
const char *const ActionNames[] = {"control destroyed", "dialog destroyed", "skin released",
                                   "thread-wide skinning off"};

// The notification a case waits for, picked out by its message and code (the
// scroll code, notify code, system command, WM_COMMAND code, or wParam).
struct Trigger {
    UINT msg = 0;
    UINT code = 0;
    HWND source = nullptr;  // the control the notification is about
    HWND dialog = nullptr;
    Action action = Action::DestroyControl;
    int fired = 0;
    INT_PTR result = 0;  // what Enskin answered
} trigger;

// What the standard controls did once the skin was gone.
int clicks = 0;
int closes = 0;
int scrolls = 0;

bool IsTrigger(HWND receiver, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (trigger.fired != 0 || msg != trigger.msg)
        return false;
    const HWND named = reinterpret_cast<HWND>(lParam);
    switch (msg) {
    case WM_COMMAND:
        return HIWORD(wParam) == trigger.code && named == trigger.source;
    case WM_VSCROLL:
    case WM_HSCROLL:
        return LOWORD(wParam) == trigger.code && named == trigger.source;
    case WM_NOTIFY: {
        const auto *notify = reinterpret_cast<const NMHDR *>(lParam);
        return notify->code == trigger.code && notify->hwndFrom == trigger.source;
    }
    case WM_SYSCOMMAND:
        return (wParam & 0xFFF0) == trigger.code && receiver == trigger.source;
    default:
        return wParam == trigger.code;
    }
}

void CarryOut()
{
    ++trigger.fired;
    switch (trigger.action) {
    case Action::DestroyControl:
        trigger.result = DestroyWindow(trigger.source);
        break;
    case Action::DestroyDialog:
        trigger.result = DestroyWindow(trigger.dialog);
        break;
    case Action::ReleaseControl:
        trigger.result = Enskin(trigger.source, 0);
        break;
    case Action::SkinningOff:
        trigger.result = Enskin(nullptr, 0);
        break;
    }
}

// The host acts after the dialog's own handling, deep inside the library's
// forwarding of the message.
INT_PTR CALLBACK HostDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    clicks += msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED;
    closes += msg == WM_CLOSE;
    scrolls += msg == WM_VSCROLL || msg == WM_HSCROLL;
    if (IsTrigger(dialog, msg, wParam, lParam))
        CarryOut();
    // Nothing really closes, minimises or maximises.
    const WPARAM command = wParam & 0xFFF0;
    return msg == WM_CLOSE || (msg == WM_SYSCOMMAND && (command == SC_MINIMIZE || command == SC_MAXIMIZE));
}

// The window that loses the focus to the push button: it acts on the
// library's extra WM_KILLFOCUS, after its own procedure has seen it.
WNDPROC editProc = nullptr;
LRESULT CALLBACK LosingEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcA(editProc, hwnd, msg, wParam, lParam);
    if (IsTrigger(hwnd, msg, wParam, lParam))
        CarryOut();
    return result;
}

const int EditId = 9;

void Send(HWND hwnd, UINT msg, int x, int y)
{
    SendMessageA(hwnd, msg, msg == WM_LBUTTONUP || msg == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

HWND MakeBar(HWND dialog, DWORD style)
{
    const bool vertical = style == SBS_VERT;
    HWND bar = CreateChild(dialog, "ScrollBar", style, 10, 10, vertical ? 17 : 200, vertical ? 200 : 17);
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS, 0, 100, 0, 50, 0};
    SetScrollInfo(bar, SB_CTL, &info, FALSE);
    return bar;
}

HWND MakeUpDown(HWND dialog, DWORD style)
{
    const bool horizontal = (style & UDS_HORZ) != 0;
    HWND updown = CreateChild(dialog, UPDOWN_CLASSA, style, 20, 20, horizontal ? 30 : 16, horizontal ? 16 : 30);
    SendMessageA(updown, UDM_SETRANGE32, 0, 100);
    SendMessageA(updown, UDM_SETPOS32, 0, 50);
    return updown;
}

// The up arrow, or the right one of a horizontal up-down: a step up.
POINT StepUpPoint(HWND updown)
{
    RECT client;
    GetClientRect(updown, &client);
    if (GetWindowLongA(updown, GWL_STYLE) & UDS_HORZ)
        return {client.right - 4, client.bottom / 2};
    return {client.right / 2, 4};
}

// ---- What a released control must still do as the standard control ----

bool ButtonClicks(HWND button)
{
    const int before = clicks;
    SendMessageA(button, BM_CLICK, 0, 0);
    return clicks == before + 1;
}

// The standard bar tracks the press in a loop of its own, which the posted
// release ends.
bool BarScrolls(HWND bar)
{
    const int before = scrolls;
    PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Send(bar, WM_LBUTTONDOWN, 5, 5);
    return scrolls > before;
}

bool UpDownSteps(HWND updown)
{
    const LRESULT before = SendMessageA(updown, UDM_GETPOS32, 0, 0);
    const POINT at = StepUpPoint(updown);
    Send(updown, WM_LBUTTONDOWN, at.x, at.y);
    Send(updown, WM_LBUTTONUP, at.x, at.y);
    return SendMessageA(updown, UDM_GETPOS32, 0, 0) == before + 1;
}

bool DialogCloses(HWND dialog)
{
    const int before = closes;
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return closes == before + 1;
}

// ---- Where each notification comes from ----

struct Source {
    const char *name;
    UINT msg;
    UINT code;
    std::function<HWND(HWND dialog)> make;  // the sending control; the dialog itself when null
    std::function<void(HWND control)> drive;
    std::function<bool(HWND control)> works;
};

std::function<void(HWND)> CaptionClick(WPARAM hitTest)
{
    return [hitTest](HWND dialog) {
        SendMessageA(dialog, WM_NCLBUTTONDOWN, hitTest, 0);
        SendMessageA(dialog, WM_NCLBUTTONUP, hitTest, 0);
    };
}

std::function<void(HWND)> Press(int x, int y)
{
    return [x, y](HWND control) {
        Send(control, WM_LBUTTONDOWN, x, y);
        Send(control, WM_LBUTTONUP, x, y);
    };
}

void DragThumb(HWND bar)
{
    const RECT thumb = static_cast<ScrollBarState *>(FindSkinnedWindow(bar)->extraState)->thumbRect;
    const int x = (thumb.left + thumb.right) / 2;
    const int y = (thumb.top + thumb.bottom) / 2;
    Send(bar, WM_LBUTTONDOWN, x, y);
    Send(bar, WM_MOUSEMOVE, x + 30, y);
    Send(bar, WM_LBUTTONUP, x + 30, y);
}

void PressUp(HWND updown)
{
    const POINT at = StepUpPoint(updown);
    Press(at.x, at.y)(updown);
}

HWND MakeButtonAndFocusedEdit(HWND dialog)
{
    HWND button = CreateChild(dialog, "Button", BS_PUSHBUTTON, 20, 20, 100, 30, 5, "button");
    HWND edit = CreateChild(dialog, "Edit", WS_BORDER, 20, 80, 100, 20, EditId);
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LosingEditProc)));
    SetFocus(edit);
    return button;
}

enum SourceId { PushClick, BarArrowV, BarPageH, BarThumbH, CaptionClose, CaptionMin, CaptionMax,
                UpDownDelta, UpDownScrollV, UpDownScrollH, FocusTaken };

const Source Sources[] = {
    {"push button BN_CLICKED", WM_COMMAND, BN_CLICKED,
     [](HWND d) { return CreateChild(d, "Button", BS_PUSHBUTTON, 20, 20, 100, 30, 5, "click"); }, Press(5, 5),
     ButtonClicks},
    {"vertical bar arrow WM_VSCROLL", WM_VSCROLL, SB_LINEUP, [](HWND d) { return MakeBar(d, SBS_VERT); },
     Press(8, 5), BarScrolls},
    {"horizontal bar page WM_HSCROLL", WM_HSCROLL, SB_PAGEUP, [](HWND d) { return MakeBar(d, SBS_HORZ); },
     Press(30, 8), BarScrolls},
    {"horizontal thumb release WM_HSCROLL", WM_HSCROLL, SB_THUMBPOSITION,
     [](HWND d) { return MakeBar(d, SBS_HORZ); }, DragThumb, BarScrolls},
    {"close button WM_CLOSE", WM_CLOSE, 0, nullptr, CaptionClick(HTCLOSE), DialogCloses},
    {"minimise button WM_SYSCOMMAND", WM_SYSCOMMAND, SC_MINIMIZE, nullptr, CaptionClick(HTMINBUTTON),
     DialogCloses},
    {"maximise button WM_SYSCOMMAND", WM_SYSCOMMAND, SC_MAXIMIZE, nullptr, CaptionClick(HTMAXBUTTON),
     DialogCloses},
    {"up-down UDN_DELTAPOS", WM_NOTIFY, UDN_DELTAPOS, [](HWND d) { return MakeUpDown(d, 0); }, PressUp,
     UpDownSteps},
    {"up-down WM_VSCROLL", WM_VSCROLL, SB_THUMBPOSITION, [](HWND d) { return MakeUpDown(d, 0); }, PressUp,
     UpDownSteps},
    {"horizontal up-down WM_HSCROLL", WM_HSCROLL, SB_THUMBPOSITION,
     [](HWND d) { return MakeUpDown(d, UDS_HORZ); }, PressUp, UpDownSteps},
    {"WM_KILLFOCUS to the edit the push button took the focus from", WM_KILLFOCUS, 0,
     MakeButtonAndFocusedEdit, [](HWND button) { SetFocus(button); }, ButtonClicks},
};

struct Case {
    SourceId source;
    Action action;
};

std::ostream &operator<<(std::ostream &out, const Case &c)
{
    return out << Sources[c.source].name << ", " << ActionNames[static_cast<int>(c.action)];
}

const Case Cases[] = {
    {PushClick, Action::SkinningOff},
    {BarArrowV, Action::DestroyDialog},
    {BarArrowV, Action::SkinningOff},
    {BarPageH, Action::DestroyControl},
    {BarPageH, Action::DestroyDialog},
    {BarPageH, Action::ReleaseControl},
    {BarPageH, Action::SkinningOff},
    {BarThumbH, Action::DestroyControl},
    {BarThumbH, Action::DestroyDialog},
    {BarThumbH, Action::ReleaseControl},
    {BarThumbH, Action::SkinningOff},
    {CaptionClose, Action::ReleaseControl},
    {CaptionClose, Action::SkinningOff},
    {CaptionMin, Action::ReleaseControl},
    {CaptionMin, Action::SkinningOff},
    {CaptionMax, Action::ReleaseControl},
    {CaptionMax, Action::SkinningOff},
    {UpDownDelta, Action::DestroyControl},
    {UpDownDelta, Action::DestroyDialog},
    {UpDownDelta, Action::ReleaseControl},
    {UpDownDelta, Action::SkinningOff},
    {UpDownScrollV, Action::DestroyControl},
    {UpDownScrollV, Action::DestroyDialog},
    {UpDownScrollV, Action::SkinningOff},
    {UpDownScrollH, Action::DestroyControl},
    {UpDownScrollH, Action::DestroyDialog},
    {UpDownScrollH, Action::ReleaseControl},
    {UpDownScrollH, Action::SkinningOff},
    {FocusTaken, Action::DestroyControl},
    {FocusTaken, Action::DestroyDialog},
    {FocusTaken, Action::ReleaseControl},
    {FocusTaken, Action::SkinningOff},
};

BOOL CALLBACK SkinChild(HWND child, LPARAM)
{
    Enskin(child, 1);
    return TRUE;
}

class LifetimeTest : public testing::TestWithParam<Case> {
protected:
    void SetUp() override { ASSERT_TRUE(SkinnedRecords().empty()) << "an earlier test left records behind"; }

    void TearDown() override
    {
        trigger = Trigger{};
        Enskin(nullptr, 0);
        ReleaseCapture();
        if (IsWindow(dialog))
            DestroyWindow(dialog);
        PumpMessages();
        EXPECT_TRUE(SkinnedRecords().empty()) << "records outlived their windows";
        EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
    }

    HWND dialog = nullptr;
};

TEST_P(LifetimeTest, HostEndsItInsideTheNotification)
{
    const Case c = GetParam();
    const Source &source = Sources[c.source];
    dialog = CreateTestDialog(TestDialogStyle | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 300, 260, "lifetimes",
                              HostDialogProc);
    const HWND control = source.make ? source.make(dialog) : dialog;
    if (c.action == Action::SkinningOff) {
        ASSERT_NE(Enskin(nullptr, 1), 0);
    } else {
        Enskin(dialog, 1);
        EnumChildWindows(dialog, SkinChild, 0);
    }
    PumpMessages();
    ASSERT_NE(FindSkinnedWindow(control), nullptr);

    trigger = {source.msg, source.code, control, dialog, c.action};
    source.drive(control);
    const Trigger seen = trigger;
    trigger = Trigger{};
    // Wine keeps the last thousand or so freed blocks filled with a pattern;
    // a stale write shows up here, before later frees recycle them.
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr)) << "a freed block was written to";
    ASSERT_EQ(seen.fired, 1) << "the notification never came";
    // A release answers the record before the released one, which may be none.
    if (c.action != Action::ReleaseControl)
        EXPECT_NE(seen.result, 0) << "the host's call failed";

    switch (c.action) {
    case Action::DestroyControl:
        EXPECT_FALSE(IsWindow(control));
        EXPECT_EQ(RecordsFor(control), 0);
        EXPECT_NE(FindSkinnedWindow(dialog), nullptr) << "the dialog keeps its skin";
        break;
    case Action::DestroyDialog:
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_TRUE(SkinnedRecords().empty());
        break;
    case Action::ReleaseControl:
        EXPECT_EQ(FindSkinnedWindow(control), nullptr);
        EXPECT_EQ(FindSkinnedWindow(dialog) != nullptr, control != dialog) << "only the control was released";
        break;
    case Action::SkinningOff: {
        EXPECT_TRUE(SkinnedRecords().empty());
        HWND later = CreateChild(dialog, "Button", BS_PUSHBUTTON, 150, 150, 60, 20);
        EXPECT_EQ(FindSkinnedWindow(later), nullptr) << "the creation hook is still there";
        break;
    }
    }
    if (IsWindow(control)) {
        ASSERT_EQ(FindSkinnedWindow(control), nullptr);
        EXPECT_TRUE(source.works(control)) << "the released control no longer works";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryNotification, LifetimeTest, testing::ValuesIn(Cases));

}  // namespace

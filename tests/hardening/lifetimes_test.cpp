// Lifetimes: from inside each notification the library sends, the host
// destroys the control or its dialog, releases the control's skin, or
// switches thread-wide skinning off. The program runs under Wine's heap
// checking, and ctest fails it on any heap complaint; while the host acts,
// the blocks the library frees are also kept aside under a pattern, once with
// 0xDD and once with its complement. The dialog destroyed inside its caption
// command is left to the caption input tests, which watch the same way.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

#include "core/skin.h"
#include "scroll/scroll.h"
#include "support/freed_blocks.h"
#include "support/harness.h"
#include "support/records.h"
#include "velk.h"

namespace {

enum Action { ControlDestroyed, DialogDestroyed, SkinReleased, SkinningOff };
const char *const ActionNames[] = {"control destroyed", "dialog destroyed", "skin released",
                                   "thread-wide skinning off"};

// The notification a case waits for, picked out by its message and a code:
// the WM_COMMAND code, scroll code, notify code, system command, or wParam.
struct Trigger {
    UINT msg = 0;
    UINT code = 0;
    HWND source = nullptr;  // the control the notification is about
    HWND dialog = nullptr;
    Action action = ControlDestroyed;
    int fired = 0;
    INT_PTR result = 0;  // what DestroyWindow or Enskin answered
} trigger;

// What the dialog heard from the standard controls.
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
    case WM_NOTIFY:
        return reinterpret_cast<NMHDR *>(lParam)->code == trigger.code &&
               reinterpret_cast<NMHDR *>(lParam)->hwndFrom == trigger.source;
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
    case ControlDestroyed:
        trigger.result = DestroyWindow(trigger.source);
        break;
    case DialogDestroyed:
        trigger.result = DestroyWindow(trigger.dialog);
        break;
    case SkinReleased:
        trigger.result = Enskin(trigger.source, 0);
        break;
    case SkinningOff:
        trigger.result = Enskin(nullptr, 0);
        break;
    }
}

// The dialog procedure runs inside the library's forwarding of the message,
// so the host acts with the library's handler still on the stack.
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

void Send(HWND hwnd, UINT msg, int x, int y)
{
    SendMessageA(hwnd, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

HWND MakeButton(HWND dialog)
{
    return CreateChild(dialog, "Button", BS_PUSHBUTTON, 20, 20, 100, 30, 5, "click");
}

HWND MakeBar(HWND dialog, DWORD style)
{
    const bool vertical = style == SBS_VERT;
    HWND bar = CreateChild(dialog, "ScrollBar", style, 10, 10, vertical ? 17 : 200, vertical ? 200 : 17);
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS, 0, 100, 0, 50, 0};
    SetScrollInfo(bar, SB_CTL, &info, FALSE);
    return bar;
}

// Along the bar: the vertical bar's drag starts at the first move, the
// horizontal one's at the press.
void DragThumb(HWND bar)
{
    const RECT thumb = static_cast<ScrollBarState *>(FindSkinnedWindow(bar)->extraState)->thumbRect;
    const int x = (thumb.left + thumb.right) / 2;
    const int y = (thumb.top + thumb.bottom) / 2;
    const bool vertical = (GetWindowLongA(bar, GWL_STYLE) & SBS_VERT) != 0;
    const int toX = vertical ? x : x + 30;
    const int toY = vertical ? y + 30 : y;
    Send(bar, WM_LBUTTONDOWN, x, y);
    Send(bar, WM_MOUSEMOVE, toX, toY);
    Send(bar, WM_LBUTTONUP, toX, toY);
}

HWND MakeUpDown(HWND dialog, DWORD style)
{
    const bool horizontal = style == UDS_HORZ;
    HWND updown = CreateChild(dialog, UPDOWN_CLASSA, style, 20, 20, horizontal ? 30 : 16, horizontal ? 16 : 30);
    SendMessageA(updown, UDM_SETRANGE32, 0, 100);
    SendMessageA(updown, UDM_SETPOS32, 0, 50);
    return updown;
}

// A press on the up arrow, or the right one of a horizontal up-down.
void StepUp(HWND updown)
{
    RECT client;
    GetClientRect(updown, &client);
    if (GetWindowLongA(updown, GWL_STYLE) & UDS_HORZ)
        Click(updown, client.right - 4, client.bottom / 2);
    else
        Click(updown, client.right / 2, 4);
}

void CaptionClick(HWND dialog, WPARAM hitTest)
{
    SendMessageA(dialog, WM_NCLBUTTONDOWN, hitTest, 0);
    SendMessageA(dialog, WM_NCLBUTTONUP, hitTest, 0);
}

// ---- What a released control still does as the standard control ----

bool ButtonClicks(HWND button)
{
    const int before = clicks;
    SendMessageA(button, BM_CLICK, 0, 0);
    return clicks == before + 1;
}

// The standard bar tracks a press in a loop of its own; the posted release
// ends it.
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
    StepUp(updown);
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

const Source Sources[] = {
    {"push button BN_CLICKED", WM_COMMAND, BN_CLICKED, MakeButton, [](HWND b) { Click(b, 5, 5); }, ButtonClicks},
    {"vertical bar arrow WM_VSCROLL", WM_VSCROLL, SB_LINEUP, [](HWND d) { return MakeBar(d, SBS_VERT); },
     [](HWND bar) { Click(bar, 8, 5); }, BarScrolls},
    {"vertical thumb drag WM_VSCROLL", WM_VSCROLL, SB_THUMBTRACK, [](HWND d) { return MakeBar(d, SBS_VERT); },
     DragThumb, BarScrolls},
    {"vertical thumb release WM_VSCROLL", WM_VSCROLL, SB_THUMBPOSITION, [](HWND d) { return MakeBar(d, SBS_VERT); },
     DragThumb, BarScrolls},
    {"vertical channel double click WM_VSCROLL", WM_VSCROLL, SB_PAGEDOWN,
     [](HWND d) { return MakeBar(d, SBS_VERT); }, [](HWND bar) { Send(bar, WM_LBUTTONDBLCLK, 8, 150); }, BarScrolls},
    {"horizontal bar page WM_HSCROLL", WM_HSCROLL, SB_PAGEUP, [](HWND d) { return MakeBar(d, SBS_HORZ); },
     [](HWND bar) { Click(bar, 30, 8); }, BarScrolls},
    {"horizontal thumb release WM_HSCROLL", WM_HSCROLL, SB_THUMBPOSITION,
     [](HWND d) { return MakeBar(d, SBS_HORZ); }, DragThumb, BarScrolls},
    {"close button WM_CLOSE", WM_CLOSE, 0, nullptr, [](HWND d) { CaptionClick(d, HTCLOSE); }, DialogCloses},
    {"minimise button WM_SYSCOMMAND", WM_SYSCOMMAND, SC_MINIMIZE, nullptr,
     [](HWND d) { CaptionClick(d, HTMINBUTTON); }, DialogCloses},
    {"maximise button WM_SYSCOMMAND", WM_SYSCOMMAND, SC_MAXIMIZE, nullptr,
     [](HWND d) { CaptionClick(d, HTMAXBUTTON); }, DialogCloses},
    {"up-down UDN_DELTAPOS", WM_NOTIFY, UDN_DELTAPOS, [](HWND d) { return MakeUpDown(d, 0); }, StepUp,
     UpDownSteps},
    {"up-down WM_VSCROLL", WM_VSCROLL, SB_THUMBPOSITION, [](HWND d) { return MakeUpDown(d, 0); }, StepUp,
     UpDownSteps},
    {"horizontal up-down WM_HSCROLL", WM_HSCROLL, SB_THUMBPOSITION,
     [](HWND d) { return MakeUpDown(d, UDS_HORZ); }, StepUp, UpDownSteps},
};

struct Case {
    size_t source;  // in Sources
    Action action;
    unsigned char freedPattern;
};

std::ostream &operator<<(std::ostream &out, const Case &c)
{
    return out << Sources[c.source].name << ", " << ActionNames[c.action] << ", freed blocks filled with 0x"
               << std::hex << int{c.freedPattern} << std::dec;
}

// Every action for a control's notifications; for the dialog's own, the
// actions that leave it standing. Each under a pattern and its complement.
std::vector<Case> Cases()
{
    const std::vector<Action> everyAction = {ControlDestroyed, DialogDestroyed, SkinReleased, SkinningOff};
    const std::vector<Action> dialogSurvives = {SkinReleased, SkinningOff};
    std::vector<Case> cases;
    for (size_t source = 0; source < sizeof Sources / sizeof Sources[0]; ++source) {
        for (Action action : Sources[source].make ? everyAction : dialogSurvives) {
            for (unsigned char pattern : {0xDD, 0x22})
                cases.push_back({source, action, pattern});
        }
    }
    return cases;
}

class LifetimeTest : public RecordCheckedParamTest<Case> {
protected:
    HWND dialog = nullptr;

    void TearDown() override
    {
        trigger = Trigger{};
        Enskin(nullptr, 0);
        ReleaseCapture();
        DestroyWindow(dialog);
        RecordCheckedParamTest<Case>::TearDown();
        EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
    }
};

TEST_P(LifetimeTest, HostEndsItInsideTheNotification)
{
    const Case c = GetParam();
    const Source &source = Sources[c.source];
    dialog = CreateTestDialog(TestDialogStyle | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 300, 260, "lifetimes",
                              HostDialogProc);
    const HWND control = source.make ? source.make(dialog) : dialog;
    ASSERT_NE(Enskin(nullptr, 1), 0);
    PumpMessages();
    ASSERT_NE(FindSkinnedWindow(control), nullptr);

    trigger = {source.msg, source.code, control, dialog, c.action};
    {
        // Wine's heap checking sees a stale write only while the block has
        // not been handed out again.
        FreedBlockWatch watch(c.freedPattern);
        source.drive(control);
        EXPECT_TRUE(watch.Untouched()) << "a record or block the library freed was written to";
    }
    const Trigger seen = trigger;
    trigger = Trigger{};
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr)) << "a freed block was written to";
    ASSERT_EQ(seen.fired, 1) << "the notification never came";
    // A release answers the record listed before the released one, if any.
    if (c.action != SkinReleased)
        EXPECT_NE(seen.result, 0) << "the host's call failed";

    switch (c.action) {
    case ControlDestroyed:
        EXPECT_FALSE(IsWindow(control));
        EXPECT_EQ(RecordsFor(control), 0);
        EXPECT_NE(FindSkinnedWindow(dialog), nullptr) << "the dialog keeps its skin";
        break;
    case DialogDestroyed:
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_TRUE(SkinnedRecords().empty());
        break;
    case SkinReleased:
        EXPECT_EQ(FindSkinnedWindow(control), nullptr);
        EXPECT_EQ(FindSkinnedWindow(dialog) != nullptr, control != dialog) << "only the control was released";
        break;
    case SkinningOff:
        EXPECT_TRUE(SkinnedRecords().empty());
        EXPECT_EQ(FindSkinnedWindow(CreateChild(dialog, "Button", BS_PUSHBUTTON, 150, 150, 60, 20)), nullptr)
            << "the creation hook outlived thread-wide skinning";
        break;
    }
    if (IsWindow(control)) {
        ASSERT_EQ(FindSkinnedWindow(control), nullptr);
        EXPECT_TRUE(source.works(control)) << "the released control no longer works";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryNotification, LifetimeTest, testing::ValuesIn(Cases()));

}  // namespace

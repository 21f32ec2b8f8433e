// Enskin's cases, the creation hook and DlgInit.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/skin.h"
#include "support/harness.h"
#include "support/import_patch.h"
#include "support/records.h"
#include "velk.h"

namespace {

HHOOK WINAPI RefusedHook(int, HOOKPROC, HINSTANCE, DWORD)
{
    return nullptr;
}

class ActivationTest : public RecordCheckedTest {
protected:
    std::vector<HWND> topLevel;

    void TearDown() override
    {
        Enskin(nullptr, 0);
        for (HWND hwnd : topLevel)
            DestroyWindow(hwnd);
        RecordCheckedTest::TearDown();
    }

    // A dialog with a push button, an edit, a list view (a kind with no look
    // of its own) and an animation control (not skinned).
    HWND OpenDialog(std::vector<HWND> *controls)
    {
        HWND dialog = CreateTestDialog(TestDialogStyle, 300, 200, "activation");
        topLevel.push_back(dialog);
        controls->push_back(CreateChild(dialog, "Button", BS_PUSHBUTTON, 10, 10, 80, 24, 1, "OK"));
        controls->push_back(CreateChild(dialog, "Edit", WS_BORDER, 10, 40, 80, 20));
        controls->push_back(CreateChild(dialog, "SysListView32", 0, 10, 70, 80, 40));
        return dialog;
    }
};

TEST_F(ActivationTest, SingleWindowAttachAndRelease)
{
    std::vector<HWND> controls;
    HWND dialog = OpenDialog(&controls);
    HWND button = controls[0];

    const INT_PTR record = Enskin(button, 1);
    EXPECT_EQ(record, reinterpret_cast<INT_PTR>(FindSkinnedWindow(button)));
    EXPECT_NE(record, 0);
    EXPECT_EQ(Enskin(button, 1), 0) << "already skinned";

    // Any non-zero value attaches a single window.
    EXPECT_NE(Enskin(controls[1], 2), 0);
    EXPECT_NE(Enskin(dialog, -5), 0);

    HWND animation = CreateChild(dialog, "SysAnimate32", 0, 100, 10, 80, 80);
    EXPECT_EQ(Enskin(animation, 1), 0) << "not skinnable";
    EXPECT_EQ(Enskin(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF1234)), 1), 0) << "not a window";
    EXPECT_EQ(Enskin(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF1234)), 0), 0);

    // List from the head: dialog, edit, button.
    EXPECT_EQ(Enskin(controls[1], 0), reinterpret_cast<INT_PTR>(FindSkinnedWindow(dialog)));
    EXPECT_EQ(Enskin(dialog, 0), reinterpret_cast<INT_PTR>(FindSkinnedWindow(button)));
    EXPECT_EQ(Enskin(button, 0), 0) << "the only record: 0 although it was released";
    EXPECT_EQ(FindSkinnedWindow(button), nullptr);
    EXPECT_EQ(Enskin(button, 0), 0) << "never skinned";
}

TEST_F(ActivationTest, ThreadWideSkinsEveryExistingWindowOnceAndReleasesThem)
{
    std::vector<HWND> controls;
    HWND dialog = OpenDialog(&controls);
    HWND animation = CreateChild(dialog, "SysAnimate32", 0, 100, 10, 80, 80);

    // Three levels below the dialog: reached several times by the nested
    // enumeration, attached once.
    HWND outer = CreateChild(dialog, "Static", SS_LEFT, 100, 100, 150, 80);
    HWND inner = CreateChild(outer, "Static", SS_LEFT, 5, 5, 120, 60);
    HWND deep = CreateChild(inner, "Button", BS_PUSHBUTTON, 5, 5, 60, 24);

    const INT_PTR hook = Enskin(nullptr, 1);
    EXPECT_NE(hook, 0);
    EXPECT_EQ(Enskin(nullptr, 1), 0) << "already on";

    EXPECT_EQ(RecordsFor(dialog), 1);
    for (HWND control : controls)
        EXPECT_EQ(RecordsFor(control), 1);
    EXPECT_EQ(RecordsFor(outer), 1);
    EXPECT_EQ(RecordsFor(inner), 1);
    EXPECT_EQ(RecordsFor(deep), 1);
    EXPECT_EQ(RecordsFor(animation), 0);

    EXPECT_NE(Enskin(nullptr, 0), 0);
    EXPECT_TRUE(SkinnedRecords().empty());
    EXPECT_EQ(Enskin(nullptr, 0), 0) << "already off";

    // And on again.
    EXPECT_NE(Enskin(nullptr, 1), 0);
    EXPECT_EQ(RecordsFor(deep), 1);
    EXPECT_NE(Enskin(nullptr, 0), 0);
}

TEST_F(ActivationTest, SwitchingOffWhenNeverOnChangesNothing)
{
    std::vector<HWND> controls;
    OpenDialog(&controls);
    ASSERT_NE(Enskin(controls[0], 1), 0);
    EXPECT_EQ(Enskin(nullptr, 0), 0);
    EXPECT_EQ(RecordsFor(controls[0]), 1) << "a single window stays skinned";
    Enskin(controls[0], 0);
}

TEST_F(ActivationTest, ANullWindowWithAnyOtherEnableDoesNothing)
{
    std::vector<HWND> controls;
    OpenDialog(&controls);
    EXPECT_EQ(Enskin(nullptr, 2), 0);
    EXPECT_EQ(Enskin(nullptr, -1), 0);
    EXPECT_TRUE(SkinnedRecords().empty());
    EXPECT_NE(Enskin(nullptr, 1), 0) << "the hook was not taken by those calls";
}

TEST_F(ActivationTest, WindowsCreatedWhileOnAreSkinnedAtTheirCreation)
{
    ASSERT_NE(Enskin(nullptr, 1), 0);
    std::vector<HWND> controls;
    HWND dialog = OpenDialog(&controls);
    HWND animation = CreateChild(dialog, "SysAnimate32", 0, 100, 10, 80, 80);

    EXPECT_EQ(RecordsFor(dialog), 1);
    for (HWND control : controls) {
        EXPECT_EQ(RecordsFor(control), 1);
        EXPECT_NE(FindSkinnedWindow(control)->prevWndProc,
                  reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC)));
    }
    EXPECT_EQ(RecordsFor(animation), 0);

    // Closing the dialog releases everything it held.
    DestroyWindow(dialog);
    topLevel.clear();
    EXPECT_TRUE(SkinnedRecords().empty());
}

// A button class of this module's own, named "Button" so that the library
// skins it, logging what reaches the system's button procedure behind it.
WNDPROC systemButtonProc = nullptr;
std::vector<UINT> reachedButton;

LRESULT CALLBACK LoggedButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    reachedButton.push_back(msg);
    return CallWindowProcA(systemButtonProc, hwnd, msg, wParam, lParam);
}

int PositionOf(UINT msg)
{
    for (size_t i = 0; i < reachedButton.size(); ++i) {
        if (reachedButton[i] == msg)
            return static_cast<int>(i);
    }
    return -1;
}

TEST_F(ActivationTest, AWindowMadeWhileOnIsSetUpBetweenItsNcCreateAndItsCreate)
{
    WNDCLASSA button = {};
    ASSERT_TRUE(GetClassInfoA(nullptr, "Button", &button));
    systemButtonProc = button.lpfnWndProc;
    button.lpfnWndProc = LoggedButtonProc;
    button.hInstance = GetModuleHandleA(nullptr);
    ASSERT_NE(RegisterClassA(&button), 0);

    std::vector<HWND> controls;
    HWND dialog = OpenDialog(&controls);
    ASSERT_NE(Enskin(nullptr, 1), 0);
    reachedButton.clear();
    HWND box = CreateWindowExA(0, "Button", "box", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 120, 80, 20,
                               dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(FindSkinnedWindow(box), nullptr);
    const int ncCreate = PositionOf(WM_NCCREATE);
    const int getCheck = PositionOf(BM_GETCHECK);
    const int create = PositionOf(WM_CREATE);
    EXPECT_EQ(ncCreate, 0) << "the first message the control sees";
    EXPECT_GT(getCheck, ncCreate) << "the set-up's question";
    EXPECT_GT(create, getCheck) << "the control's own WM_CREATE comes after the set-up";
    DestroyWindow(box);
    UnregisterClassA("Button", GetModuleHandleA(nullptr));
}

TEST_F(ActivationTest, AFailedHookLeavesTheEnumeratedWindowsSkinned)
{
    std::vector<HWND> controls;
    HWND dialog = OpenDialog(&controls);
    {
        ScopedImportPatch refuse(LibraryModule(), "user32.dll", "SetWindowsHookExW",
                                 reinterpret_cast<void *>(RefusedHook));
        ASSERT_NE(refuse.original, nullptr);
        EXPECT_EQ(Enskin(nullptr, 1), 0);
    }
    EXPECT_EQ(RecordsFor(dialog), 1);
    EXPECT_EQ(Enskin(nullptr, 0), 0) << "the hook was never set";
    EXPECT_EQ(RecordsFor(dialog), 1);
    for (HWND control : controls)
        Enskin(control, 0);
    Enskin(dialog, 0);
}

// Runs a function on a thread of its own that owns a window, and hands the
// function that window.
struct OtherThread {
    INT_PTR (*work)(HWND window);
    INT_PTR result;
    HWND window;
};

DWORD WINAPI RunOnOtherThread(LPVOID param)
{
    auto *other = static_cast<OtherThread *>(param);
    other->window = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    other->result = other->work(other->window);
    DestroyWindow(other->window);
    return 0;
}

INT_PTR RunOnAThreadOfItsOwn(INT_PTR (*work)(HWND))
{
    OtherThread other = {work, 0, nullptr};
    HANDLE thread = CreateThread(nullptr, 0, RunOnOtherThread, &other, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return other.result;
}

TEST_F(ActivationTest, ASecondThreadCannotTakeThreadWideSkinning)
{
    std::vector<HWND> controls;
    OpenDialog(&controls);
    ASSERT_NE(Enskin(nullptr, 1), 0);
    const size_t records = SkinnedRecords().size();

    EXPECT_EQ(RunOnAThreadOfItsOwn([](HWND) { return Enskin(nullptr, 1); }), 0);
    EXPECT_EQ(SkinnedRecords().size(), records);

    // Single windows of that thread are its own business.
    EXPECT_EQ(RunOnAThreadOfItsOwn([](HWND window) -> INT_PTR {
                  if (Enskin(window, 1) == 0 || FindSkinnedWindow(window) == nullptr)
                      return 1;
                  Enskin(window, 0);
                  return FindSkinnedWindow(window) == nullptr ? 0 : 2;
              }),
              0);
    EXPECT_EQ(SkinnedRecords().size(), records);

    // Nor can another thread's window be skinned from here: its messages,
    // and so its record, belong to its own thread.
    EXPECT_EQ(RunOnAThreadOfItsOwn([](HWND window) -> INT_PTR {
                  INT_PTR result = 0;
                  HANDLE thread = CreateThread(
                      nullptr, 0, [](LPVOID param) -> DWORD {
                          return Enskin(static_cast<HWND>(param), 1) != 0 ? 1 : 0;
                      },
                      window, 0, nullptr);
                  DWORD skinned = 1;
                  WaitForSingleObject(thread, INFINITE);
                  GetExitCodeThread(thread, &skinned);
                  CloseHandle(thread);
                  result = skinned;
                  return result + (FindSkinnedWindow(window) != nullptr ? 2 : 0);
              }),
              0);
    EXPECT_EQ(SkinnedRecords().size(), records);
    EXPECT_NE(Enskin(nullptr, 0), 0) << "still this thread's to switch off";
}

TEST(DlgInitTest, EveryCallGivesANewBrushOfTheDialogColour)
{
    HBRUSH first = DlgInit(0);
    HBRUSH second = DlgInit(12345);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    for (HBRUSH brush : {first, second}) {
        LOGBRUSH info = {};
        ASSERT_EQ(GetObjectA(brush, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.lbStyle, UINT{BS_SOLID});
        EXPECT_EQ(info.lbColor, COLORREF{0x00FF350B});
    }
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_TRUE(DeleteObject(second));
}

} // namespace

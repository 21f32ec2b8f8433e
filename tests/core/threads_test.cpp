// Several GUI threads at once: each skins, paints, releases and destroys its
// own windows while the others do the same, and several race to switch
// thread-wide skinning on. The program runs under Wine's heap checking, and
// ctest fails it on any heap complaint.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "core/skin.h"
#include "support/harness.h"
#include "support/kinds.h"
#include "velk.h"

namespace {

const int ThreadCount = 3;
const int Rounds = 40;

struct Outcome {
    int attaches = 0;
    int refusedAttaches = 0;
    int badHeaps = 0;
};

const std::vector<TestKind> Controls =
    KindsNamed({"push button", "check box", "label", "bordered edit", "vertical scroll bar", "progress bar"});

DWORD WINAPI SkinReleaseAndDestroy(LPVOID param)
{
    auto *outcome = static_cast<Outcome *>(param);
    for (int round = 0; round < Rounds; ++round) {
        HWND dialog = CreateTestDialog(TestDialogStyle, 240, 160, "thread");
        std::vector<HWND> windows = {dialog};
        for (const TestKind &control : Controls)
            windows.push_back(CreateKind(dialog, control, 10, 10));
        for (HWND window : windows) {
            if (Enskin(window, 1) != 0)
                ++outcome->attaches;
            else
                ++outcome->refusedAttaches;
        }
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // Half are released by the host, the rest by their destruction.
        for (size_t i = 1; i < windows.size(); i += 2)
            Enskin(windows[i], 0);
        DestroyWindow(dialog);
        PumpMessages();
        if (!HeapValidate(GetProcessHeap(), 0, nullptr))
            ++outcome->badHeaps;
    }
    return 0;
}

TEST(ThreadsTest, ThreadsSkinReleaseAndDestroyTheirOwnWindowsTogether)
{
    Outcome outcomes[ThreadCount];
    HANDLE threads[ThreadCount];
    for (int i = 0; i < ThreadCount; ++i)
        threads[i] = CreateThread(nullptr, 0, SkinReleaseAndDestroy, &outcomes[i], 0, nullptr);
    WaitForMultipleObjects(ThreadCount, threads, TRUE, INFINITE);
    for (int i = 0; i < ThreadCount; ++i) {
        CloseHandle(threads[i]);
        EXPECT_EQ(outcomes[i].refusedAttaches, 0) << "thread " << i;
        EXPECT_EQ(outcomes[i].attaches, Rounds * static_cast<int>(1 + Controls.size()))
            << "thread " << i;
        EXPECT_EQ(outcomes[i].badHeaps, 0) << "thread " << i;
    }
    EXPECT_TRUE(SkinnedRecords().empty());
}

struct SwitchRace {
    HANDLE start;
    volatile LONG *attempts;
    INT_PTR result;
};

DWORD WINAPI SwitchOnAtOnce(LPVOID param)
{
    auto *race = static_cast<SwitchRace *>(param);
    HWND dialog = CreateTestDialog(TestDialogStyle, 200, 120, "race");
    WaitForSingleObject(race->start, INFINITE);
    race->result = Enskin(nullptr, 1);
    InterlockedIncrement(race->attempts);
    if (race->result != 0) {
        // The winner holds on until every thread has tried.
        while (*race->attempts < ThreadCount)
            Sleep(1);
        HWND button = CreateChild(dialog, "Button", BS_PUSHBUTTON, 10, 10, 80, 24);
        if (FindSkinnedWindow(dialog) == nullptr || FindSkinnedWindow(button) == nullptr)
            race->result = -1;
        if (Enskin(nullptr, 0) == 0 || FindSkinnedWindow(dialog) != nullptr)
            race->result = -2;
    }
    DestroyWindow(dialog);
    return 0;
}

TEST(ThreadsTest, ThreadWideSkinningGoesToOneOfThreadsSwitchingOnAtOnce)
{
    for (int round = 0; round < 10; ++round) {
        SwitchRace races[ThreadCount];
        HANDLE threads[ThreadCount];
        HANDLE start = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        volatile LONG attempts = 0;
        for (int i = 0; i < ThreadCount; ++i) {
            races[i] = {start, &attempts, 0};
            threads[i] = CreateThread(nullptr, 0, SwitchOnAtOnce, &races[i], 0, nullptr);
        }
        Sleep(50);
        SetEvent(start);
        WaitForMultipleObjects(ThreadCount, threads, TRUE, INFINITE);
        int winners = 0;
        for (int i = 0; i < ThreadCount; ++i) {
            CloseHandle(threads[i]);
            EXPECT_GE(races[i].result, 0) << "round " << round << " thread " << i;
            winners += races[i].result != 0;
        }
        EXPECT_EQ(winners, 1) << "round " << round;
        CloseHandle(start);
    }
    EXPECT_TRUE(SkinnedRecords().empty());
    EXPECT_NE(Enskin(nullptr, 1), 0) << "free for this thread afterwards";
    EXPECT_NE(Enskin(nullptr, 0), 0);
}

}  // namespace

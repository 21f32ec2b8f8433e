// The library's record list as the tests see it, through the internal
// functions that velk_testing.dll exports; kept apart from the harness so
// that a program driving the shipped velk.dll can use the rest.
#include "harness.h"

#include "core/skin.h"

std::vector<SkinnedWindow *> SkinnedRecords()
{
    // A fresh record goes to the head, so one attached probe leads to the
    // rest. While thread-wide skinning is on, the probe is attached as it is
    // created.
    HWND probe = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 4, 4, nullptr, nullptr, nullptr, nullptr);
    std::vector<SkinnedWindow *> records;
    AttachWindow(probe);
    SkinnedWindow *head = FindSkinnedWindow(probe);
    for (SkinnedWindow *rec = head != nullptr ? head->next : nullptr; rec != nullptr; rec = rec->next)
        records.push_back(rec);
    DetachWindow(probe);
    DestroyWindow(probe);
    return records;
}

int RecordsFor(HWND hwnd)
{
    int count = 0;
    for (SkinnedWindow *rec : SkinnedRecords())
        count += rec->hwnd == hwnd;
    return count;
}

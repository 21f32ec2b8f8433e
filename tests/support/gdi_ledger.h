// Accounts for every GDI object, device context, selection and saved DC
// state of the library's own calls, by patching the import table of the
// library's module (velk_testing.dll unless another is given, such as the
// shipped velk.dll) for the creating, obtaining, selecting and releasing
// functions.
//
//     GdiLedger ledger;
//     ... drive the painters ...
//     EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
//
// Calls made by test code do not pass through the library's imports and are
// not counted.
#ifndef VELK_TESTS_GDI_LEDGER_H
#define VELK_TESTS_GDI_LEDGER_H

#include <windows.h>

#include <string>
#include <vector>

#include "import_patch.h"

struct GdiLedger {
    explicit GdiLedger(HMODULE library = LibraryModule());
    ~GdiLedger();
    GdiLedger(const GdiLedger &) = delete;
    GdiLedger &operator=(const GdiLedger &) = delete;

    // Objects the library created and has not deleted (regions given to
    // SetWindowRgn are the system's and not counted).
    int LiveObjects() const;
    // Device contexts it obtained or created and has not released.
    int HeldDCs() const;
    // Icons it created (CopyImage, LoadImage without LR_SHARED) and has not destroyed.
    int LiveIcons() const;
    // Every misuse seen: deleting what it did not create or what is still
    // selected, releasing a DC with one of its objects still selected or with
    // a saved state not restored, destroying an icon it did not create.
    const std::vector<std::string> &Problems() const;

    // Nothing live, nothing held, no problem.
    bool Balanced() const { return LiveObjects() == 0 && HeldDCs() == 0 && LiveIcons() == 0 && Problems().empty(); }

    // How many objects of each sort it has created so far.
    int CreatedCount() const;
    // How many device contexts it has obtained or created so far.
    int ObtainedCount() const;

    // Forgets everything counted so far; the accounting goes on.
    void Reset();

    std::string Report() const;
};

#endif

// Fixtures for programs linked with velk_testing.dll: every test starts with
// an empty record list and leaves one behind once its windows are gone, so
// that a leaked record is charged to the test that made it.
#ifndef VELK_TESTS_RECORDS_H
#define VELK_TESTS_RECORDS_H

#include "harness.h"

// A fixture that does its own clean-up in TearDown calls this TearDown last.
template <typename Base>
class RecordChecked : public Base {
protected:
    void SetUp() override { ASSERT_TRUE(SkinnedRecords().empty()) << "an earlier test left records behind"; }

    void TearDown() override
    {
        PumpMessages();
        EXPECT_TRUE(SkinnedRecords().empty()) << "records outlived their windows";
    }
};

using RecordCheckedTest = RecordChecked<testing::Test>;

template <typename Param>
using RecordCheckedParamTest = RecordChecked<testing::TestWithParam<Param>>;

// The same, with a shown test dialog to hold the test's windows.
template <typename Base>
class DialogChecked : public RecordChecked<Base> {
protected:
    HWND dialog = nullptr;

    void SetUp() override
    {
        RecordChecked<Base>::SetUp();
        dialog = CreateTestDialog(TestDialogStyle, 420, 320, "test");
    }

    void TearDown() override
    {
        DestroyWindow(dialog);
        RecordChecked<Base>::TearDown();
    }
};

using InDialogTest = DialogChecked<testing::Test>;

template <typename Param>
using InDialogParamTest = DialogChecked<testing::TestWithParam<Param>>;

#endif

// The fixture every test of the simple control kinds starts from: a test
// dialog to hold the controls, and no record left behind on either side.
#ifndef VELK_TESTS_CONTROLS_CONTROLS_FIXTURE_H
#define VELK_TESTS_CONTROLS_CONTROLS_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include "support/harness.h"
#include "support/records.h"

class ControlsTest : public RecordCheckedTest {
protected:
    HWND dialog = nullptr;

    void SetUp() override
    {
        RecordCheckedTest::SetUp();
        dialog = CreateTestDialog(TestDialogStyle, 400, 300, "controls");
    }

    void TearDown() override
    {
        DestroyWindow(dialog);
        RecordCheckedTest::TearDown();
    }
};

#endif

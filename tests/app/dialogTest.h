#pragma once

#include "dialogRunner.h"
#include "uiWait.h"

#include "resources/resource.h"
#include "testSupport/productKeyFixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

// The check states of the four boxes: write new file, enable logging,
// monitor launch errors, monitor receive comm.
inline std::vector<LRESULT> boxStates(HWND dialog)
{
    std::vector<LRESULT> states;
    for (const int box :
         {IDC_WRITE_NEW_FILE, IDC_ENABLE_LOGGING, IDC_MONITOR_LAUNCH_ERRORS, IDC_MONITOR_UI_RECEIVE_COMM})
        states.push_back(uiWait::checkState(dialog, box));
    return states;
}

// Whether View and Delete are enabled.
inline std::pair<bool, bool> fileButtons(HWND dialog)
{
    return {uiWait::isItemEnabled(dialog, IDC_VIEW), uiWait::isItemEnabled(dialog, IDC_DELETE)};
}
inline constexpr std::pair<bool, bool> bothEnabled{true, true};
inline constexpr std::pair<bool, bool> bothDisabled{false, false};

// A test of the options dialog: open() shows it on what the test has put in
// the product key; the dialog closes before the key is put back.
class dialogTest : public ::testing::Test
{
protected:
    void open()
    {
        runner.emplace();
        dialog = runner->window();
        ASSERT_NE(nullptr, dialog);
    }

    productKeyFixture savedProductKey;
    std::optional<dialogRunner> runner;
    HWND dialog = nullptr;
};

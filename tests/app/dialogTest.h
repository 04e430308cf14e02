#pragma once

#include "dialogRunner.h"
#include "uiLoggerValues.h"
#include "uiWait.h"

#include "app/uiLoggerOptions.h"
#include "resources/resource.h"
#include "testSupport/productKeyFixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

// The check box of each option that has one, in the options' order.
inline std::vector<int> optionBoxes()
{
    std::vector<int> boxes;
    for (const uiLoggerOption& option : uiLoggerOptions)
        if (option.type == uiLoggerOption::kind::flag && option.controlId != 0)
            boxes.push_back(option.controlId);
    return boxes;
}

// The check states of those boxes.
inline std::vector<LRESULT> boxStates(HWND dialog)
{
    std::vector<LRESULT> states;
    for (const int box : optionBoxes())
        states.push_back(uiWait::checkState(dialog, box));
    return states;
}

// The states Reset gives them, as the options' list has them.
inline std::vector<LRESULT> resetStates()
{
    std::vector<LRESULT> states;
    for (const int box : optionBoxes())
        for (const uiLoggerValue& value : uiLoggerValues)
            if (value.controlId == box)
                states.push_back(value.resetCheck);
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

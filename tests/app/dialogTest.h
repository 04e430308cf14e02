#pragma once

#include "dialogRunner.h"

#include "testSupport/productKeyFixture.h"

#include <gtest/gtest.h>

#include <optional>

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

#pragma once

#include "settings/readWriteSettingsToRegistry.h"
#include "testSupport/scratchRegistryKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// A store over a scratch key of its own, with raw access to check what the
// store wrote and to plant what another program might have written.
class storeFixture : public ::testing::Test
{
protected:
    // The stored bytes of a value that must exist with the given type.
    std::string raw(const std::wstring& name, DWORD expectedType)
    {
        DWORD type = 0;
        std::string data;
        EXPECT_TRUE(scratch.queryRaw(name.c_str(), type, data)) << "value missing";
        EXPECT_EQ(expectedType, type);
        return data;
    }
    // Value names, sorted.
    std::vector<std::wstring> valueNames()
    {
        std::vector<std::wstring> names;
        for (DWORD i = 0;; ++i) {
            wchar_t name[16384];
            DWORD length = 16384;
            if (RegEnumValueW(scratch.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    scratchRegistryKey scratch;
    readWriteSettingsToRegistry store{scratch.get()};
    // The same key opened for reading only (every write fails), and no key.
    uniqueRegistryKey readOnlyKey = scratch.reopen(KEY_READ);
    readWriteSettingsToRegistry reader{readOnlyKey.get()};
    readWriteSettingsToRegistry unbound{nullptr};
};

#pragma once

#include "settings/readWriteSettingsToRegistry.h"
#include "testSupport/scratchRegistryKey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A store over a scratch key of its own, with raw access to check what the
// store wrote and to plant what another program might have written.
class storeFixture : public ::testing::Test
{
protected:
    void setDword(const std::wstring& name, DWORD value)
    {
        scratch.setRaw(name.c_str(), REG_DWORD, &value, sizeof(value));
    }
    void setText(const std::wstring& name, const std::wstring& text)
    {
        scratch.setRaw(name.c_str(), REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    // The stored bytes of a value that must exist with the given type.
    std::string raw(const std::wstring& name, DWORD expectedType)
    {
        DWORD type = 0;
        std::string data;
        EXPECT_TRUE(scratch.queryRaw(name.c_str(), type, data)) << "value missing";
        EXPECT_EQ(expectedType, type);
        return data;
    }
    // Value names in the registry's own enumeration order.
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
        return names;
    }

    scratchRegistryKey scratch;
    readWriteSettingsToRegistry store{scratch.get()};
};

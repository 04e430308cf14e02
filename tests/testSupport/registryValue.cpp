#include "testSupport/registryValue.h"

#include <gtest/gtest.h>

#include <cstring>

namespace registryValue
{
DWORD dword(bool found, DWORD type, const std::string& data)
{
    EXPECT_TRUE(found) << "value missing";
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(4u, data.size());
    DWORD value = 0xDEADBEEF;
    if (data.size() == 4)
        std::memcpy(&value, data.data(), 4);
    return value;
}

std::wstring text(bool found, DWORD type, const std::string& data)
{
    EXPECT_TRUE(found) << "value missing";
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(0u, data.size() % 2);
    std::wstring text(data.size() / 2, L'\0');
    std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    // The terminator is part of what was written.
    if (text.empty() || text.back() != L'\0') {
        ADD_FAILURE() << "no terminator";
        return text;
    }
    text.pop_back();
    return text;
}
} // namespace registryValue

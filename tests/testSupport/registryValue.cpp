#include "testSupport/registryValue.h"

#include <gtest/gtest.h>

#include <cstring>

namespace registryValue
{
LSTATUS set(HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD bytes)
{
    // RegSetValueExW may read the character after string data, to store a
    // terminator the caller left out (Wine does), so the data goes through a
    // copy followed by a character that is none.
    std::string copy(static_cast<const char*>(data), data != nullptr ? bytes : 0);
    copy += "!!";
    return RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(copy.data()), bytes);
}

bool query(HKEY key, const wchar_t* name, DWORD& type, std::string& data)
{
    DWORD bytes = 0;
    if (key == nullptr || RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return false;
    data.assign(bytes, '\0');
    return RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) ==
           ERROR_SUCCESS;
}

DWORD dword(HKEY key, const wchar_t* name)
{
    DWORD type = 0;
    std::string data;
    EXPECT_TRUE(query(key, name, type, data)) << "value missing";
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(4u, data.size());
    DWORD value = 0xDEADBEEF;
    if (data.size() == 4)
        std::memcpy(&value, data.data(), 4);
    return value;
}

std::wstring text(HKEY key, const wchar_t* name)
{
    DWORD type = 0;
    std::string data;
    EXPECT_TRUE(query(key, name, type, data)) << "value missing";
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

#include "productKey.h"

#include <gtest/gtest.h>

namespace productKey
{
namespace
{
uniqueRegistryKey open(const wchar_t* subPath, REGSAM access)
{
    uniqueRegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subPath, 0, access, key.put()) != ERROR_SUCCESS)
        key.reset();
    return key;
}

bool isVolatile(const wchar_t* subPath)
{
    // A normal child cannot be made under a volatile key: probe with one.
    const uniqueRegistryKey maker = open(subPath, KEY_ALL_ACCESS);
    if (!maker)
        return false;
    uniqueRegistryKey probe;
    const LSTATUS rc = RegCreateKeyExW(maker.get(), L"KorvanexTestProbe", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                       probe.put(), nullptr);
    if (rc == ERROR_SUCCESS) {
        probe.reset();
        RegDeleteKeyW(maker.get(), L"KorvanexTestProbe");
    }
    return rc == ERROR_CHILD_MUST_BE_VOLATILE;
}
} // namespace

void reset()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, path);
    if (isVolatile(makerPath)) {
        RegDeleteTreeW(HKEY_CURRENT_USER, makerPath);
        RegDeleteKeyW(HKEY_CURRENT_USER, makerPath);
    }
    ASSERT_FALSE(open(path, KEY_READ)) << "the product key is still there";
}

void create()
{
    uniqueRegistryKey key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             key.put(), nullptr));
}

void makeUncreatable()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, makerPath);
    RegDeleteKeyW(HKEY_CURRENT_USER, makerPath);
    uniqueRegistryKey maker;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, makerPath, 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, maker.put(), nullptr));
    uniqueRegistryKey product;
    ASSERT_EQ(ERROR_CHILD_MUST_BE_VOLATILE, RegCreateKeyExW(maker.get(), L"Korvanex64", 0, nullptr, 0,
                                                            KEY_ALL_ACCESS, nullptr, product.put(), nullptr));
}

void setDword(const wchar_t* name, DWORD value)
{
    const uniqueRegistryKey key = open(path, KEY_ALL_ACCESS);
    ASSERT_TRUE(key);
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)));
}

void setString(const wchar_t* name, const std::wstring& value)
{
    const uniqueRegistryKey key = open(path, KEY_ALL_ACCESS);
    ASSERT_TRUE(key);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

bool query(const wchar_t* name, DWORD& type, std::string& data)
{
    const uniqueRegistryKey key = open(path, KEY_READ);
    DWORD bytes = 0;
    if (!key || RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return false;
    data.assign(bytes, '\0');
    return RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) ==
           ERROR_SUCCESS;
}

bool exists(const wchar_t* name)
{
    DWORD type = 0;
    std::string data;
    return query(name, type, data);
}

int valueCount()
{
    const uniqueRegistryKey key = open(path, KEY_READ);
    DWORD values = 0;
    if (!key || RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                                 nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return -1;
    return static_cast<int>(values);
}
} // namespace productKey

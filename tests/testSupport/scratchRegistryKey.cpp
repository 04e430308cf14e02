#include "testSupport/scratchRegistryKey.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace
{
std::atomic<unsigned> scratchCounter{0};
}

scratchRegistryKey::scratchRegistryKey()
{
    subPath = L"Software\\KorvanexTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(scratchCounter++);
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, subPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, key.put(), nullptr))
        << "creating the scratch key";
}

scratchRegistryKey::~scratchRegistryKey()
{
    key.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, subPath.c_str()); // the key itself too
}

uniqueRegistryKey scratchRegistryKey::reopen(REGSAM access) const
{
    uniqueRegistryKey other;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, subPath.c_str(), 0, access, other.put()))
        << "reopening the scratch key";
    return other;
}

void scratchRegistryKey::setRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const
{
    EXPECT_EQ(ERROR_SUCCESS, registryValue::set(key.get(), name, type, data, bytes)) << "setting a raw value";
}

bool scratchRegistryKey::exists(const wchar_t* name) const
{
    return RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void scratchRegistryKey::setDword(const std::wstring& name, DWORD value) const
{
    setRaw(name.c_str(), REG_DWORD, &value, sizeof(value));
}

void scratchRegistryKey::setText(const std::wstring& name, const std::wstring& text) const
{
    setRaw(name.c_str(), REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

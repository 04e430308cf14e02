#include "productKeyBackup.h"

#include "support/uniqueHandle.h"

#include <gtest/gtest.h>

const wchar_t productKeyBackup::makerPath[] = L"Software\\OstraVell";
const wchar_t productKeyBackup::productPath[] = L"Software\\OstraVell\\Korvanex64";

productKeyBackup::productKeyBackup()
{
    backupPath = L"Software\\KorvanexTestMakerBackup-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(GetTickCount64());
    save();
    removeMakerKey();
}

void productKeyBackup::save()
{
    uniqueRegistryKey maker;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, makerPath, 0, KEY_READ, maker.put()) != ERROR_SUCCESS)
        return;
    uniqueRegistryKey backup;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, backupPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, backup.put(), nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegCopyTreeW(maker.get(), nullptr, backup.get()));
    saved = true;
}

productKeyBackup::~productKeyBackup()
{
    removeMakerKey();
    if (!saved)
        return;
    uniqueRegistryKey backup;
    uniqueRegistryKey maker;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, backupPath.c_str(), 0, KEY_READ, backup.put()) == ERROR_SUCCESS &&
        RegCreateKeyExW(HKEY_CURRENT_USER, makerPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, maker.put(),
                        nullptr) == ERROR_SUCCESS) {
        EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeW(backup.get(), nullptr, maker.get())) << "restoring the maker's key";
    }
    backup.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, backupPath.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, backupPath.c_str());
}

void productKeyBackup::makeMakerKeyVolatile()
{
    removeMakerKey();
    uniqueRegistryKey maker;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, makerPath, 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, maker.put(), nullptr));
}

void productKeyBackup::removeMakerKey()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, makerPath);
    RegDeleteKeyW(HKEY_CURRENT_USER, makerPath);
    EXPECT_FALSE(makerKeyExists()) << "removing the maker's key";
}

bool productKeyBackup::makerKeyExists()
{
    uniqueRegistryKey maker;
    return RegOpenKeyExW(HKEY_CURRENT_USER, makerPath, 0, KEY_READ, maker.put()) == ERROR_SUCCESS;
}

void productKeyBackup::setValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
{
    uniqueRegistryKey product;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, productPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             product.put(), nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(product.get(), name, 0, type, static_cast<const BYTE*>(data), bytes));
}

void productKeyBackup::setText(const wchar_t* name, const std::wstring& text)
{
    setValue(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void productKeyBackup::deleteValue(const wchar_t* name)
{
    uniqueRegistryKey product;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, productPath, 0, KEY_ALL_ACCESS, product.put()) == ERROR_SUCCESS)
        RegDeleteValueW(product.get(), name);
}

bool productKeyBackup::queryValue(const wchar_t* name, DWORD& type, std::string& data)
{
    uniqueRegistryKey product;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, productPath, 0, KEY_READ, product.put()) != ERROR_SUCCESS)
        return false;
    DWORD bytes = 0;
    if (RegQueryValueExW(product.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return false;
    data.assign(bytes, '\0');
    return RegQueryValueExW(product.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) ==
           ERROR_SUCCESS;
}

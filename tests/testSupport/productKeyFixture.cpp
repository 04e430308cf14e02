#include "testSupport/productKeyFixture.h"

#include "support/uniqueHandle.h"
#include "testSupport/registryValue.h"

#include <gtest/gtest.h>

namespace
{
uniqueRegistryKey openKey(const wchar_t* path, REGSAM access)
{
    uniqueRegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, key.put()) != ERROR_SUCCESS)
        key.reset();
    return key;
}

LSTATUS createKey(HKEY parent, const wchar_t* path, DWORD options, uniqueRegistryKey& key)
{
    return RegCreateKeyExW(parent, path, 0, nullptr, options, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
}

void deleteTree(const wchar_t* path)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, path); // the key itself too
}

bool makerKeyIsVolatile()
{
    // A normal child cannot be made under a volatile key: probe with one.
    const uniqueRegistryKey maker = openKey(productKeyFixture::makerPath, KEY_ALL_ACCESS);
    if (!maker)
        return false;
    uniqueRegistryKey probe;
    const LSTATUS rc = createKey(maker.get(), L"KorvanexTestProbe", 0, probe);
    if (rc == ERROR_SUCCESS) {
        probe.reset();
        RegDeleteKeyW(maker.get(), L"KorvanexTestProbe");
    }
    return rc == ERROR_CHILD_MUST_BE_VOLATILE;
}
} // namespace

productKeyFixture::productKeyFixture()
{
    backupPath = L"Software\\KorvanexTestMakerBackup-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(GetTickCount64());
    [this] {
        const uniqueRegistryKey maker = openKey(makerPath, KEY_READ);
        if (!maker)
            return;
        uniqueRegistryKey backup;
        ASSERT_EQ(ERROR_SUCCESS, createKey(HKEY_CURRENT_USER, backupPath.c_str(), 0, backup));
        ASSERT_EQ(ERROR_SUCCESS, RegCopyTreeW(maker.get(), nullptr, backup.get()));
        saved = true;
    }();
    removeMakerKey();
}

productKeyFixture::~productKeyFixture()
{
    removeMakerKey();
    if (!saved)
        return;
    {
        const uniqueRegistryKey backup = openKey(backupPath.c_str(), KEY_READ);
        uniqueRegistryKey maker;
        if (backup && createKey(HKEY_CURRENT_USER, makerPath, 0, maker) == ERROR_SUCCESS) {
            EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeW(backup.get(), nullptr, maker.get())) << "restoring the maker's key";
        }
    }
    deleteTree(backupPath.c_str());
}

void productKeyFixture::removeMakerKey()
{
    deleteTree(makerPath);
    EXPECT_FALSE(keyExists(makerPath)) << "removing the maker's key";
}

void productKeyFixture::removeProductKey()
{
    deleteTree(productPath);
    if (makerKeyIsVolatile())
        deleteTree(makerPath);
    ASSERT_FALSE(keyExists(productPath)) << "the product key is still there";
}

void productKeyFixture::create()
{
    uniqueRegistryKey product;
    ASSERT_EQ(ERROR_SUCCESS, createKey(HKEY_CURRENT_USER, productPath, 0, product));
}

void productKeyFixture::makeUncreatable()
{
    deleteTree(makerPath);
    uniqueRegistryKey maker;
    ASSERT_EQ(ERROR_SUCCESS, createKey(HKEY_CURRENT_USER, makerPath, REG_OPTION_VOLATILE, maker));
    uniqueRegistryKey product;
    ASSERT_EQ(ERROR_CHILD_MUST_BE_VOLATILE, createKey(maker.get(), L"Korvanex64", 0, product));
}

bool productKeyFixture::keyExists(const wchar_t* path)
{
    return static_cast<bool>(openKey(path, KEY_READ));
}

void productKeyFixture::setValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
{
    uniqueRegistryKey product;
    ASSERT_EQ(ERROR_SUCCESS, createKey(HKEY_CURRENT_USER, productPath, 0, product));
    ASSERT_EQ(ERROR_SUCCESS, registryValue::set(product.get(), name, type, data, bytes));
}

void productKeyFixture::setText(const wchar_t* name, const std::wstring& text)
{
    setValue(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void productKeyFixture::deleteValue(const wchar_t* name)
{
    if (const uniqueRegistryKey product = openKey(productPath, KEY_ALL_ACCESS))
        RegDeleteValueW(product.get(), name);
}

bool productKeyFixture::queryValue(const wchar_t* name, DWORD& type, std::string& data)
{
    return registryValue::query(openKey(productPath, KEY_READ).get(), name, type, data);
}

DWORD productKeyFixture::storedDword(const wchar_t* name)
{
    return registryValue::dword(openKey(productPath, KEY_READ).get(), name);
}

std::wstring productKeyFixture::storedText(const wchar_t* name)
{
    return registryValue::text(openKey(productPath, KEY_READ).get(), name);
}

int productKeyFixture::valueCount()
{
    const uniqueRegistryKey product = openKey(productPath, KEY_READ);
    DWORD values = 0;
    if (!product || RegQueryInfoKeyW(product.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                     nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return -1;
    return static_cast<int>(values);
}

#include "testSupport/productKeyFixture.h"

#include "support/uniqueHandle.h"
#include "testSupport/registryValue.h"

#include <gtest/gtest.h>

namespace
{
// While a test runs, what it may change of the user's keys: the product
// key's tree and, once a test has made the maker's key volatile, the maker's
// tree. "owner" names the program; a backup whose owner has gone (a killed
// test program) is put back first by the next one.
constexpr const wchar_t* backupPath = L"Software\\KorvanexTestBackup";
constexpr const wchar_t* productBackupPath = L"Software\\KorvanexTestBackup\\Korvanex64";
constexpr const wchar_t* makerBackupPath = L"Software\\KorvanexTestBackup\\OstraVell";
constexpr const wchar_t* makerAbsent = L"makerAbsent";
constexpr const wchar_t* makerReplaced = L"makerReplaced";

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

bool hasValue(HKEY key, const wchar_t* name)
{
    return RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// A DWORD value, the program's id: the owner or a mark.
void mark(HKEY backup, const wchar_t* name)
{
    const DWORD self = GetCurrentProcessId();
    ASSERT_EQ(ERROR_SUCCESS, registryValue::set(backup, name, REG_DWORD, &self, sizeof(self))) << name;
}

// Copies the tree from (under fromParent), when there is one, to a normal key to.
void copyTree(HKEY fromParent, const wchar_t* from, const wchar_t* to)
{
    uniqueRegistryKey source;
    uniqueRegistryKey target;
    if (RegOpenKeyExW(fromParent, from, 0, KEY_READ, source.put()) == ERROR_SUCCESS) {
        ASSERT_EQ(ERROR_SUCCESS, createKey(HKEY_CURRENT_USER, to, 0, target)) << to;
        EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeW(source.get(), nullptr, target.get())) << to;
    }
}

void restoreBackup(HKEY backup)
{
    if (hasValue(backup, makerReplaced))
        deleteTree(productKeyFixture::makerPath);
    copyTree(backup, L"OstraVell", productKeyFixture::makerPath);
    deleteTree(productKeyFixture::productPath);
    copyTree(backup, L"Korvanex64", productKeyFixture::productPath);
    // A maker's key the tests made goes, unless something has been put in it since.
    DWORD keys = 1;
    DWORD values = 1;
    const uniqueRegistryKey maker = openKey(productKeyFixture::makerPath, KEY_READ);
    if (maker && hasValue(backup, makerAbsent) &&
        RegQueryInfoKeyW(maker.get(), nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) == ERROR_SUCCESS && keys + values == 0)
        deleteTree(productKeyFixture::makerPath);
    deleteTree(backupPath);
}

// The owner of the backup; 0 when there is none or its owner has gone (and
// its backup has been put back).
DWORD liveBackupOwner()
{
    const uniqueRegistryKey backup = openKey(backupPath, KEY_READ);
    DWORD owner = 0;
    DWORD bytes = sizeof(owner);
    if (!backup || RegQueryValueExW(backup.get(), L"owner", nullptr, nullptr, reinterpret_cast<BYTE*>(&owner),
                                    &bytes) != ERROR_SUCCESS)
        return 0;
    const uniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, owner));
    if (owner == GetCurrentProcessId() || (process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT))
        return owner;
    restoreBackup(backup.get());
    return 0;
}

void startBackup()
{
    uniqueRegistryKey backup;
    ASSERT_EQ(ERROR_SUCCESS, createKey(HKEY_CURRENT_USER, backupPath, 0, backup));
    mark(backup.get(), L"owner");
    if (!productKeyFixture::keyExists(productKeyFixture::makerPath))
        mark(backup.get(), makerAbsent);
    copyTree(HKEY_CURRENT_USER, productKeyFixture::productPath, productBackupPath);
}
} // namespace

productKeyFixture::productKeyFixture()
{
    // A death test's child runs inside its parent's fixture.
    owner = liveBackupOwner() == 0;
    if (owner)
        startBackup();
    removeProductKey();
}

productKeyFixture::~productKeyFixture()
{
    if (!owner)
        return;
    restoreBackup(openKey(backupPath, KEY_READ).get());
    EXPECT_FALSE(keyExists(backupPath)) << "putting the user's keys back";
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
    // The maker's key goes too: kept aside once, unless the tests made it.
    const uniqueRegistryKey backup = openKey(backupPath, KEY_ALL_ACCESS);
    ASSERT_TRUE(backup) << "outside a fixture";
    if (!hasValue(backup.get(), makerAbsent) && !hasValue(backup.get(), makerReplaced)) {
        copyTree(HKEY_CURRENT_USER, makerPath, makerBackupPath);
        mark(backup.get(), makerReplaced);
    }
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

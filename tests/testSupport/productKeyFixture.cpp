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

// The values (and, with keys, the subkeys) of the key at path; -1 when it is missing.
int entries(const wchar_t* path, bool withKeys)
{
    const uniqueRegistryKey key = openKey(path, KEY_READ);
    DWORD keys = 0;
    DWORD values = 0;
    if (!key || RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr,
                                 nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return -1;
    return static_cast<int>(values + (withKeys ? keys : 0));
}

bool backupHas(const wchar_t* name)
{
    return RegGetValueW(HKEY_CURRENT_USER, backupPath, name, RRF_RT_REG_DWORD, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

// A DWORD value of the backup, the program's id: the owner or a mark.
void mark(const wchar_t* name)
{
    const DWORD self = GetCurrentProcessId();
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, backupPath, name, REG_DWORD, &self, sizeof(self)));
}

// Copies the tree at from, when there is one, to a normal key to.
void copyTree(const std::wstring& from, const std::wstring& to)
{
    uniqueRegistryKey target;
    if (const uniqueRegistryKey source = openKey(from.c_str(), KEY_READ)) {
        ASSERT_EQ(ERROR_SUCCESS, createKey(HKEY_CURRENT_USER, to.c_str(), 0, target)) << to;
        EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeW(source.get(), nullptr, target.get())) << to;
    }
}

void restoreBackup()
{
    if (backupHas(makerReplaced))
        deleteTree(productKeyFixture::makerPath);
    copyTree(std::wstring(backupPath) + L"\\OstraVell", productKeyFixture::makerPath);
    deleteTree(productKeyFixture::productPath);
    copyTree(std::wstring(backupPath) + L"\\Korvanex64", productKeyFixture::productPath);
    // A maker's key the tests made goes, unless something was put in it since.
    if (backupHas(makerAbsent) && entries(productKeyFixture::makerPath, true) == 0)
        deleteTree(productKeyFixture::makerPath);
    deleteTree(backupPath);
}

// True when a live program (this one or a death test's parent) owns the
// backup; one whose owner has gone is put back.
bool liveBackup()
{
    DWORD owner = 0;
    DWORD bytes = sizeof(owner);
    if (RegGetValueW(HKEY_CURRENT_USER, backupPath, L"owner", RRF_RT_REG_DWORD, nullptr, &owner, &bytes) !=
        ERROR_SUCCESS)
        return false;
    const uniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, owner));
    if (owner == GetCurrentProcessId() || (process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT))
        return true;
    restoreBackup();
    return false;
}

void startBackup()
{
    mark(L"owner");
    if (!productKeyFixture::keyExists(productKeyFixture::makerPath))
        mark(makerAbsent);
    copyTree(productKeyFixture::productPath, std::wstring(backupPath) + L"\\Korvanex64");
}
} // namespace

productKeyFixture::productKeyFixture() : owner(!liveBackup())
{
    if (owner)
        startBackup();
    removeProductKey();
}

productKeyFixture::~productKeyFixture()
{
    if (!owner)
        return;
    restoreBackup();
    EXPECT_FALSE(keyExists(backupPath)) << "putting the user's keys back";
}

void productKeyFixture::removeProductKey()
{
    // Once the maker's key has been made volatile, a product key can be made
    // again only under a new one.
    deleteTree(backupHas(makerReplaced) ? makerPath : productPath);
    ASSERT_FALSE(keyExists(productPath)) << "the product key is still there";
}

void productKeyFixture::create()
{
    uniqueRegistryKey product;
    ASSERT_EQ(ERROR_SUCCESS, createKey(HKEY_CURRENT_USER, productPath, 0, product));
}

void productKeyFixture::makeUncreatable()
{
    // The maker's key goes too, kept aside the first time, unless the tests made it.
    ASSERT_TRUE(keyExists(backupPath)) << "outside a fixture";
    if (!backupHas(makerAbsent) && !backupHas(makerReplaced))
        copyTree(makerPath, std::wstring(backupPath) + L"\\OstraVell");
    mark(makerReplaced);
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
    return entries(productPath, false);
}

#pragma once

#include "support/uniqueHandle.h"
#include "testSupport/registryValue.h"

#include <windows.h>

#include <string>

// A registry key of its own under HKEY_CURRENT_USER\Software for one test,
// with a unique name; deleted with everything below it when the test ends.
class scratchRegistryKey
{
public:
    scratchRegistryKey();
    ~scratchRegistryKey();
    scratchRegistryKey(const scratchRegistryKey&) = delete;
    scratchRegistryKey& operator=(const scratchRegistryKey&) = delete;

    HKEY get() const { return key.get(); }
    // Path below HKEY_CURRENT_USER.
    const std::wstring& path() const { return subPath; }

    // The same key opened again with the given rights (KEY_READ to make every
    // write through it fail with ERROR_ACCESS_DENIED).
    uniqueRegistryKey reopen(REGSAM access) const;

    // Raw value access, for checking what a store wrote byte for byte.
    void setRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const;
    void setDword(const std::wstring& name, DWORD value) const;
    void setText(const std::wstring& name, const std::wstring& text) const;
    bool queryRaw(const wchar_t* name, DWORD& type, std::string& data) const
    {
        return registryValue::query(key.get(), name, type, data);
    }
    // A value that must be there with that type.
    DWORD dword(const wchar_t* name) const { return registryValue::dword(key.get(), name); }
    std::wstring text(const wchar_t* name) const { return registryValue::text(key.get(), name); }
    bool exists(const wchar_t* name) const;

private:
    std::wstring subPath;
    uniqueRegistryKey key;
};

#pragma once

#include <windows.h>

#include <string>

// The profiler's key HKEY_CURRENT_USER\Software\OstraVell\Korvanex64 for one
// test. Construction puts the product key aside and removes it, so that every
// test starts without it; destruction puts back what the test changed, the
// maker's key too once makeUncreatable replaced it. The rest is raw access to
// the product key. Win32 and gtest only: the program that checks the DLL's
// import library uses it too.
class productKeyFixture
{
public:
    productKeyFixture();
    ~productKeyFixture();
    productKeyFixture(const productKeyFixture&) = delete;
    productKeyFixture& operator=(const productKeyFixture&) = delete;

    static constexpr const wchar_t* makerPath = L"Software\\OstraVell";
    static constexpr const wchar_t* productPath = L"Software\\OstraVell\\Korvanex64";

    // Removes the product key, and the maker's key once makeUncreatable made
    // it volatile, so that the product key can be created again.
    static void removeProductKey();
    // Creates the product key, empty when it was missing.
    static void create();
    // Makes the product key impossible to create (or, being absent, to open):
    // the maker's key is recreated volatile, and a normal key cannot be made
    // under a volatile one.
    static void makeUncreatable();
    static bool keyExists(const wchar_t* path);

    // The setters create the product key when it is missing.
    static void setValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes);
    static void setDword(const wchar_t* name, DWORD value) { setValue(name, REG_DWORD, &value, sizeof(value)); }
    static void setText(const wchar_t* name, const std::wstring& text);
    static void deleteValue(const wchar_t* name);
    // False when the value (or the key) does not exist.
    static bool queryValue(const wchar_t* name, DWORD& type, std::string& data);
    // A value that must be there with that type (see registryValue.h).
    static DWORD storedDword(const wchar_t* name);
    static std::wstring storedText(const wchar_t* name);
    // The count of values under the product key, or -1 when it is missing.
    static int valueCount();

private:
    // False inside another fixture of a live program (a death test's child).
    bool owner = false;
};

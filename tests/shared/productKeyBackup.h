#pragma once

#include <windows.h>

#include <string>

// Puts HKEY_CURRENT_USER\Software\OstraVell (with everything below it) aside
// for one test, so that every test starts without the maker's key, and puts
// the saved tree back when the test ends. Win32 only: the program that
// checks the DLL's import library uses it too.
class productKeyBackup
{
public:
    productKeyBackup();
    ~productKeyBackup();
    productKeyBackup(const productKeyBackup&) = delete;
    productKeyBackup& operator=(const productKeyBackup&) = delete;

    // Recreates the maker's key as a volatile key: the product key, which is
    // not volatile, can then be neither created nor (being absent) opened.
    static void makeMakerKeyVolatile();
    static void removeMakerKey();

    static bool makerKeyExists();
    static void setValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes);
    static void setDword(const wchar_t* name, DWORD value) { setValue(name, REG_DWORD, &value, sizeof(value)); }
    static void setText(const wchar_t* name, const std::wstring& text);
    static void deleteValue(const wchar_t* name);
    // False when the value (or the key) does not exist.
    static bool queryValue(const wchar_t* name, DWORD& type, std::string& data);

    static const wchar_t makerPath[];
    static const wchar_t productPath[];

private:
    void save();

    std::wstring backupPath;
    bool saved = false;
};

#pragma once

#include "support/uniqueHandle.h"

#include <windows.h>

#include <string>

// The profiler's key HKCU\Software\OstraVell\Korvanex64 as the tests see it:
// removed before and after each test, read and written raw.
namespace productKey
{
constexpr const wchar_t* makerPath = L"Software\\OstraVell";
constexpr const wchar_t* path = L"Software\\OstraVell\\Korvanex64";

// Removes the product key and turns a volatile maker key back into a
// normal one.
void reset();
// Creates the product key, empty.
void create();
// Makes the product key impossible to create: the maker key is recreated
// volatile, and a normal key cannot be made under a volatile one.
void makeUncreatable();

void setDword(const wchar_t* name, DWORD value);
void setString(const wchar_t* name, const std::wstring& value);
bool exists(const wchar_t* name);
// The raw value: false when missing.
bool query(const wchar_t* name, DWORD& type, std::string& data);
// The count of values under the product key, or -1 when it is missing.
int valueCount();
} // namespace productKey

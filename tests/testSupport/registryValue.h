#pragma once

#include <windows.h>

#include <string>

// Raw registry values written and read back by a test. dword and text check
// the type too: a missing value, another type or another size fails the test.
namespace registryValue
{
// Stores exactly the bytes given, a string type's without a terminator too.
LSTATUS set(HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD bytes);
// The type and bytes of a value; false when it, or the key (null), is missing.
bool query(HKEY key, const wchar_t* name, DWORD& type, std::string& data);
// A REG_DWORD of exactly four bytes; 0xDEADBEEF when it is not one.
DWORD dword(HKEY key, const wchar_t* name);
// A REG_SZ that ends in its terminator, returned without it.
std::wstring text(HKEY key, const wchar_t* name);
} // namespace registryValue

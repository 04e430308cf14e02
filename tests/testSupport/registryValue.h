#pragma once

#include <windows.h>

#include <string>

// Raw registry data read back by a test, decoded with its type checked: a
// missing value, another type or another size fails the test.
namespace registryValue
{
// A REG_DWORD of exactly four bytes; 0xDEADBEEF when it is not one.
DWORD dword(bool found, DWORD type, const std::string& data);
// A REG_SZ that ends in its terminator, returned without it.
std::wstring text(bool found, DWORD type, const std::string& data);
} // namespace registryValue

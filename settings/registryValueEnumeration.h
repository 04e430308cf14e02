#pragma once

#include <windows.h>

// The registry's limit for a value name, in characters with the terminator.
constexpr DWORD registryValueNameCapacity = 16384;

// Calls visit(name, nameLength, type, dataBytes) for each value of key, by
// index in the registry's own order, with a name buffer of NameCharacters
// and, unless DataBytes is 0, a data buffer of DataBytes that is fetched and
// then dropped. A value whose name or data does not fit (ERROR_MORE_DATA) is
// skipped; any other error, normally ERROR_NO_MORE_ITEMS, ends the walk and
// is returned.
template <DWORD NameCharacters, DWORD DataBytes, typename Visit>
LSTATUS enumerateValues(HKEY key, Visit&& visit)
{
    constexpr bool fetchData = DataBytes != 0;
    for (DWORD index = 0;; ++index) {
        wchar_t name[NameCharacters];
        DWORD nameLength = NameCharacters;
        BYTE data[fetchData ? DataBytes : 1];
        DWORD dataBytes = DataBytes;
        DWORD type = 0;
        const LSTATUS rc = RegEnumValueW(key, index, name, &nameLength, nullptr, &type, fetchData ? data : nullptr,
                                         fetchData ? &dataBytes : nullptr);
        if (rc == ERROR_MORE_DATA)
            continue;
        if (rc != ERROR_SUCCESS)
            return rc;
        visit(name, nameLength, type, dataBytes);
    }
}

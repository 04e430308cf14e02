#pragma once

#include <windows.h>

class stubString;

// A growable array of owned stubString objects on the support heap. The
// fields are public and in this order because the settings store reads and
// fills them directly.
class stringArray
{
public:
    stringArray() noexcept = default;
    stringArray(UINT32 initialSize, UINT32 growBy) noexcept : initialSize(initialSize), growBy(growBy) {}
    ~stringArray();
    stringArray(const stringArray&) = delete;
    stringArray& operator=(const stringArray&) = delete;

    // Appends a new string holding text (empty for null). The first storage
    // holds initialSize pointers (both it and growBy become 1 when it is 0),
    // later storage grows by growBy. 1, or 0 when memory runs out, in which
    // case nothing is appended.
    int add(const wchar_t* text) noexcept;

    // Destroys every string and gives the storage back.
    void removeAll() noexcept;

    UINT32 count = 0;
    stubString** items = nullptr;
    UINT32 initialSize = 0;
    UINT32 capacity = 0;
    UINT32 growBy = 0;
};

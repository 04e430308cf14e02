#pragma once

#include <windows.h>

// A growable array of 32-bit integers on the support heap. The fields are
// public and in this order because the settings store fills them directly.
class intArray
{
public:
    intArray() noexcept = default;
    explicit intArray(UINT32 growBy) noexcept : growBy(growBy) {}
    ~intArray();
    intArray(const intArray&) = delete;
    intArray& operator=(const intArray&) = delete;

    // Makes room for n entries: 0 gives 0; n below capacity gives 1 at once;
    // otherwise the storage grows to the larger of n and capacity + growBy
    // entries. New entries are not cleared; a failed allocation leaves the
    // array as it was and gives 0.
    int makeRoom(UINT32 n) noexcept;

    // Appends one value; 1, or 0 when memory runs out.
    int add(int value) noexcept;

    UINT32 count = 0;
    int* data = nullptr;
    UINT32 capacity = 0;
    UINT32 growBy = 0;
};

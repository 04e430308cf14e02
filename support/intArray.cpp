#include "support/intArray.h"

#include "support/stubHeap.h"

#include <cstdint>

intArray::~intArray()
{
    if (data != nullptr)
        oskHeapFree(getStubHeap(), 0, data);
}

int intArray::makeRoom(UINT32 n) noexcept
{
    if (n == 0)
        return 0;
    if (n < capacity)
        return 1;
    // In 64 bits: neither the sum nor the byte size may wrap into a small
    // block that later writes would overrun.
    UINT64 grown = UINT64{capacity} + growBy;
    if (grown > MAXDWORD)
        grown = MAXDWORD;
    const UINT64 entries = grown > n ? grown : n;
    const UINT64 bytes = entries * sizeof(int);
    if (bytes > SIZE_MAX)
        return 0;
    void* memory = data == nullptr ? oskHeapAlloc(0, static_cast<SIZE_T>(bytes))
                                   : oskHeapReAlloc(0, data, static_cast<SIZE_T>(bytes));
    if (memory == nullptr)
        return 0;
    data = static_cast<int*>(memory);
    capacity = static_cast<UINT32>(entries);
    return 1;
}

int intArray::add(int value) noexcept
{
    if (count == MAXDWORD)
        return 0;
    if (count >= capacity && !makeRoom(count + 1))
        return 0;
    data[count++] = value;
    return 1;
}

#include "support/stubHeap.h"

#include <array>

namespace
{
INIT_ONCE stubHeapOnce = INIT_ONCE_STATIC_INIT;
HANDLE stubHeap = nullptr;

BOOL CALLBACK makeStubHeap(INIT_ONCE*, void*, void**)
{
    stubHeap = HeapCreate(0, 0, 0);
    return stubHeap != nullptr;
}

// The registered heaps. A fixed table is enough: the program registers one
// heap (the failure log's), and a registration never needs memory of its own.
constexpr size_t maxRegisteredHeaps = 64;
SRWLOCK registeredHeapsLock = SRWLOCK_INIT;
std::array<HANDLE, maxRegisteredHeaps> registeredHeaps{};
size_t registeredHeapCount = 0;
} // namespace

HANDLE createStubHeap()
{
    return getStubHeap();
}

HANDLE getStubHeap()
{
    // A failed creation is tried again by the next caller.
    if (!InitOnceExecuteOnce(&stubHeapOnce, makeStubHeap, nullptr, nullptr))
        return nullptr;
    return stubHeap;
}

void* oskHeapAlloc(DWORD flags, SIZE_T size)
{
    return oskHeapAlloc(getStubHeap(), flags, size);
}

void* oskHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size)
{
    if (heap == nullptr)
        return nullptr;
    return HeapAlloc(heap, flags, size);
}

void* oskHeapReAlloc(DWORD flags, void* memory, SIZE_T size)
{
    const HANDLE heap = getStubHeap();
    if (heap == nullptr)
        return nullptr;
    if (memory == nullptr)
        return HeapAlloc(heap, flags, size);
    return HeapReAlloc(heap, flags, memory, size);
}

BOOL oskHeapFree(HANDLE heap, DWORD flags, void* memory)
{
    if (heap == nullptr || memory == nullptr)
        return FALSE;
    return HeapFree(heap, flags, memory);
}

BOOL oskHeaps::addHeap(HANDLE heap)
{
    if (heap == nullptr)
        return FALSE;
    AcquireSRWLockExclusive(&registeredHeapsLock);
    BOOL added = FALSE;
    if (registeredHeapCount < registeredHeaps.size()) {
        registeredHeaps[registeredHeapCount++] = heap;
        added = TRUE;
    }
    ReleaseSRWLockExclusive(&registeredHeapsLock);
    return added;
}

BOOL oskHeaps::isRegistered(HANDLE heap)
{
    AcquireSRWLockShared(&registeredHeapsLock);
    BOOL found = FALSE;
    for (size_t i = 0; i < registeredHeapCount; ++i)
        if (registeredHeaps[i] == heap)
            found = TRUE;
    ReleaseSRWLockShared(&registeredHeapsLock);
    return found;
}

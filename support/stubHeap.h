#pragma once

#include <windows.h>

// The support heap: one private, growable heap for the support library's
// objects and containers. It is created on first use, so code that runs
// before (or without) the program's start-up still finds it.
HANDLE createStubHeap();
HANDLE getStubHeap();

// Blocks on the support heap, or on a heap the caller names.
void* oskHeapAlloc(DWORD flags, SIZE_T size);
void* oskHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size);

// Grows or shrinks a block of the support heap. On failure the result is null
// and the old block is untouched and still valid.
void* oskHeapReAlloc(DWORD flags, void* memory, SIZE_T size);

BOOL oskHeapFree(HANDLE heap, DWORD flags, void* memory);

// Private heaps that the program created itself are registered here.
class oskHeaps
{
public:
    static BOOL addHeap(HANDLE heap);
    static BOOL isRegistered(HANDLE heap);
};

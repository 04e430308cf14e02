#pragma once

#include <windows.h>

#include <cstddef>

// Base of the support library's heap objects. Objects of derived classes are
// allocated on the heap named by setHeap (the support heap until then) and
// returned to the heap they came from, whatever setHeap says by then.
class CZeltrixStubObject
{
public:
    CZeltrixStubObject() = default;
    virtual ~CZeltrixStubObject();

    static void setHeap(HANDLE heap);

    // Non-throwing: a failed allocation makes the new-expression yield null.
    static void* operator new(std::size_t size) noexcept;
    static void operator delete(void* memory) noexcept;
};

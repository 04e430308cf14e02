#include "support/CZeltrixStubObject.h"

#include "support/stubHeap.h"

#include <atomic>

namespace
{
std::atomic<HANDLE> objectHeap{nullptr};

// Each block starts with the heap it came from; the header keeps the
// object's own alignment.
struct alignas(alignof(std::max_align_t)) blockHeader
{
    HANDLE heap;
};
} // namespace

CZeltrixStubObject::~CZeltrixStubObject() = default;

void CZeltrixStubObject::setHeap(HANDLE heap)
{
    objectHeap.store(heap, std::memory_order_relaxed);
}

void* CZeltrixStubObject::operator new(std::size_t size) noexcept
{
    HANDLE heap = objectHeap.load(std::memory_order_relaxed);
    if (heap == nullptr)
        heap = getStubHeap();
    if (size > static_cast<std::size_t>(-1) - sizeof(blockHeader))
        return nullptr;
    auto* header = static_cast<blockHeader*>(oskHeapAlloc(heap, 0, sizeof(blockHeader) + size));
    if (header == nullptr)
        return nullptr;
    header->heap = heap;
    return header + 1;
}

void CZeltrixStubObject::operator delete(void* memory) noexcept
{
    if (memory == nullptr)
        return;
    blockHeader* header = static_cast<blockHeader*>(memory) - 1;
    oskHeapFree(header->heap, 0, header);
}

#include "support/CZeltrixStubObject.h"

#include "support/stubHeap.h"

#include <gtest/gtest.h>

namespace
{
class probeObject : public CZeltrixStubObject
{
public:
    explicit probeObject(int* destroyed) : destroyedCount(destroyed) {}
    ~probeObject() override { ++*destroyedCount; }
    char payload[40] = {};

private:
    int* destroyedCount;
};

// Blocks in use on a heap.
int busyBlocks(HANDLE heap)
{
    PROCESS_HEAP_ENTRY entry{};
    int busy = 0;
    while (HeapWalk(heap, &entry))
        busy += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0 ? 1 : 0;
    return busy;
}

// Restores the object heap a test changed.
struct objectHeapScope
{
    explicit objectHeapScope(HANDLE heap) { CZeltrixStubObject::setHeap(heap); }
    ~objectHeapScope() { CZeltrixStubObject::setHeap(getStubHeap()); }
};
} // namespace

TEST(CZeltrixStubObject, objectsGoBackToTheHeapTheyCameFrom)
{
    const HANDLE firstHeap = HeapCreate(0, 0, 0);
    const HANDLE secondHeap = HeapCreate(0, 0, 0);
    ASSERT_NE(nullptr, firstHeap);
    ASSERT_NE(nullptr, secondHeap);
    int destroyed = 0;
    {
        const objectHeapScope scope(firstHeap);
        CZeltrixStubObject* early = new probeObject(&destroyed);
        ASSERT_NE(nullptr, early);
        EXPECT_TRUE(HeapValidate(firstHeap, 0, nullptr));

        // The object heap changes while the first object lives.
        CZeltrixStubObject::setHeap(secondHeap);
        CZeltrixStubObject* late = new probeObject(&destroyed);
        ASSERT_NE(nullptr, late);

        EXPECT_EQ(1, busyBlocks(firstHeap));

        delete early; // through the base: virtual destructor, then the first heap
        delete late;
        EXPECT_EQ(2, destroyed);

        EXPECT_EQ(0, busyBlocks(firstHeap));
        EXPECT_TRUE(HeapValidate(firstHeap, 0, nullptr));
        EXPECT_TRUE(HeapValidate(secondHeap, 0, nullptr));
    }
    HeapDestroy(firstHeap);
    HeapDestroy(secondHeap);
}

TEST(CZeltrixStubObject, aFailedAllocationYieldsNull)
{
    // A heap with a small fixed maximum cannot hold a huge object.
    const HANDLE tinyHeap = HeapCreate(0, 4096, 8192);
    ASSERT_NE(nullptr, tinyHeap);
    {
        const objectHeapScope scope(tinyHeap);
        struct hugeObject : CZeltrixStubObject
        {
            char payload[64 * 1024];
        };
        hugeObject* object = new hugeObject;
        EXPECT_EQ(nullptr, object);
        delete object;
    }
    HeapDestroy(tinyHeap);
}

#include "support/CZeltrixStubObject.h"
#include "support/stubHeap.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(stubHeap, isOnePrivateHeapWhateverIsCalledFirst)
{
    const HANDLE heap = getStubHeap();
    ASSERT_NE(nullptr, heap);
    EXPECT_NE(GetProcessHeap(), heap);
    EXPECT_EQ(heap, createStubHeap());
    EXPECT_EQ(heap, getStubHeap());
}

TEST(stubHeap, reallocationKeepsContentAndAFailedOneKeepsTheOldBlock)
{
    auto* block = static_cast<char*>(oskHeapAlloc(0, 16));
    ASSERT_NE(nullptr, block);
    std::memcpy(block, "0123456789abcde", 16);

    auto* grown = static_cast<char*>(oskHeapReAlloc(0, block, 64 * 1024));
    ASSERT_NE(nullptr, grown);
    EXPECT_STREQ("0123456789abcde", grown);

    // Far more than any heap can give: the old block must stay valid.
    EXPECT_EQ(nullptr, oskHeapReAlloc(0, grown, static_cast<SIZE_T>(1) << 62));
    EXPECT_STREQ("0123456789abcde", grown);
    EXPECT_TRUE(HeapValidate(getStubHeap(), 0, grown));
    EXPECT_TRUE(oskHeapFree(getStubHeap(), 0, grown));
}

TEST(stubHeap, allocatesOnANamedHeapAndRegistersPrivateHeaps)
{
    const HANDLE privateHeap = HeapCreate(0, 0, 0);
    ASSERT_NE(nullptr, privateHeap);
    void* block = oskHeapAlloc(privateHeap, 0, 100);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(100u, HeapSize(privateHeap, 0, block));

    EXPECT_FALSE(oskHeaps::isRegistered(privateHeap));
    EXPECT_TRUE(oskHeaps::addHeap(privateHeap));
    EXPECT_TRUE(oskHeaps::isRegistered(privateHeap));
    EXPECT_FALSE(oskHeaps::addHeap(nullptr));

    EXPECT_TRUE(oskHeapFree(privateHeap, 0, block));
    EXPECT_FALSE(oskHeapFree(privateHeap, 0, nullptr));
    HeapDestroy(privateHeap);
}

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

        PROCESS_HEAP_ENTRY entry{};
        int busyInFirst = 0;
        while (HeapWalk(firstHeap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                ++busyInFirst;
        EXPECT_EQ(1, busyInFirst);

        delete early; // through the base: virtual destructor, then the first heap
        delete late;
        EXPECT_EQ(2, destroyed);

        entry = {};
        busyInFirst = 0;
        while (HeapWalk(firstHeap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                ++busyInFirst;
        EXPECT_EQ(0, busyInFirst);
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

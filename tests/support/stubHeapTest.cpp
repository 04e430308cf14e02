#include "support/stubHeap.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(stubHeap, isOnePrivateHeapWhateverIsCalledFirst)
{
    // Blocks of the support library come from the heap that start-up made.
    const HANDLE heap = createStubHeap();
    ASSERT_NE(nullptr, heap);
    EXPECT_NE(GetProcessHeap(), heap);
    void* block = oskHeapAlloc(0, 24);
    ASSERT_NE(nullptr, block);
    EXPECT_TRUE(HeapValidate(heap, 0, block));
    EXPECT_EQ(24u, HeapSize(heap, 0, block));
    EXPECT_TRUE(oskHeapFree(getStubHeap(), 0, block));
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

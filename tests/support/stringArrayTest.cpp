#include "support/stringArray.h"

#include "support/stubString.h"

#include <gtest/gtest.h>

namespace
{
TEST(stringArray, initialSizeZeroStartsAtOneAndGrowsByOne)
{
    stringArray strings;
    ASSERT_EQ(1, strings.add(L"first"));
    EXPECT_EQ(1u, strings.initialSize);
    EXPECT_EQ(1u, strings.growBy);
    EXPECT_EQ(1u, strings.capacity);
    ASSERT_EQ(1, strings.add(nullptr));
    EXPECT_EQ(2u, strings.capacity);
    EXPECT_EQ(2u, strings.count);
    EXPECT_TRUE(*strings.items[0] == L"first");
    EXPECT_TRUE(strings.items[1]->IsEmpty());
}

TEST(stringArray, firstStorageIsInitialSizeThenGrowBy)
{
    stringArray strings(4, 3);
    const UINT32 expectedCapacity[] = {4, 4, 4, 4, 7, 7, 7, 10};
    for (UINT32 i = 0; i < 8; ++i) {
        ASSERT_EQ(1, strings.add(std::to_wstring(i).c_str()));
        EXPECT_EQ(expectedCapacity[i], strings.capacity) << i;
    }
    for (UINT32 i = 0; i < 8; ++i)
        EXPECT_TRUE(*strings.items[i] == std::to_wstring(i).c_str());

    strings.removeAll();
    EXPECT_EQ(0u, strings.count);
    EXPECT_EQ(nullptr, strings.items);
    ASSERT_EQ(1, strings.add(L"again"));
    EXPECT_EQ(4u, strings.capacity);
}

// With growBy 0 a full array cannot grow: the string is not appended and no
// slot past the storage is written.
TEST(stringArray, fullArrayWithoutGrowthRefusesTheAppend)
{
    stringArray strings(2, 0);
    ASSERT_EQ(1, strings.add(L"a"));
    ASSERT_EQ(1, strings.add(L"b"));
    EXPECT_EQ(0, strings.add(L"c"));
    EXPECT_EQ(2u, strings.count);
    EXPECT_EQ(2u, strings.capacity);
}
} // namespace

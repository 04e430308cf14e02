#include "support/intArray.h"

#include <gtest/gtest.h>

namespace
{
TEST(intArray, makeRoomFollowsTheGrowthRule)
{
    intArray values(5);
    EXPECT_EQ(0, values.makeRoom(0));
    EXPECT_EQ(nullptr, values.data);

    EXPECT_EQ(1, values.makeRoom(2)); // larger of 2 and 0 + 5
    EXPECT_EQ(5u, values.capacity);
    ASSERT_NE(nullptr, values.data);
    values.data[4] = 44;

    EXPECT_EQ(1, values.makeRoom(4)); // below capacity: nothing happens
    EXPECT_EQ(5u, values.capacity);
    EXPECT_EQ(1, values.makeRoom(5)); // not below: grows by growBy
    EXPECT_EQ(10u, values.capacity);
    EXPECT_EQ(44, values.data[4]);
    EXPECT_EQ(1, values.makeRoom(30)); // n beyond capacity + growBy
    EXPECT_EQ(30u, values.capacity);
    EXPECT_EQ(44, values.data[4]);
    EXPECT_EQ(0u, values.count);
}

TEST(intArray, addAppendsWithGrowByZero)
{
    intArray values;
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(1, values.add(i * 3));
    EXPECT_EQ(20u, values.count);
    EXPECT_GE(values.capacity, 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(i * 3, values.data[i]);
}

// 2^30 + 1 entries take 2^32 + 4 bytes: the request must either get that
// much memory or fail and leave the array as it was, never wrap to a small
// block.
TEST(intArray, hugeRequestNeverWrapsToASmallBlock)
{
    intArray values(1);
    const UINT32 huge = 0x40000001u;
    if (values.makeRoom(huge) == 1) {
        EXPECT_EQ(huge, values.capacity);
        values.data[huge - 1] = 5; // the end of the block is really there
        EXPECT_EQ(5, values.data[huge - 1]);
    } else {
        EXPECT_EQ(nullptr, values.data);
        EXPECT_EQ(0u, values.capacity);
    }
}
} // namespace

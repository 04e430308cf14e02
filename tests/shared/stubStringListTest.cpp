#include "shared/stubStringList.h"

#include <gtest/gtest.h>

#include <string>

TEST(stubStringList, keepsEntriesInOrderWhileGrowing)
{
    stubStringList list;
    EXPECT_EQ(0u, list.getCount());
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(1, list.add(std::to_wstring(i).c_str()));
    ASSERT_EQ(100u, list.getCount());
    for (UINT32 i = 0; i < 100; ++i)
        EXPECT_EQ(std::to_wstring(i), list.getAt(i).GetString());
}

TEST(stubStringList, nullAndEmptyBecomeEmptyEntries)
{
    stubStringList list;
    ASSERT_EQ(1, list.add(nullptr));
    ASSERT_EQ(1, list.add(L""));
    ASSERT_EQ(2u, list.getCount());
    EXPECT_EQ(1, list.getAt(0).IsEmpty());
    EXPECT_EQ(1, list.getAt(1).IsEmpty());
}

TEST(stubStringList, removeAllEmptiesAndTheListCanBeFilledAgain)
{
    stubStringList list;
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(1, list.add(L"entry"));
    list.removeAll();
    EXPECT_EQ(0u, list.getCount());
    list.removeAll();
    ASSERT_EQ(1, list.add(L"again"));
    ASSERT_EQ(1u, list.getCount());
    EXPECT_EQ(std::wstring(L"again"), list.getAt(0).GetString());
}

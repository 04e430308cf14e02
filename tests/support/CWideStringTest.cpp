#include "support/CWideString.h"
#include "support/CWideStringArray.h"

#include <gtest/gtest.h>

#include <string>

// Text taken from the string's own storage survives the storage moving.
TEST(CWideString, assignsAndAppendsItsOwnText)
{
    CWideString text(L"Shape::Draw");
    ASSERT_TRUE(text.assign(text.GetString() + 7));
    EXPECT_STREQ(L"Draw", text.GetString());
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(text.append(text.GetString()));
    EXPECT_EQ(4 * 64, text.GetLength());
    EXPECT_EQ(std::wstring(text.GetString(), 4), L"Draw");
    EXPECT_EQ(std::wstring(text.GetString() + 252), L"Draw");
}

// Exactly the characters given, terminators too; equality sees them all.
TEST(CWideString, keepsEveryCharacterOfAnExactLength)
{
    const CWideString withNul(L"a\0b", 3);
    EXPECT_EQ(3, withNul.GetLength());
    EXPECT_FALSE(withNul == L"a");
    EXPECT_FALSE(withNul == CWideString(L"a\0c", 3));
    EXPECT_TRUE(withNul == CWideString(L"a\0b", 3));
    EXPECT_TRUE(CWideString() == nullptr);
}

TEST(CWideStringArray, keepsItemsInOrderAcrossGrowth)
{
    CWideStringArray list;
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(list.Add(std::to_wstring(i).c_str()));
    ASSERT_TRUE(list.Add(static_cast<const wchar_t*>(nullptr)));
    ASSERT_EQ(21u, list.GetSize());
    for (std::size_t i = 0; i < 20; ++i)
        EXPECT_TRUE(list.GetAt(i) == std::to_wstring(i).c_str()) << i;
    EXPECT_TRUE(list.GetAt(20).IsEmpty());
    list.RemoveAll();
    EXPECT_EQ(0u, list.GetSize());
}

#include "support/stubString.h"

#include <gtest/gtest.h>

TEST(stubString, holdsWideAndWidenedNarrowText)
{
    stubString wide(L"Shape::Draw");
    EXPECT_STREQ(L"Shape::Draw", wide);
    EXPECT_EQ(11u, wide.GetLength());

    stubString narrow("Shape::Draw");
    EXPECT_TRUE(narrow == L"Shape::Draw");
    EXPECT_EQ(L':', narrow.GetAt(5));
    EXPECT_EQ(L'\0', narrow.GetAt(11));
}

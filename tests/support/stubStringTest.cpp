#include "support/stubString.h"

#include <gtest/gtest.h>

#include <string>

TEST(stubString, startsEmptyAndNeverGivesANullText)
{
    const stubString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(0u, empty.GetLength());
    EXPECT_STREQ(L"", empty.GetString());
    EXPECT_TRUE(empty == nullptr);
    EXPECT_TRUE(empty == L"");

    const stubString fromNull(static_cast<const wchar_t*>(nullptr));
    EXPECT_TRUE(fromNull.IsEmpty());
    const stubString fromNarrowNull(static_cast<const char*>(nullptr));
    EXPECT_TRUE(fromNarrowNull.IsEmpty());

    // Empty text needs no memory, so it never fails.
    stubString text(L"x");
    EXPECT_TRUE(text.assign(L""));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_TRUE(text.assign(static_cast<const char*>(nullptr)));
    EXPECT_TRUE(text.append(L""));
    EXPECT_TRUE(text.append(static_cast<const wchar_t*>(nullptr)));
    EXPECT_TRUE(stubString().assign(""));
}

TEST(stubString, widensNarrowTextFromTheAnsiCodePage)
{
    stubString narrow("Shape::Draw");
    EXPECT_TRUE(narrow == L"Shape::Draw");
    EXPECT_EQ(11u, narrow.GetLength());
    EXPECT_EQ(L':', narrow.GetAt(5));
    EXPECT_EQ(L'\0', narrow.GetAt(11));

    if (GetACP() != 1252)
        GTEST_SKIP() << "the rest needs the Western ANSI code page";
    narrow = "caf\xE9 \x80";
    EXPECT_STREQ(L"caf\u00E9 \u20AC", narrow);
}

TEST(stubString, assignsAppendsAndCompares)
{
    stubString text(L"Shape");
    text += L"::";
    text += stubString(L"Draw");
    EXPECT_STREQ(L"Shape::Draw", text);
    EXPECT_TRUE(text == L"Shape::Draw");
    EXPECT_FALSE(text == L"shape::draw");
    EXPECT_FALSE(text == L"Shape::Dra");

    text += text;
    EXPECT_STREQ(L"Shape::DrawShape::Draw", text);
    text += text.GetString() + 5; // a tail of its own storage
    EXPECT_STREQ(L"Shape::DrawShape::Draw::DrawShape::Draw", text);

    text = text.GetString() + 7; // a tail of its own storage again
    EXPECT_STREQ(L"DrawShape::Draw::DrawShape::Draw", text);

    stubString copy(text);
    copy = L"x";
    EXPECT_STREQ(L"DrawShape::Draw::DrawShape::Draw", text);
    EXPECT_STREQ(L"x", copy);

    stubString moved(std::move(copy));
    EXPECT_STREQ(L"x", moved);
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(stubString, boundedAssignStopsAtTheLimitOrTheTerminator)
{
    const wchar_t unterminated[4] = {L'a', L'b', L'c', L'd'};
    stubString text;
    EXPECT_TRUE(text.assign(unterminated, 3));
    EXPECT_STREQ(L"abc", text);
    EXPECT_TRUE(text.assign(L"ab\0cd", 5));
    EXPECT_STREQ(L"ab", text);
    EXPECT_EQ(2u, text.GetLength());

    const char narrow[3] = {'x', 'y', 'z'};
    EXPECT_TRUE(text.assign(narrow, 2));
    EXPECT_STREQ(L"xy", text);
}

TEST(stubString, growsToLongTexts)
{
    std::wstring expected;
    stubString text;
    for (int i = 0; i < 5000; ++i) {
        text += L"0123456789";
        expected += L"0123456789";
    }
    EXPECT_EQ(expected.size(), text.GetLength());
    EXPECT_EQ(expected, std::wstring(text.GetString()));
}

TEST(stubString, trimRightRemovesTrailingWhiteSpaceAndLineEnds)
{
    stubString text(L"  The operation completed.\r\n \t");
    text.TrimRight();
    EXPECT_STREQ(L"  The operation completed.", text);

    stubString blank(L" \r\n");
    blank.TrimRight();
    EXPECT_TRUE(blank.IsEmpty());

    stubString empty;
    empty.TrimRight();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(stubString, objectsLiveOnTheSupportHeap)
{
    stubString* text = new stubString(L"on the heap");
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ(L"on the heap", *text);
    delete text;
}

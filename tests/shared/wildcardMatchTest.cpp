#include "shared/wildcardMatch.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::wstring shown(const wchar_t* text)
{
    return text == nullptr ? L"(null)" : text;
}
} // namespace

TEST(wildcardMatch, patternAgainstText)
{
    const struct
    {
        const wchar_t* pattern;
        const wchar_t* text;
        int caseSensitive;
        int expected;
    } cases[] = {
        // Empty pattern and stars.
        {L"", L"", 1, 1}, {L"", L"a", 1, 0}, {L"*", L"", 1, 1}, {L"*", L"anything at all", 1, 1}, {L"**", L"", 1, 1},
        {L"**", L"abc", 1, 1}, {L"a*", L"", 1, 0}, {L"a*", L"a", 1, 1}, {L"*a", L"", 1, 0}, {L"***a", L"ba", 1, 1},
        {L"a**b", L"ab", 1, 1}, {L"a***b", L"axxb", 1, 1},
        // Literals must cover the whole text.
        {L"abc", L"abc", 1, 1}, {L"abc", L"abcd", 1, 0}, {L"abcd", L"abc", 1, 0}, {L"abc", L"xabc", 1, 0},
        {L"abc", L"", 1, 0}, {L"a", L"b", 1, 0},
        // A question mark is one character, but never a dot.
        {L"a?c", L"abc", 1, 1}, {L"a?c", L"a.c", 1, 0}, {L"a?c", L"ac", 1, 0}, {L"a?c", L"abbc", 1, 0},
        {L"?", L"", 1, 0}, {L"?", L".", 1, 0}, {L"??", L"ab", 1, 1}, {L"*?", L"x", 1, 1}, {L"*?", L".", 1, 0},
        {L"?*", L"", 1, 0}, {L"a?", L"a?", 1, 1}, {L"*.?pp", L"main.cpp", 1, 1}, {L"*?pp", L".pp", 1, 0},
        {L"main?cpp", L"main.cpp", 1, 0},
        // Segments after a star may match late.
        {L"*a*b", L"xaxb", 1, 1}, {L"*abc", L"xabcabc", 1, 1}, {L"*abc", L"ababc", 1, 1}, {L"*aab", L"aaab", 1, 1},
        {L"a*ab", L"aaab", 1, 1}, {L"*::Draw", L"Shape::Draw", 1, 1}, {L"*::Draw", L"Shape::Drawing", 1, 0},
        {L"*::Draw*", L"Shape::Drawing", 1, 1}, {L"Shape::*", L"Shape::Draw", 1, 1},
        {L"*Sh*::D*w", L"App::Shape::Draw", 1, 1}, {L"*a*b*c", L"cba", 1, 0}, {L"*x*", L"abc", 1, 0},
        {L"*b*b", L"abcbd", 1, 0}, {L"*ab*cd", L"abcabcd", 1, 1},
        // A pattern longer than the text never matches.
        {L"abcdef", L"abc", 1, 0}, {L"*abcdef", L"abc", 1, 0}, {L"abc*def", L"abcde", 1, 0}, {L"??????", L"abc", 1, 0},
        {L"*a*a*a*a*b", L"aaab", 1, 0},
        // Case sensitive compares exactly.
        {L"shape::*", L"Shape::Draw", 1, 0}, {L"*.CPP", L"main.cpp", 1, 0}, {L"\u0100", L"\u0101", 1, 0},
        // Case insensitive folds ASCII ...
        {L"*.CPP", L"main.cpp", 0, 1}, {L"*.cpp", L"MAIN.CPP", 0, 1}, {L"MaIn.CpP", L"mAiN.cPp", 0, 1},
        {L"*.cpp", L"main.cpq", 0, 0}, {L"[", L"{", 0, 0}, {L"@", L"`", 0, 0}, {L"A?C", L"a.c", 0, 0},
        {L"a?c", L"ABC", 0, 1}, {L"*SRC\\*.H", L"c:\\src\\x.h", 0, 1},
        // ... and letters beyond Latin-1.
        {L"\u00C0*", L"\u00E0x", 0, 1},        // Latin-1: A grave
        {L"\u0100", L"\u0101", 0, 1},          // Latin Extended-A: A macron
        {L"\u0101", L"\u0100", 0, 1},
        {L"\u0100", L"\u0120", 0, 0},          // G dot above is not A macron
        {L"\u0178", L"\u00FF", 0, 1},          // Y diaeresis: upper form outside Latin-1
        {L"\u0400*", L"\u0450.cpp", 0, 1},     // Cyrillic IE grave
        {L"\u0391\u0392", L"\u03B1\u03B2", 0, 1}, // Greek
        {L"\u0410", L"\u0431", 0, 0},          // Cyrillic A against be
        {L"*.\u0106PP", L"x.\u0107pp", 0, 1},
        // A null pattern or text counts as empty.
        {nullptr, nullptr, 1, 1}, {L"*", nullptr, 0, 1}, {L"a", nullptr, 1, 0}, {nullptr, L"a", 1, 0},
        {nullptr, L"", 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(shown(c.pattern)) + " against " + testing::PrintToString(shown(c.text)) +
                     (c.caseSensitive ? ", case sensitive" : ", ignoring case"));
        EXPECT_EQ(c.expected, wildcardMatch(c.pattern, c.text, c.caseSensitive));
    }
}

TEST(wildcardMatch, repeatedStarsOverARepetitiveText)
{
    const std::wstring text(2000, L'a');
    EXPECT_EQ(0, wildcardMatch(L"*a*a*a*a*b", text.c_str(), 1));
    EXPECT_EQ(1, wildcardMatch(L"*a*a*a*a*a", text.c_str(), 1));
    EXPECT_EQ(1, wildcardMatch(L"*a*a*a*a*b", (text + L"b").c_str(), 1));
    EXPECT_EQ(0, wildcardMatch(L"*aaab*", text.c_str(), 1));
}

#include "shared/wildcardMatch.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct matchCase
{
    const wchar_t* pattern;
    const wchar_t* text;
    int expected;
};

void expectCases(const matchCase* cases, std::size_t count, int caseSensitive)
{
    for (std::size_t i = 0; i < count; ++i)
        EXPECT_EQ(cases[i].expected, wildcardMatch(cases[i].pattern, cases[i].text, caseSensitive))
            << "pattern '" << testing::PrintToString(std::wstring(cases[i].pattern)) << "' text '"
            << testing::PrintToString(std::wstring(cases[i].text)) << "'";
}
} // namespace

TEST(wildcardMatch, emptyPatternAndStars)
{
    const matchCase cases[] = {
        {L"", L"", 1},   {L"", L"a", 0},    {L"*", L"", 1},     {L"*", L"anything at all", 1},
        {L"**", L"", 1}, {L"**", L"abc", 1}, {L"a*", L"", 0},    {L"a*", L"a", 1},
        {L"*a", L"", 0}, {L"***a", L"ba", 1}, {L"a**b", L"ab", 1}, {L"a***b", L"axxb", 1},
    };
    expectCases(cases, std::size(cases), 1);
}

TEST(wildcardMatch, literalsMustCoverTheWholeText)
{
    const matchCase cases[] = {
        {L"abc", L"abc", 1}, {L"abc", L"abcd", 0}, {L"abcd", L"abc", 0}, {L"abc", L"xabc", 0},
        {L"abc", L"", 0},    {L"a", L"b", 0},
    };
    expectCases(cases, std::size(cases), 1);
}

TEST(wildcardMatch, questionMarkIsOneCharacterButNeverADot)
{
    const matchCase cases[] = {
        {L"a?c", L"abc", 1}, {L"a?c", L"a.c", 0}, {L"a?c", L"ac", 0},     {L"a?c", L"abbc", 0},
        {L"?", L"", 0},      {L"?", L".", 0},     {L"??", L"ab", 1},      {L"*?", L"x", 1},
        {L"*?", L".", 0},    {L"?*", L"", 0},     {L"a?", L"a?", 1},      {L"*.?pp", L"main.cpp", 1},
        {L"*?pp", L".pp", 0}, {L"main?cpp", L"main.cpp", 0},
    };
    expectCases(cases, std::size(cases), 1);
}

TEST(wildcardMatch, segmentsAfterAStarMayMatchLate)
{
    const matchCase cases[] = {
        {L"*a*b", L"xaxb", 1}, {L"*abc", L"xabcabc", 1}, {L"*abc", L"ababc", 1}, {L"*aab", L"aaab", 1},
        {L"a*ab", L"aaab", 1}, {L"*::Draw", L"Shape::Draw", 1}, {L"*::Draw", L"Shape::Drawing", 0},
        {L"*::Draw*", L"Shape::Drawing", 1}, {L"Shape::*", L"Shape::Draw", 1},
        {L"*Sh*::D*w", L"App::Shape::Draw", 1}, {L"*a*b*c", L"cba", 0}, {L"*x*", L"abc", 0}, {L"*b*b", L"abcbd", 0},
        {L"*ab*cd", L"abcabcd", 1},
    };
    expectCases(cases, std::size(cases), 1);
}

TEST(wildcardMatch, patternLongerThanTheTextNeverMatches)
{
    const matchCase cases[] = {
        {L"abcdef", L"abc", 0}, {L"*abcdef", L"abc", 0}, {L"abc*def", L"abcde", 0}, {L"??????", L"abc", 0},
        {L"*a*a*a*a*b", L"aaab", 0},
    };
    expectCases(cases, std::size(cases), 1);
}

TEST(wildcardMatch, repeatedStarsOverARepetitiveText)
{
    const std::wstring text(2000, L'a');
    EXPECT_EQ(0, wildcardMatch(L"*a*a*a*a*b", text.c_str(), 1));
    EXPECT_EQ(1, wildcardMatch(L"*a*a*a*a*a", text.c_str(), 1));
    EXPECT_EQ(1, wildcardMatch(L"*a*a*a*a*b", (text + L"b").c_str(), 1));
    EXPECT_EQ(0, wildcardMatch(L"*aaab*", text.c_str(), 1));
}

TEST(wildcardMatch, caseSensitiveComparesExactly)
{
    const matchCase cases[] = {
        {L"shape::*", L"Shape::Draw", 0}, {L"Shape::*", L"Shape::Draw", 1}, {L"*.CPP", L"main.cpp", 0},
        {L"\u0100", L"\u0101", 0},
    };
    expectCases(cases, std::size(cases), 1);
}

TEST(wildcardMatch, caseInsensitiveFoldsAscii)
{
    const matchCase cases[] = {
        {L"*.CPP", L"main.cpp", 1},   {L"*.cpp", L"MAIN.CPP", 1},  {L"MaIn.CpP", L"mAiN.cPp", 1},
        {L"*.cpp", L"main.cpq", 0},   {L"[", L"{", 0},             {L"@", L"`", 0},
        {L"A?C", L"a.c", 0},          {L"a?c", L"ABC", 1},         {L"*SRC\\*.H", L"c:\\src\\x.h", 1},
    };
    expectCases(cases, std::size(cases), 0);
}

TEST(wildcardMatch, caseInsensitiveFoldsLettersBeyondLatin1)
{
    const matchCase cases[] = {
        {L"\u00C0*", L"\u00E0x", 1},        // Latin-1: A grave
        {L"\u0100", L"\u0101", 1},          // Latin Extended-A: A macron
        {L"\u0101", L"\u0100", 1},
        {L"\u0100", L"\u0120", 0},          // G dot above is not A macron
        {L"\u0178", L"\u00FF", 1},          // Y diaeresis: upper form outside Latin-1
        {L"\u0400*", L"\u0450.cpp", 1},     // Cyrillic IE grave
        {L"\u0391\u0392", L"\u03B1\u03B2", 1}, // Greek
        {L"\u0410", L"\u0431", 0},          // Cyrillic A against be
        {L"*.\u0106PP", L"x.\u0107pp", 1},
    };
    expectCases(cases, std::size(cases), 0);
}

TEST(wildcardMatch, nullCountsAsEmpty)
{
    EXPECT_EQ(1, wildcardMatch(nullptr, nullptr, 1));
    EXPECT_EQ(1, wildcardMatch(L"*", nullptr, 0));
    EXPECT_EQ(0, wildcardMatch(L"a", nullptr, 1));
    EXPECT_EQ(0, wildcardMatch(nullptr, L"a", 1));
    EXPECT_EQ(1, wildcardMatch(nullptr, L"", 0));
}

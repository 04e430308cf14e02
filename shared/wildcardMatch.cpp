#include "shared/wildcardMatch.h"

#include <windows.h>

#include <cstddef>

namespace
{
// Letters outside ASCII: one system comparison, made only after the raw
// characters differed. The ordinal comparison without case is the one the
// file system uses for names: the system's simple case mapping, with no
// locale to look up.
bool equalWithoutCase(wchar_t a, wchar_t b) noexcept
{
    return CompareStringOrdinal(&a, 1, &b, 1, TRUE) == CSTR_EQUAL;
}

struct sameCase
{
    static bool equal(wchar_t a, wchar_t b) noexcept { return a == b; }
};

struct anyCase
{
    static bool equal(wchar_t a, wchar_t b) noexcept
    {
        if (a == b)
            return true;
        if ((a | b) < 0x80) {
            // Both ASCII: a case pair differs in bit 0x20 alone, and its
            // lower-case form is a letter.
            if ((a ^ b) != 0x20)
                return false;
            const wchar_t lower = static_cast<wchar_t>(a | 0x20);
            return lower >= L'a' && lower <= L'z';
        }
        if (a == L'\0' || b == L'\0')
            return false;
        return equalWithoutCase(a, b);
    }
};

enum class segmentResult
{
    wholeMatch,  // pattern and text ended together
    reachedStar, // the segment matched up to the next '*'
    textEnded,   // the text ended inside the segment: no later start can fit
    mismatch,
};

// Tries the pattern segment starting at pattern against the text at text;
// on reachedStar, length is the segment's length.
template <typename Compare>
segmentResult trySegment(const wchar_t* pattern, const wchar_t* text, std::size_t& length) noexcept
{
    for (std::size_t i = 0;; ++i) {
        const wchar_t p = pattern[i];
        const wchar_t t = text[i];
        if (p == L'\0')
            return t == L'\0' ? segmentResult::wholeMatch : segmentResult::mismatch;
        if (p == L'*') {
            length = i;
            return segmentResult::reachedStar;
        }
        if (Compare::equal(p, t))
            continue;
        if (t == L'\0')
            return segmentResult::textEnded;
        if (p == L'?' && t != L'.')
            continue;
        return segmentResult::mismatch;
    }
}

template <typename Compare>
int match(const wchar_t* pattern, const wchar_t* text) noexcept
{
    for (;;) {
        bool floating = false;
        while (*pattern == L'*') {
            floating = true;
            ++pattern;
        }
        for (;;) {
            std::size_t length = 0;
            const segmentResult result = trySegment<Compare>(pattern, text, length);
            if (result == segmentResult::wholeMatch)
                return 1;
            if (result == segmentResult::textEnded)
                return 0;
            if (result == segmentResult::reachedStar) {
                pattern += length;
                text += length;
                break;
            }
            // A mismatch: a segment after a '*' may start one character
            // later (a mismatch never happens where the text has ended).
            if (!floating)
                return 0;
            ++text;
        }
    }
}
} // namespace

int wildcardMatch(const wchar_t* pattern, const wchar_t* text, int caseSensitive) noexcept
{
    if (pattern == nullptr)
        pattern = L"";
    if (text == nullptr)
        text = L"";
    return caseSensitive != 0 ? match<sameCase>(pattern, text) : match<anyCase>(pattern, text);
}

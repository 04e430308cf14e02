#pragma once

// 1 when pattern matches the whole of text, else 0. '*' stands for any run
// of characters, none included; '?' for exactly one character that is not
// '.'; every other character for itself. With caseSensitive 0 letters are
// compared without case: ASCII letters by their own table, any other pair by
// the system's ordinal comparison without case (its simple case mapping, as
// for file names). Null counts as the empty text.
// Allocates nothing; a segment between stars is taken at the first text
// position where it matches, so the time is at most the product of the
// pattern and text lengths.
int wildcardMatch(const wchar_t* pattern, const wchar_t* text, int caseSensitive) noexcept;

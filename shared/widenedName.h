#pragma once

#include <cstddef>

// A narrow (ANSI code page) name widened for a filter test. Names of usual
// length are widened in place, so a test on them makes no heap call; a
// longer one takes a single block of the support heap.
class widenedName
{
public:
    // The text as it is; null counts as the empty text.
    explicit widenedName(const char* text) noexcept;
    // The composed class/method name (see composedName).
    widenedName(const char* className, const char* methodName) noexcept;
    ~widenedName();
    widenedName(const widenedName&) = delete;
    widenedName& operator=(const widenedName&) = delete;

    // Null when the name could not be built: memory ran out, or the text
    // could not be widened.
    const wchar_t* get() const noexcept { return text; }

    static constexpr std::size_t inlineCapacity = 512;

private:
    void widen(const char* narrow) noexcept;

    wchar_t inlineText[inlineCapacity];
    wchar_t* text = inlineText;
};

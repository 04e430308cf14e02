#pragma once

// A narrow (plain ASCII) argument widened; null stays null. Header only and
// without a runtime library (no zero fill, a frame under one page): the
// Microsoft-ABI caller uses it too.
struct widened
{
    static constexpr int capacity = 512;
    wchar_t text[capacity];
    const wchar_t* get;
    explicit widened(const char* narrow) : get(narrow != nullptr ? text : nullptr)
    {
        int i = 0;
        for (; narrow != nullptr && narrow[i] != '\0' && i < capacity - 1; ++i)
            text[i] = static_cast<wchar_t>(static_cast<unsigned char>(narrow[i]));
        text[i] = L'\0';
    }
};

#pragma once

#include <cstddef>
#include <string>

// The wide (UTF-16) string of the dialog framework and the settings store:
// dialog texts, and the texts that some store operations read into or write
// from. Header only, so the store has it without the dialog framework.
class CWideString
{
public:
    CWideString() = default;
    CWideString(const wchar_t* text) : value(text != nullptr ? text : L"") {}
    CWideString(const wchar_t* text, std::size_t length) : value(text, length) {}

    CWideString& operator=(const wchar_t* text)
    {
        value.assign(text != nullptr ? text : L"");
        return *this;
    }

    // Exactly length characters; no terminator is looked for.
    void assign(const wchar_t* text, std::size_t length) { value.assign(text, length); }

    int GetLength() const noexcept { return static_cast<int>(value.size()); }
    bool IsEmpty() const noexcept { return value.empty(); }
    void Empty() noexcept { value.clear(); }

    const wchar_t* GetString() const noexcept { return value.c_str(); }
    operator const wchar_t*() const noexcept { return value.c_str(); }

    CWideString& operator+=(const wchar_t* text)
    {
        if (text != nullptr)
            value.append(text);
        return *this;
    }
    CWideString& operator+=(wchar_t character)
    {
        value.push_back(character);
        return *this;
    }

    // Room for length characters and a terminator, for APIs that write into
    // a buffer; ReleaseBuffer then takes the text up to its terminator.
    wchar_t* GetBuffer(int length)
    {
        value.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        return value.data();
    }
    void ReleaseBuffer() { value.resize(std::char_traits<wchar_t>::length(value.c_str())); }

    friend bool operator==(const CWideString& left, const CWideString& right) noexcept
    {
        return left.value == right.value;
    }
    friend bool operator==(const CWideString& left, const wchar_t* right) noexcept
    {
        return left.value == (right != nullptr ? right : L"");
    }

private:
    std::wstring value;
};

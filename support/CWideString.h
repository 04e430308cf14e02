#pragma once

#include <cstddef>

// The wide (UTF-16) string of the dialog framework and the settings store:
// dialog texts, and the texts that some store operations read into or write
// from. Its characters live on the process heap. No operation throws. The
// checked operations (assign, append) say whether they completed; when one
// fails (memory ran out) the string keeps the text it had. The constructors
// and operators cannot say so: where a failure matters, use the checked
// forms, as the store does.
class CWideString
{
public:
    CWideString() noexcept = default;
    CWideString(const wchar_t* text) noexcept;
    // Exactly length characters; no terminator is looked for.
    CWideString(const wchar_t* text, std::size_t length) noexcept;
    CWideString(const CWideString& other) noexcept;
    CWideString(CWideString&& other) noexcept;
    ~CWideString();

    CWideString& operator=(const CWideString& other) noexcept;
    CWideString& operator=(CWideString&& other) noexcept;
    CWideString& operator=(const wchar_t* text) noexcept;

    // Null text gives the empty string, which always succeeds.
    [[nodiscard]] bool assign(const wchar_t* text) noexcept;
    // Exactly length characters; no terminator is looked for.
    [[nodiscard]] bool assign(const wchar_t* text, std::size_t length) noexcept;
    [[nodiscard]] bool assign(const CWideString& other) noexcept;
    [[nodiscard]] bool append(const wchar_t* text) noexcept;
    [[nodiscard]] bool append(wchar_t character) noexcept;

    CWideString& operator+=(const wchar_t* text) noexcept;
    CWideString& operator+=(wchar_t character) noexcept;

    int GetLength() const noexcept { return static_cast<int>(length); }
    bool IsEmpty() const noexcept { return length == 0; }
    void Empty() noexcept;

    // Never null: an empty string gives "".
    const wchar_t* GetString() const noexcept { return text != nullptr ? text : L""; }
    operator const wchar_t*() const noexcept { return GetString(); }

    // Room for length characters and a terminator, for APIs that write into
    // a buffer; ReleaseBuffer then takes the text up to its terminator. Null
    // when memory ran out; the string then keeps its text.
    [[nodiscard]] wchar_t* GetBuffer(int length) noexcept;
    void ReleaseBuffer() noexcept;

    friend bool operator==(const CWideString& left, const CWideString& right) noexcept
    {
        return left.length == right.length && equalCharacters(left, right.GetString());
    }
    friend bool operator==(const CWideString& left, const wchar_t* right) noexcept;

private:
    static bool equalCharacters(const CWideString& left, const wchar_t* right) noexcept;
    void release() noexcept;
    bool reserve(std::size_t characters) noexcept;

    wchar_t* text = nullptr;
    std::size_t length = 0;
    std::size_t capacity = 0; // characters, terminator not counted
};

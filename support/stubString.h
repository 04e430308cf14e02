#pragma once

#include <windows.h>

#include <cstddef>

// The support library's wide (UTF-16) string, held by value, its characters
// on the support heap. Narrow text is widened from the system's ANSI code
// page. No operation throws. The checked operations (assign, append) say
// whether they completed; when one fails (memory ran out, or narrow text
// could not be widened) the string keeps the text it had. The constructors
// and operators cannot say so: where a failure matters, use the checked
// forms.
class stubString
{
public:
    stubString() noexcept = default;
    explicit stubString(const wchar_t* text) noexcept;
    explicit stubString(const char* text) noexcept;
    stubString(const stubString& other) noexcept;
    stubString(stubString&& other) noexcept;
    ~stubString();

    stubString& operator=(const stubString& other) noexcept;
    stubString& operator=(stubString&& other) noexcept;
    stubString& operator=(const wchar_t* text) noexcept;
    stubString& operator=(const char* text) noexcept;

    // At most maxLength characters (bytes for narrow text), ending early at
    // a terminator: for text that need not be terminated where it ends. Null
    // and empty text give the empty string, which always succeeds.
    [[nodiscard]] bool assign(const wchar_t* text, std::size_t maxLength = maxCharacters) noexcept;
    [[nodiscard]] bool assign(const char* text, std::size_t maxLength = maxCharacters) noexcept;
    [[nodiscard]] bool assign(const stubString& other) noexcept;

    [[nodiscard]] bool append(const wchar_t* text) noexcept;
    [[nodiscard]] bool append(const stubString& other) noexcept;

    stubString& operator+=(const stubString& other) noexcept;
    stubString& operator+=(const wchar_t* text) noexcept;

    // Never null: an empty string gives "".
    const wchar_t* GetString() const noexcept { return text != nullptr ? text : L""; }
    operator const wchar_t*() const noexcept { return GetString(); }

    UINT32 GetLength() const noexcept { return length; }
    // The character at index, or 0 past the end.
    wchar_t GetAt(UINT32 index) const noexcept { return index < length ? text[index] : L'\0'; }
    int IsEmpty() const noexcept { return length == 0; }

    // Removes trailing white space, line ends included.
    void TrimRight() noexcept;

    // Case-sensitive; a null text equals the empty string.
    bool operator==(const wchar_t* other) const noexcept;

    static void* operator new(std::size_t size) noexcept;
    static void operator delete(void* memory) noexcept;

    static constexpr std::size_t maxCharacters = 0x7FFFFFFE;

private:
    friend struct exportedLayout; // checks the layout callers compile against

    void release() noexcept;
    bool reserve(std::size_t characters) noexcept;
    bool appendCharacters(const wchar_t* source, std::size_t count) noexcept;
    bool setCharacters(const wchar_t* source, std::size_t count) noexcept;

    wchar_t* text = nullptr;
    UINT32 length = 0;
    UINT32 capacity = 0; // characters, terminator not counted
};

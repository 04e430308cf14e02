#include "support/CWideString.h"

#include <windows.h>

#include <cwchar>
#include <utility>

CWideString::CWideString(const wchar_t* source) noexcept
{
    (void)assign(source); // a failed copy leaves the new string empty
}

CWideString::CWideString(const wchar_t* source, std::size_t count) noexcept
{
    (void)assign(source, count); // a failed copy leaves the new string empty
}

CWideString::CWideString(const CWideString& other) noexcept
{
    (void)assign(other); // a failed copy leaves the new string empty
}

CWideString::CWideString(CWideString&& other) noexcept
    : text(std::exchange(other.text, nullptr)),
      length(std::exchange(other.length, 0)),
      capacity(std::exchange(other.capacity, 0))
{
}

CWideString::~CWideString()
{
    release();
}

CWideString& CWideString::operator=(const CWideString& other) noexcept
{
    (void)assign(other); // on failure the string keeps its text
    return *this;
}

CWideString& CWideString::operator=(CWideString&& other) noexcept
{
    if (this != &other) {
        release();
        text = std::exchange(other.text, nullptr);
        length = std::exchange(other.length, 0);
        capacity = std::exchange(other.capacity, 0);
    }
    return *this;
}

CWideString& CWideString::operator=(const wchar_t* source) noexcept
{
    (void)assign(source); // on failure the string keeps its text
    return *this;
}

bool CWideString::assign(const wchar_t* source) noexcept
{
    return assign(source, source != nullptr ? std::wcslen(source) : 0);
}

// The source may lie inside this string's own storage: it moves into place
// before the old block, if any, is given up.
bool CWideString::assign(const wchar_t* source, std::size_t count) noexcept
{
    if (count == 0) {
        Empty();
        return true;
    }
    if (count <= capacity) {
        std::wmemmove(text, source, count);
    } else {
        CWideString copy;
        if (!copy.reserve(count))
            return false;
        std::wmemcpy(copy.text, source, count);
        std::swap(text, copy.text);
        std::swap(capacity, copy.capacity);
    }
    length = count;
    text[length] = L'\0';
    return true;
}

bool CWideString::assign(const CWideString& other) noexcept
{
    return this == &other || assign(other.text, other.length);
}

bool CWideString::append(const wchar_t* source) noexcept
{
    const std::size_t count = source != nullptr ? std::wcslen(source) : 0;
    if (count == 0)
        return true;
    // Appending the string to itself: the storage may move while it grows.
    const bool inside = text != nullptr && source >= text && source <= text + length;
    const std::size_t offset = inside ? static_cast<std::size_t>(source - text) : 0;
    if (!reserve(length + count))
        return false;
    std::wmemmove(text + length, inside ? text + offset : source, count);
    length += count;
    text[length] = L'\0';
    return true;
}

bool CWideString::append(wchar_t character) noexcept
{
    if (!reserve(length + 1))
        return false;
    text[length++] = character;
    text[length] = L'\0';
    return true;
}

CWideString& CWideString::operator+=(const wchar_t* source) noexcept
{
    (void)append(source); // on failure the string keeps its text
    return *this;
}

CWideString& CWideString::operator+=(wchar_t character) noexcept
{
    (void)append(character); // on failure the string keeps its text
    return *this;
}

void CWideString::Empty() noexcept
{
    length = 0;
    if (text != nullptr)
        text[0] = L'\0';
}

wchar_t* CWideString::GetBuffer(int wanted) noexcept
{
    const std::size_t count = wanted > 0 ? static_cast<std::size_t>(wanted) : 0;
    if (!reserve(count))
        return nullptr;
    if (count > length)
        std::wmemset(text + length, L'\0', count - length);
    length = count;
    text[length] = L'\0';
    return text;
}

void CWideString::ReleaseBuffer() noexcept
{
    length = text != nullptr ? std::wcslen(text) : 0;
}

// Every character counts, terminators within the text too.
bool CWideString::equalCharacters(const CWideString& left, const wchar_t* right) noexcept
{
    return std::wmemcmp(left.GetString(), right, left.length) == 0;
}

bool operator==(const CWideString& left, const wchar_t* right) noexcept
{
    const wchar_t* other = right != nullptr ? right : L"";
    return std::wcslen(other) == left.length && CWideString::equalCharacters(left, other);
}

void CWideString::release() noexcept
{
    if (text != nullptr)
        HeapFree(GetProcessHeap(), 0, text);
    text = nullptr;
    length = 0;
    capacity = 0;
}

// Keeps the text; grows to exactly what is asked, as strings here are
// mostly built once.
bool CWideString::reserve(std::size_t characters) noexcept
{
    if (characters <= capacity && text != nullptr)
        return true;
    if (characters >= SIZE_MAX / sizeof(wchar_t) - 1)
        return false;
    const SIZE_T bytes = (characters + 1) * sizeof(wchar_t);
    const HANDLE heap = GetProcessHeap();
    void* block = text != nullptr ? HeapReAlloc(heap, 0, text, bytes) : HeapAlloc(heap, 0, bytes);
    if (block == nullptr)
        return false;
    if (text == nullptr)
        static_cast<wchar_t*>(block)[0] = L'\0';
    text = static_cast<wchar_t*>(block);
    capacity = characters;
    return true;
}

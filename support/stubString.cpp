#include "support/stubString.h"

#include "support/CZeltrixStubObject.h"
#include "support/stubHeap.h"

#include <cwchar>
#include <cwctype>
#include <utility>

namespace
{
std::size_t boundedLength(const wchar_t* text, std::size_t maxLength) noexcept
{
    std::size_t n = 0;
    while (n < maxLength && text[n] != L'\0')
        ++n;
    return n;
}

std::size_t boundedLength(const char* text, std::size_t maxLength) noexcept
{
    std::size_t n = 0;
    while (n < maxLength && text[n] != '\0')
        ++n;
    return n;
}
} // namespace

stubString::stubString(const wchar_t* source) noexcept
{
    (void)assign(source); // a failed copy leaves the new string empty
}

stubString::stubString(const char* source) noexcept
{
    (void)assign(source); // a failed widening leaves the new string empty
}

stubString::stubString(const stubString& other) noexcept
{
    (void)appendCharacters(other.text, other.length); // a failed copy leaves the new string empty
}

stubString::stubString(stubString&& other) noexcept
    : text(std::exchange(other.text, nullptr)),
      length(std::exchange(other.length, 0)),
      capacity(std::exchange(other.capacity, 0))
{
}

stubString::~stubString()
{
    release();
}

stubString& stubString::operator=(const stubString& other) noexcept
{
    (void)assign(other); // on failure the string keeps its text
    return *this;
}

stubString& stubString::operator=(stubString&& other) noexcept
{
    if (this != &other) {
        release();
        text = std::exchange(other.text, nullptr);
        length = std::exchange(other.length, 0);
        capacity = std::exchange(other.capacity, 0);
    }
    return *this;
}

stubString& stubString::operator=(const wchar_t* source) noexcept
{
    (void)assign(source); // on failure the string keeps its text
    return *this;
}

stubString& stubString::operator=(const char* source) noexcept
{
    (void)assign(source); // on failure the string keeps its text
    return *this;
}

bool stubString::assign(const stubString& other) noexcept
{
    if (this == &other)
        return true;
    return setCharacters(other.text, other.length);
}

bool stubString::assign(const wchar_t* source, std::size_t maxLength) noexcept
{
    const std::size_t count = source != nullptr ? boundedLength(source, maxLength) : 0;
    // The source may lie inside this string's own storage.
    if (count != 0 && text != nullptr && source >= text && source <= text + length) {
        std::wmemmove(text, source, count);
        length = static_cast<UINT32>(count);
        text[length] = L'\0';
        return true;
    }
    return setCharacters(source, count);
}

// Widened into a string of its own first: a conversion that fails half way
// must not have overwritten this one.
bool stubString::assign(const char* source, std::size_t maxLength) noexcept
{
    const std::size_t bytes = source != nullptr ? boundedLength(source, maxLength) : 0;
    if (bytes == 0)
        return setCharacters(nullptr, 0);
    if (bytes > maxCharacters)
        return false;
    const int needed = MultiByteToWideChar(CP_ACP, 0, source, static_cast<int>(bytes), nullptr, 0);
    stubString widened;
    if (needed <= 0 || !widened.reserve(static_cast<std::size_t>(needed)))
        return false;
    const int written = MultiByteToWideChar(CP_ACP, 0, source, static_cast<int>(bytes), widened.text, needed);
    if (written <= 0)
        return false;
    widened.length = static_cast<UINT32>(written);
    widened.text[widened.length] = L'\0';
    *this = std::move(widened);
    return true;
}

bool stubString::append(const stubString& other) noexcept
{
    if (this == &other) {
        // The storage may move while it grows.
        const UINT32 count = length;
        if (count == 0 || count > maxCharacters - length || !reserve(std::size_t{length} + count))
            return count == 0;
        std::wmemcpy(text + length, text, count);
        length += count;
        text[length] = L'\0';
        return true;
    }
    return appendCharacters(other.text, other.length);
}

bool stubString::append(const wchar_t* source) noexcept
{
    if (source == nullptr)
        return true;
    if (text != nullptr && source >= text && source <= text + length) {
        const std::size_t offset = static_cast<std::size_t>(source - text);
        const std::size_t count = length - offset;
        if (count == 0)
            return true;
        if (count > maxCharacters - length || !reserve(length + count))
            return false;
        std::wmemcpy(text + length, text + offset, count);
        length += static_cast<UINT32>(count);
        text[length] = L'\0';
        return true;
    }
    return appendCharacters(source, std::wcslen(source));
}

stubString& stubString::operator+=(const stubString& other) noexcept
{
    (void)append(other); // on failure the string keeps its text
    return *this;
}

stubString& stubString::operator+=(const wchar_t* source) noexcept
{
    (void)append(source); // on failure the string keeps its text
    return *this;
}

void stubString::TrimRight() noexcept
{
    while (length > 0 && std::iswspace(text[length - 1]))
        --length;
    if (text != nullptr)
        text[length] = L'\0';
}

bool stubString::operator==(const wchar_t* other) const noexcept
{
    if (other == nullptr)
        return length == 0;
    return std::wcscmp(GetString(), other) == 0;
}

void* stubString::operator new(std::size_t size) noexcept
{
    return CZeltrixStubObject::operator new(size);
}

void stubString::operator delete(void* memory) noexcept
{
    CZeltrixStubObject::operator delete(memory);
}

void stubString::release() noexcept
{
    if (text != nullptr)
        oskHeapFree(getStubHeap(), 0, text);
    text = nullptr;
    length = 0;
    capacity = 0;
}

bool stubString::reserve(std::size_t characters) noexcept
{
    if (characters <= capacity && text != nullptr)
        return true;
    if (characters > maxCharacters)
        return false;
    std::size_t grown = characters;
    if (capacity != 0 && capacity < maxCharacters / 2 && grown < std::size_t{capacity} * 2)
        grown = std::size_t{capacity} * 2;
    const std::size_t bytes = (grown + 1) * sizeof(wchar_t);
    void* memory = text == nullptr ? oskHeapAlloc(0, bytes) : oskHeapReAlloc(0, text, bytes);
    if (memory == nullptr)
        return false;
    text = static_cast<wchar_t*>(memory);
    capacity = static_cast<UINT32>(grown);
    return true;
}

// Replaces the text with count characters from outside this string's
// storage; the empty text needs no memory.
bool stubString::setCharacters(const wchar_t* source, std::size_t count) noexcept
{
    if (count == 0 || source == nullptr) {
        length = 0;
        if (text != nullptr)
            text[0] = L'\0';
        return true;
    }
    if (count > maxCharacters || !reserve(count))
        return false;
    std::wmemcpy(text, source, count);
    length = static_cast<UINT32>(count);
    text[length] = L'\0';
    return true;
}

bool stubString::appendCharacters(const wchar_t* source, std::size_t count) noexcept
{
    if (count == 0 || source == nullptr)
        return true;
    if (count > maxCharacters - length || !reserve(length + count))
        return false;
    std::wmemcpy(text + length, source, count);
    length += static_cast<UINT32>(count);
    text[length] = L'\0';
    return true;
}

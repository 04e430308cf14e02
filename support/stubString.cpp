#include "support/stubString.h"

#include "support/CZeltrixStubObject.h"
#include "support/stubHeap.h"

#include <cwchar>
#include <cwctype>
#include <utility>

namespace
{
constexpr std::size_t maxCharacters = 0x7FFFFFFE;

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
    *this = source;
}

stubString::stubString(const char* source) noexcept
{
    *this = source;
}

stubString::stubString(const stubString& other) noexcept
{
    append(other.text, other.length);
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
    if (this != &other) {
        length = 0;
        append(other.text, other.length);
    }
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
    assign(source, maxCharacters);
    return *this;
}

stubString& stubString::operator=(const char* source) noexcept
{
    assign(source, maxCharacters);
    return *this;
}

void stubString::assign(const wchar_t* source, std::size_t maxLength) noexcept
{
    const std::size_t count = source != nullptr ? boundedLength(source, maxLength) : 0;
    // The source may lie inside this string's own storage.
    if (source != nullptr && text != nullptr && source >= text && source <= text + length) {
        std::wmemmove(text, source, count);
        length = static_cast<UINT32>(count);
        text[length] = L'\0';
        return;
    }
    length = 0;
    append(source, count);
}

void stubString::assign(const char* source, std::size_t maxLength) noexcept
{
    length = 0;
    if (text != nullptr)
        text[0] = L'\0';
    const std::size_t bytes = source != nullptr ? boundedLength(source, maxLength) : 0;
    if (bytes == 0 || bytes > maxCharacters)
        return;
    const int needed = MultiByteToWideChar(CP_ACP, 0, source, static_cast<int>(bytes), nullptr, 0);
    if (needed <= 0 || !reserve(static_cast<std::size_t>(needed)))
        return;
    const int written = MultiByteToWideChar(CP_ACP, 0, source, static_cast<int>(bytes), text, needed);
    length = written > 0 ? static_cast<UINT32>(written) : 0;
    text[length] = L'\0';
}

stubString& stubString::operator+=(const stubString& other) noexcept
{
    if (this == &other) {
        const stubString copy(other);
        append(copy.text, copy.length);
    } else {
        append(other.text, other.length);
    }
    return *this;
}

stubString& stubString::operator+=(const wchar_t* source) noexcept
{
    if (source != nullptr) {
        if (text != nullptr && source >= text && source <= text + length) {
            const stubString copy(source);
            append(copy.text, copy.length);
        } else {
            append(source, std::wcslen(source));
        }
    }
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

void stubString::append(const wchar_t* source, std::size_t count) noexcept
{
    if (count == 0 || source == nullptr) {
        if (text != nullptr)
            text[length] = L'\0';
        return;
    }
    if (count > maxCharacters - length || !reserve(length + count)) {
        length = 0;
        if (text != nullptr)
            text[0] = L'\0';
        return;
    }
    std::wmemcpy(text + length, source, count);
    length += static_cast<UINT32>(count);
    text[length] = L'\0';
}

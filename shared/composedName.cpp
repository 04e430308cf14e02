#include "shared/composedName.h"

#include "support/stubHeap.h"

#include <cstring>
#include <cwchar>

namespace
{
std::size_t textLength(const char* text) noexcept
{
    return std::strlen(text);
}

std::size_t textLength(const wchar_t* text) noexcept
{
    return std::wcslen(text);
}

template <typename Char>
constexpr Char objectName[] = {'O', 'b', 'j', 'e', 'c', 't', '\0'};

template <typename Char>
Char* copyText(Char* to, const Char* from, std::size_t length) noexcept
{
    for (std::size_t i = 0; i < length; ++i)
        to[i] = from[i];
    return to + length;
}
} // namespace

template <typename Char>
composedName<Char>::composedName(const Char* className, const Char* methodName) noexcept
{
    const Char* classPart = (className != nullptr && className[0] != 0) ? className : objectName<Char>;
    const std::size_t classLength = textLength(classPart);
    const std::size_t methodLength = methodName != nullptr ? textLength(methodName) : 0;
    const std::size_t total = classLength + (methodLength != 0 ? 2 + methodLength : 0);
    if (total >= inlineCapacity) {
        text = static_cast<Char*>(oskHeapAlloc(0, (total + 1) * sizeof(Char)));
        if (text == nullptr)
            return;
    }
    Char* end = copyText(text, classPart, classLength);
    if (methodLength != 0) {
        *end++ = ':';
        *end++ = ':';
        end = copyText(end, methodName, methodLength);
    }
    *end = 0;
}

template <typename Char>
composedName<Char>::~composedName()
{
    if (text != nullptr && text != inlineText)
        oskHeapFree(getStubHeap(), 0, text);
}

template class composedName<char>;
template class composedName<wchar_t>;

#pragma once

#include <cstddef>

// The name a class/method filter is matched against: the class name, or
// "Object" when it is null or empty, then "::" and the method name when one
// is given. Names of usual length are built in place; a longer one takes a
// single block of the support heap.
template <typename Char>
class composedName
{
public:
    composedName(const Char* className, const Char* methodName) noexcept;
    ~composedName();
    composedName(const composedName&) = delete;
    composedName& operator=(const composedName&) = delete;

    // Null only when a long name could not get its memory.
    const Char* get() const noexcept { return text; }

    // Ample for real names: a filter test on them makes no heap call.
    static constexpr std::size_t inlineCapacity = 512;

private:
    Char inlineText[inlineCapacity];
    Char* text = inlineText;
};

extern template class composedName<char>;
extern template class composedName<wchar_t>;

#pragma once

#include <windows.h>

#include <cstddef>

// Value names composed from a family or list name and an index, in a fixed
// buffer of Capacity characters (terminator included). A name that does not
// fit is marked as failed instead of being cut or overrunning the buffer.
template <std::size_t Capacity>
class fixedValueName
{
public:
    fixedValueName() noexcept { text[0] = L'\0'; }

    fixedValueName& append(const wchar_t* part) noexcept
    {
        if (part == nullptr) {
            fits = false;
            return *this;
        }
        for (; *part != L'\0'; ++part)
            push(*part);
        return *this;
    }

    fixedValueName& appendUnsigned(UINT32 number) noexcept
    {
        wchar_t digits[10];
        std::size_t n = 0;
        do {
            digits[n++] = static_cast<wchar_t>(L'0' + number % 10);
            number /= 10;
        } while (number != 0);
        while (n > 0)
            push(digits[--n]);
        return *this;
    }

    fixedValueName& appendSigned(int number) noexcept
    {
        if (number < 0) {
            push(L'-');
            return appendUnsigned(0u - static_cast<UINT32>(number));
        }
        return appendUnsigned(static_cast<UINT32>(number));
    }

    // False when a part was null or the name did not fit.
    bool ok() const noexcept { return fits; }
    const wchar_t* get() const noexcept { return text; }
    std::size_t length() const noexcept { return used; }

private:
    void push(wchar_t character) noexcept
    {
        if (!fits)
            return;
        if (used + 1 >= Capacity) {
            fits = false;
            return;
        }
        text[used++] = character;
        text[used] = L'\0';
    }

    wchar_t text[Capacity];
    std::size_t used = 0;
    bool fits = true;
};

// Buffer sizes, in characters with the terminator, that the store composes
// names in.
namespace valueNameCapacity
{
constexpr std::size_t family = 261;
constexpr std::size_t deletion = 264;
constexpr std::size_t dllMapRead = 40;
} // namespace valueNameCapacity

// The buffers the store enumerates a key's values with: a value whose name
// (in characters, terminator included) or data (in bytes) is longer is
// skipped.
namespace enumerationBuffer
{
constexpr DWORD collectName = 260; // collectValueNames
constexpr DWORD collectData = 520;
constexpr DWORD pairCountName = 520; // the DLL map's count of pair halves
constexpr DWORD pairCountData = 1040;
} // namespace enumerationBuffer

#pragma once

#include <windows.h>

#include <cstddef>
#include <iterator>

// The profiler's key, HKEY_CURRENT_USER\Software\OstraVell\Korvanex64: the
// levels below the root, outermost first, each opened or created in turn.
inline constexpr const wchar_t* productKeyLevels[] = {L"Software", L"OstraVell", L"Korvanex64"};
inline constexpr std::size_t productKeyLevelCount = std::size(productKeyLevels);
inline constexpr const wchar_t productKeyRootName[] = L"HKEY_CURRENT_USER";

enum class keyAccess
{
    read,
    readWrite,
};

// The callers' mode: 1 asks for reading and writing, every other value for
// reading only.
[[nodiscard]] constexpr keyAccess keyAccessFromMode(int mode) noexcept
{
    return mode == 1 ? keyAccess::readWrite : keyAccess::read;
}

struct productKeyOpening
{
    LSTATUS code = ERROR_SUCCESS; // of the last call made
    std::size_t levelsTried = 0;  // the failed level included
};

// Creates or opens each level under the one before, with the same rights at
// every level, into its slot (outermost first); stops at the first failure,
// whose slot keeps what it held. Closes nothing: the caller owns the slots.
[[nodiscard]] productKeyOpening openProductKeyLevels(keyAccess access,
                                                     HKEY* const (&slots)[productKeyLevelCount]) noexcept;

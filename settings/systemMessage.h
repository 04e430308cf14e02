#pragma once

#include "support/uniqueHandle.h"

#include <windows.h>

// The system's text for a Win32 error code, exactly as FormatMessage gives it
// (with its own line end), in a buffer the system allocated.
//
// The text is asked for in the given language, by default the user's. A user
// whose language has no system texts installed would get none at all, so
// after any failure but "no text for the code" the system is asked again
// with language 0, its own order of languages, which ends in US English.
template <typename Char>
class systemMessage
{
public:
    static constexpr DWORD userDefaultLanguage = LANG_USER_DEFAULT;

    explicit systemMessage(DWORD errorCode, DWORD languageId = userDefaultLanguage) noexcept;

    // Null when the system has no text for the code.
    const Char* text() const noexcept { return static_cast<const Char*>(buffer.get()); }

private:
    uniqueLocalMemory buffer;
};

extern template class systemMessage<char>;
extern template class systemMessage<wchar_t>;

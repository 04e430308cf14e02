#include "app/dialogCaption.h"

#include <cwchar>

CWideString dialogCaption(const wchar_t* modulePath)
{
    const wchar_t* backslash = std::wcsrchr(modulePath, L'\\');
    const wchar_t* name = backslash != nullptr ? backslash + 1 : modulePath;
    const wchar_t* dot = std::wcsrchr(name, L'.');
    CWideString caption(name, dot != nullptr ? static_cast<std::size_t>(dot - name) : std::wcslen(name));
    caption += L" x64";
    return caption;
}

#include "testSupport/winePath.h"

std::wstring windowsPathOf(const char* unixPath)
{
    std::wstring path = unixPath[0] == '/' ? L"Z:" : L"";
    for (const char* at = unixPath; *at != '\0'; ++at)
        path += *at == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*at));
    return path;
}

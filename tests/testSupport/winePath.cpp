#include "testSupport/winePath.h"

#include <windows.h>

#include <algorithm>

std::wstring windowsPathOf(const char* unixPath)
{
    // CMake hands out build paths as UTF-8.
    wchar_t path[4 * MAX_PATH] = L"Z:";
    const int drive = unixPath[0] == '/' ? 2 : 0;
    MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, path + drive, 4 * MAX_PATH - drive);
    std::replace(path, path + lstrlenW(path), L'/', L'\\');
    return path;
}

#include "app/defaultLogFile.h"

#include "support/moduleFunction.h"
#include "support/uniqueHandle.h"

#include <windows.h>

#include <shlobj.h>

#include <cwchar>

namespace
{
constexpr std::size_t folderCapacity = MAX_PATH + 1;
constexpr std::size_t cacheCapacity = MAX_PATH;

// Both zero data before start-up: the folder buffer is rebuilt by every
// call, the cache is filled once.
wchar_t appDataFolder[folderCapacity];
wchar_t defaultLogFileCache[cacheCapacity];

using shGetFolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);

void findAppDataFolder()
{
    // Looked up at run time: the program does not import shell32, so that
    // its start does not pay for it. Pinned once loaded, as the file chooser
    // pins comdlg32: the shell may keep work of its own going in it.
    const uniqueModule loaded(LoadLibraryW(L"Shell32.dll"));
    HMODULE shell = nullptr;
    if (!loaded || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, L"Shell32.dll", &shell))
        return;
    const auto function = moduleFunction<shGetFolderPathFunction>(shell, "SHGetFolderPathW");
    if (function != nullptr)
        (void)function(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appDataFolder);
}

const wchar_t* emptied()
{
    appDataFolder[0] = L'\0';
    return appDataFolder;
}
} // namespace

bool appendPathPart(wchar_t* buffer, std::size_t capacity, pathSeparator separator, const wchar_t* text)
{
    const std::size_t length = std::wcslen(buffer);
    const bool addSeparator =
        separator == pathSeparator::always || length == 0 || buffer[length - 1] != L'\\';
    const std::size_t needed = length + (addSeparator ? 1 : 0) + std::wcslen(text) + 1;
    if (needed > capacity)
        return false;
    wchar_t* end = buffer + length;
    if (addSeparator)
        *end++ = L'\\';
    std::wcscpy(end, text);
    return true;
}

const wchar_t* getAppDataFolder(const wchar_t* fileName)
{
    emptied();
    findAppDataFolder();
    if (appDataFolder[0] == L'\0')
        return appDataFolder;

    // A path that would pass the buffer is not offered at all: a cut one
    // would name some other file.
    if (!appendPathPart(appDataFolder, folderCapacity, pathSeparator::always, L"Ostra Vell"))
        return emptied();
    (void)CreateDirectoryW(appDataFolder, nullptr); // an existing folder is fine
    if (!appendPathPart(appDataFolder, folderCapacity, pathSeparator::unlessPresent, L"Korvane x64"))
        return emptied();
    (void)CreateDirectoryW(appDataFolder, nullptr);
    if (fileName != nullptr &&
        !appendPathPart(appDataFolder, folderCapacity, pathSeparator::unlessPresent, fileName))
        return emptied();
    return appDataFolder;
}

CWideString getDefaultLogFileName()
{
    if (defaultLogFileCache[0] == L'\0') {
        const wchar_t* path = getAppDataFolder(L"korLogUI_x64.txt");
        // The cache holds 259 characters and the terminator; a longer path
        // stays unoffered, as when the folder cannot be found.
        if (std::wcslen(path) < cacheCapacity)
            std::wcscpy(defaultLogFileCache, path);
    }
    return CWideString(defaultLogFileCache);
}

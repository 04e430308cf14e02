#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <string>

// The maker's folder of the default log file, spelled out from the user's
// application-data folder.
inline std::wstring makerFolder()
{
    wchar_t appData[MAX_PATH] = {};
    EXPECT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData));
    return std::wstring(appData) + L"\\Ostra Vell";
}

inline std::wstring profilerFolder()
{
    return makerFolder() + L"\\Korvane x64";
}

inline std::wstring defaultLogFilePath()
{
    return profilerFolder() + L"\\korLogUI_x64.txt";
}

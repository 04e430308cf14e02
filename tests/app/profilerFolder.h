#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <string>

// The maker's folder of the default log file, spelled out from the user's
// application-data folder; the profiler's folder is "Korvane x64" in it.
inline std::wstring makerFolder()
{
    wchar_t appData[MAX_PATH] = {};
    EXPECT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData));
    return std::wstring(appData) + L"\\Ostra Vell";
}

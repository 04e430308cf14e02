#pragma once

#include "resources/resource.h"

#include <windows.h>

// The logging options as the profiler and the user meet them, written out by
// hand: the registry value, in the order the dialog reads and writes them,
// the control that shows it (0: none) and the state Reset gives its box. The
// options table is held to this list; every other test takes the options
// from the table. A new option is one more row here.
struct uiLoggerValue
{
    const wchar_t* name;
    int controlId;
    UINT resetCheck; // boxes only
};

inline constexpr const wchar_t* enabledName = L"uiLogger::enabled";
inline constexpr const wchar_t* fileNameName = L"uiLogger::fileName";
inline constexpr const wchar_t* writeNewFileName = L"uiLogger::writeNewFile";
inline constexpr const wchar_t* launchErrorsName = L"uiLogger::monitorLaunchErrorCodes";
inline constexpr const wchar_t* receiveCommName = L"uiLogger::monitorUiReceiveComm";
inline constexpr const wchar_t* autoMergeName = L"uiLogger::monitorAutoMerge";

inline constexpr uiLoggerValue uiLoggerValues[] = {
    {enabledName, IDC_ENABLE_LOGGING, BST_UNCHECKED},
    {fileNameName, IDC_LOGFILE_EDIT, 0},
    {writeNewFileName, IDC_WRITE_NEW_FILE, BST_CHECKED},
    {launchErrorsName, IDC_MONITOR_LAUNCH_ERRORS, BST_CHECKED},
    {receiveCommName, IDC_MONITOR_UI_RECEIVE_COMM, BST_CHECKED},
    {autoMergeName, 0, 0},
};

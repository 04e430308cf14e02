#pragma once

#include "resources/resource.h"
#include "support/CWideString.h"

#include <windows.h>

// The six user-interface logging values between reading and writing. The
// integers are read and written as 4-byte values.
struct uiLoggerSettingsRecord
{
    int enabled = 0;
    CWideString fileName;
    int writeNewFile = 0;
    int monitorLaunchErrorCodes = 0;
    int monitorUiReceiveComm = 0;
    int monitorAutoMerge = 0;
};

// The six logging options, declared once: each option's registry value,
// its field of the record above, the control that shows it and the state a
// reset gives that control. A new option is a field above and a row below
// (with its control id and its control in the dialog template). Reading, writing, showing, resetting and saving
// all walk this table, in this order, which is also the order of the
// registry calls.
struct uiLoggerOption
{
    enum class kind
    {
        text, // the log file's name, in the edit box
        flag, // a 4-byte integer, in a check box
    };

    const wchar_t* valueName;
    kind type;
    CWideString uiLoggerSettingsRecord::*text; // text only
    int uiLoggerSettingsRecord::*flag;         // flags only
    int controlId;                             // 0: not shown in the dialog
    UINT resetCheck;                           // shown flags only; the text resets to the default log file
};

inline constexpr uiLoggerOption uiLoggerOptions[] = {
    {L"uiLogger::enabled", uiLoggerOption::kind::flag, nullptr, &uiLoggerSettingsRecord::enabled,
     IDC_ENABLE_LOGGING, BST_UNCHECKED},
    {L"uiLogger::fileName", uiLoggerOption::kind::text, &uiLoggerSettingsRecord::fileName, nullptr,
     IDC_LOGFILE_EDIT, 0},
    {L"uiLogger::writeNewFile", uiLoggerOption::kind::flag, nullptr, &uiLoggerSettingsRecord::writeNewFile,
     IDC_WRITE_NEW_FILE, BST_CHECKED},
    {L"uiLogger::monitorLaunchErrorCodes", uiLoggerOption::kind::flag, nullptr,
     &uiLoggerSettingsRecord::monitorLaunchErrorCodes, IDC_MONITOR_LAUNCH_ERRORS, BST_CHECKED},
    {L"uiLogger::monitorUiReceiveComm", uiLoggerOption::kind::flag, nullptr,
     &uiLoggerSettingsRecord::monitorUiReceiveComm, IDC_MONITOR_UI_RECEIVE_COMM, BST_CHECKED},
    {L"uiLogger::monitorAutoMerge", uiLoggerOption::kind::flag, nullptr, &uiLoggerSettingsRecord::monitorAutoMerge,
     0, 0},
};

#pragma once

#include "support/CWideString.h"

class readWriteSettings;

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

// The process-wide record; defined in the program's table of process objects.
extern uiLoggerSettingsRecord uiLoggerSettings;

// Reads the six values into uiLoggerSettings; a value that cannot be read
// leaves its field as it was.
void readUiLoggerSettings(readWriteSettings& store);

// Writes the six values from uiLoggerSettings, always all six and in their
// fixed order; 1 when every write succeeded, 0 when one failed.
[[nodiscard]] int writeUiLoggerSettings(readWriteSettings& store);

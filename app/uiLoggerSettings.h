#pragma once

#include "app/uiLoggerOptions.h"

class readWriteSettings;

// The process-wide record; defined in the program's table of process objects.
extern uiLoggerSettingsRecord uiLoggerSettings;

// Reads the six values into uiLoggerSettings; a value that cannot be read
// leaves its field as it was.
void readUiLoggerSettings(readWriteSettings& store);

// Writes the six values from uiLoggerSettings, always all six and in their
// fixed order; 1 when every write succeeded, 0 when one failed.
[[nodiscard]] int writeUiLoggerSettings(readWriteSettings& store);

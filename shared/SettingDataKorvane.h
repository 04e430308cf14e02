#pragma once

#include "settings/SettingData.h"
#include "shared/sharedSettingsApi.h"

// Settings of the profiler's Korvane side: whether a memory-mapped file of
// function data has been opened, as some other program of the family wrote
// it to the product key.
class SettingDataKorvane : public SettingData
{
public:
    KORVANEX_SHARED_API SettingDataKorvane();
    KORVANEX_SHARED_API ~SettingDataKorvane();

    // Reads "memoryMappedFileHasBeenOpenedFunctions" into the member; the
    // member keeps its value when the key or the value cannot be read. 1 or 0.
    KORVANEX_SHARED_API int readMemoryMappedFileHasBeenOpened(const wchar_t* logPath);

    int memoryMappedFileHasBeenOpenedFunctions = 0;
};

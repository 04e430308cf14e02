#pragma once

#include "settings/SettingData.h"
#include "shared/sharedSettingsApi.h"

// Settings of the profiler's Qexal side: remembers in the product key that a
// memory-mapped file has been opened. The caller owns the object and sets
// memoryMappedFileHasBeenOpened before a write.
class SettingDataQexal : public SettingData
{
public:
    KORVANEX_SHARED_API SettingDataQexal();
    KORVANEX_SHARED_API ~SettingDataQexal();

    // Writes memoryMappedFileHasBeenOpened as a REG_DWORD when write is
    // non-zero (write 0: nothing is opened or written, result 1). The last
    // argument is not used. 1 when the key opened, the value was written and
    // every key closed.
    KORVANEX_SHARED_API int writeMemoryMappedFileHasBeenOpened(const wchar_t* logPath, int write, int unused);

    // Reads the value into memoryMappedFileHasBeenOpened; the member keeps
    // its value when the key or the value cannot be read. 1 or 0.
    KORVANEX_SHARED_API int readMemoryMappedFileHasBeenOpened(const wchar_t* logPath);

    int memoryMappedFileHasBeenOpened = 0;
};

#include "shared/constructorThunks.h"

#include "shared/MemoryData.h"
#include "shared/SettingDataKorvane.h"
#include "shared/SettingDataQexal.h"

#include <new>

MemoryData* korvanexConstructMemoryData(MemoryData* self) noexcept
{
    return ::new (static_cast<void*>(self)) MemoryData;
}

SettingDataQexal* korvanexConstructSettingDataQexal(SettingDataQexal* self) noexcept
{
    return ::new (static_cast<void*>(self)) SettingDataQexal;
}

SettingDataKorvane* korvanexConstructSettingDataKorvane(SettingDataKorvane* self) noexcept
{
    return ::new (static_cast<void*>(self)) SettingDataKorvane;
}

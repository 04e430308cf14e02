// Never run, only compiled: once by the Microsoft-ABI front end and once by
// ours. Each function below calls exactly one exported symbol from a section
// named after the entry, so the two objects' relocations pair Microsoft's
// decorated name with the symbol it must resolve to. The names thus follow
// the declarations in the public header whenever they change.
#include "shared/sharedSettings.h"

#if !defined(_MSC_VER)
#include "shared/constructorThunks.h"
#endif

#include <new>

#define KORVANEX_EXPORT_ENTRY(key) extern "C" __attribute__((section(".kxname$" #key), used)) void key(void* p)

namespace
{
template <typename T>
T* as(void* p)
{
    return static_cast<T*>(p);
}

const char* const narrow = nullptr;
const wchar_t* const wide = nullptr;
} // namespace

KORVANEX_EXPORT_ENTRY(loadProfilerTracingSettings)
{
    (void)as<MemoryData>(p)->loadProfilerTracingSettings(*as<_profilerHookDebugData>(p));
}
KORVANEX_EXPORT_ENTRY(hasCollectorsAndFilters) { (void)as<MemoryData>(p)->hasCollectorsAndFilters(); }
KORVANEX_EXPORT_ENTRY(hasLineTimingFilters) { (void)as<MemoryData>(p)->hasLineTimingFilters(); }
KORVANEX_EXPORT_ENTRY(isFileNameClassMethodFilteredNarrow)
{
    (void)as<MemoryData>(p)->isFileNameClassMethodFiltered(narrow, 0, narrow, narrow, 0);
}
KORVANEX_EXPORT_ENTRY(isFileNameClassMethodFilteredWide)
{
    (void)as<MemoryData>(p)->isFileNameClassMethodFiltered(wide, 0, wide, wide, 0);
}
KORVANEX_EXPORT_ENTRY(isLineTimingClassMethodFilteredNarrow)
{
    (void)as<MemoryData>(p)->isLineTimingClassMethodFiltered(narrow, narrow, 0);
}
KORVANEX_EXPORT_ENTRY(isLineTimingClassMethodFilteredWide)
{
    (void)as<MemoryData>(p)->isLineTimingClassMethodFiltered(wide, wide, 0);
}
KORVANEX_EXPORT_ENTRY(isLineTimingClassMethodFilteredName)
{
    (void)as<MemoryData>(p)->isLineTimingClassMethodFiltered(wide);
}
KORVANEX_EXPORT_ENTRY(writeQexalFlag) { (void)as<SettingDataQexal>(p)->writeMemoryMappedFileHasBeenOpened(wide, 0, 0); }
KORVANEX_EXPORT_ENTRY(readQexalFlag) { (void)as<SettingDataQexal>(p)->readMemoryMappedFileHasBeenOpened(wide); }
KORVANEX_EXPORT_ENTRY(readKorvaneFlag) { (void)as<SettingDataKorvane>(p)->readMemoryMappedFileHasBeenOpened(wide); }
KORVANEX_EXPORT_ENTRY(addToList) { (void)as<stubStringList>(p)->add(wide); }
KORVANEX_EXPORT_ENTRY(removeAllFromList) { as<stubStringList>(p)->removeAll(); }
KORVANEX_EXPORT_ENTRY(destroyMemoryData) { as<MemoryData>(p)->~MemoryData(); }
KORVANEX_EXPORT_ENTRY(destroySettingDataQexal) { as<SettingDataQexal>(p)->~SettingDataQexal(); }
KORVANEX_EXPORT_ENTRY(destroySettingDataKorvane) { as<SettingDataKorvane>(p)->~SettingDataKorvane(); }

// Microsoft's constructors return the object, ours do not: theirs resolve
// to the thunks.
#if defined(_MSC_VER)
KORVANEX_EXPORT_ENTRY(constructMemoryData) { ::new (p) MemoryData; }
KORVANEX_EXPORT_ENTRY(constructSettingDataQexal) { ::new (p) SettingDataQexal; }
KORVANEX_EXPORT_ENTRY(constructSettingDataKorvane) { ::new (p) SettingDataKorvane; }
#else
KORVANEX_EXPORT_ENTRY(constructMemoryData) { (void)korvanexConstructMemoryData(as<MemoryData>(p)); }
KORVANEX_EXPORT_ENTRY(constructSettingDataQexal) { (void)korvanexConstructSettingDataQexal(as<SettingDataQexal>(p)); }
KORVANEX_EXPORT_ENTRY(constructSettingDataKorvane)
{
    (void)korvanexConstructSettingDataKorvane(as<SettingDataKorvane>(p));
}
#endif

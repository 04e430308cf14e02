// Never run, only compiled: once by the Microsoft-ABI front end and once by
// ours. Each function below calls exactly one exported symbol from a section
// named after the entry, so the two objects' relocations pair Microsoft's
// decorated name with the symbol it must resolve to. The names thus follow
// the declarations in the public header whenever they change. Every member
// the shared objects export needs an entry here: the build stops, naming
// the member, when one has none.
#include "shared/sharedSettings.h"

#if !defined(_MSC_VER)
#include "shared/constructorThunks.h"
#endif

#include <new>

#define KORVANEX_EXPORT_ENTRY(key) extern "C" __attribute__((section(".kxname$" #key), used)) void key(void* p)
// Our compilation only: the exported member that entry key stands for where
// its Microsoft name resolves to something else, or where it has none.
#define KORVANEX_EXPORT_MEMBER(key)                                                                                 \
    extern "C" __attribute__((section(".kxmember$" #key), used)) void key##Member(void* p)

// Constants, not variables, and no helper functions: each entry must
// reference nothing but its call, whatever the optimisation.
constexpr const char* narrow = nullptr;
constexpr const wchar_t* wide = nullptr;

KORVANEX_EXPORT_ENTRY(loadProfilerTracingSettings)
{
    (void)static_cast<MemoryData*>(p)->loadProfilerTracingSettings(*static_cast<_profilerHookDebugData*>(p));
}
KORVANEX_EXPORT_ENTRY(hasCollectorsAndFilters) { (void)static_cast<MemoryData*>(p)->hasCollectorsAndFilters(); }
KORVANEX_EXPORT_ENTRY(hasLineTimingFilters) { (void)static_cast<MemoryData*>(p)->hasLineTimingFilters(); }
KORVANEX_EXPORT_ENTRY(isFileNameClassMethodFilteredNarrow)
{
    (void)static_cast<MemoryData*>(p)->isFileNameClassMethodFiltered(narrow, 0, narrow, narrow, 0);
}
KORVANEX_EXPORT_ENTRY(isFileNameClassMethodFilteredWide)
{
    (void)static_cast<MemoryData*>(p)->isFileNameClassMethodFiltered(wide, 0, wide, wide, 0);
}
KORVANEX_EXPORT_ENTRY(isLineTimingClassMethodFilteredNarrow)
{
    (void)static_cast<MemoryData*>(p)->isLineTimingClassMethodFiltered(narrow, narrow, 0);
}
KORVANEX_EXPORT_ENTRY(isLineTimingClassMethodFilteredWide)
{
    (void)static_cast<MemoryData*>(p)->isLineTimingClassMethodFiltered(wide, wide, 0);
}
KORVANEX_EXPORT_ENTRY(isLineTimingClassMethodFilteredName)
{
    (void)static_cast<MemoryData*>(p)->isLineTimingClassMethodFiltered(wide);
}
KORVANEX_EXPORT_ENTRY(writeQexalFlag)
{
    (void)static_cast<SettingDataQexal*>(p)->writeMemoryMappedFileHasBeenOpened(wide, 0, 0);
}
KORVANEX_EXPORT_ENTRY(readQexalFlag)
{
    (void)static_cast<SettingDataQexal*>(p)->readMemoryMappedFileHasBeenOpened(wide);
}
KORVANEX_EXPORT_ENTRY(readKorvaneFlag)
{
    (void)static_cast<SettingDataKorvane*>(p)->readMemoryMappedFileHasBeenOpened(wide);
}
KORVANEX_EXPORT_ENTRY(addToList) { (void)static_cast<stubStringList*>(p)->add(wide); }
KORVANEX_EXPORT_ENTRY(removeAllFromList) { static_cast<stubStringList*>(p)->removeAll(); }
KORVANEX_EXPORT_ENTRY(destroyMemoryData) { static_cast<MemoryData*>(p)->~MemoryData(); }
KORVANEX_EXPORT_ENTRY(destroySettingDataQexal) { static_cast<SettingDataQexal*>(p)->~SettingDataQexal(); }
KORVANEX_EXPORT_ENTRY(destroySettingDataKorvane) { static_cast<SettingDataKorvane*>(p)->~SettingDataKorvane(); }

// Microsoft's constructors return the object, ours do not: theirs resolve
// to the thunks.
#if defined(_MSC_VER)
KORVANEX_EXPORT_ENTRY(constructMemoryData) { ::new (p) MemoryData; }
KORVANEX_EXPORT_ENTRY(constructSettingDataQexal) { ::new (p) SettingDataQexal; }
KORVANEX_EXPORT_ENTRY(constructSettingDataKorvane) { ::new (p) SettingDataKorvane; }
#else
KORVANEX_EXPORT_MEMBER(constructMemoryData) { ::new (p) MemoryData; }
KORVANEX_EXPORT_MEMBER(constructSettingDataQexal) { ::new (p) SettingDataQexal; }
KORVANEX_EXPORT_MEMBER(constructSettingDataKorvane) { ::new (p) SettingDataKorvane; }
KORVANEX_EXPORT_ENTRY(constructMemoryData) { (void)korvanexConstructMemoryData(static_cast<MemoryData*>(p)); }
KORVANEX_EXPORT_ENTRY(constructSettingDataQexal)
{
    (void)korvanexConstructSettingDataQexal(static_cast<SettingDataQexal*>(p));
}
KORVANEX_EXPORT_ENTRY(constructSettingDataKorvane)
{
    (void)korvanexConstructSettingDataKorvane(static_cast<SettingDataKorvane*>(p));
}
#endif

// A Microsoft-built caller never owns a filter list by itself, only inside a
// MemoryData, whose constructor and destructor make and end it: the list's
// own are exported under our names alone.
#if !defined(_MSC_VER)
KORVANEX_EXPORT_MEMBER(constructStubStringList) { ::new (p) stubStringList; }
KORVANEX_EXPORT_MEMBER(destroyStubStringList) { static_cast<stubStringList*>(p)->~stubStringList(); }
#endif

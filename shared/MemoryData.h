#pragma once

#include "settings/SettingData.h"
#include "shared/profilerHookDebugData.h"
#include "shared/sharedSettingsApi.h"
#include "shared/stubStringList.h"

// The profiler's collector settings: its collector filters, which code outside
// the program fills and the exported tests only read, and the hook's tracing
// options loaded from the product key. A filter test answers 1 for filtered.
// The tests take no lock: the owner must not change the lists while a test
// runs on another thread.
class MemoryData : public SettingData
{
public:
    KORVANEX_SHARED_API MemoryData();
    KORVANEX_SHARED_API ~MemoryData();

    // Reads the twelve tracing values into profilerHookDebugData, then copies
    // that record to out. 1 when the product key could be opened; 0 leaves
    // out untouched. A missing value is no failure: the text becomes empty,
    // an integer keeps the value of the previous load (or construction).
    KORVANEX_SHARED_API int loadProfilerTracingSettings(_profilerHookDebugData& out);

    // 1 when collectors, classMethodFilters or fileNameFilters has an entry.
    KORVANEX_SHARED_API int hasCollectorsAndFilters() const;
    KORVANEX_SHARED_API int hasLineTimingFilters() const;

    // 1 when the class/method filters or the file-name filters filter the
    // function. The int arguments are not used.
    KORVANEX_SHARED_API int isFileNameClassMethodFiltered(const char* fileName, int unused1, const char* className,
                                                          const char* methodName, int unused2);
    KORVANEX_SHARED_API int isFileNameClassMethodFiltered(const wchar_t* fileName, int unused1,
                                                          const wchar_t* className, const wchar_t* methodName,
                                                          int unused2);

    // 1 when lineTimingFilters, as wildcard patterns in the sense of
    // classMethodFilterMode, filter the function. The int is not used.
    KORVANEX_SHARED_API int isLineTimingClassMethodFiltered(const char* className, const char* methodName,
                                                            int unused);
    KORVANEX_SHARED_API int isLineTimingClassMethodFiltered(const wchar_t* className, const wchar_t* methodName,
                                                            int unused);

    // Compares name with the lineTimingFilters entries as plain names, in the
    // sense of lineTimingFilterMode. A null name is filtered.
    KORVANEX_SHARED_API int isLineTimingClassMethodFiltered(const wchar_t* name);

    // In this order; filled by the owner.
    stubStringList collectors;
    int classMethodFilterMode = 0;
    stubStringList classMethodFilters;
    int lineTimingFilterMode = 0;
    stubStringList lineTimingFilters;
    int fileNameFilterMode = 0;
    stubStringList fileNameFilters;

    // Kept from one load to the next.
    _profilerHookDebugData profilerHookDebugData{};

private:
    int classVerdict(const wchar_t* composedName) const noexcept;
    int fileVerdict(const wchar_t* fileName) const noexcept;
    int lineTimingVerdict(const wchar_t* composedName) const noexcept;
    bool fileFilterActive() const noexcept;
};

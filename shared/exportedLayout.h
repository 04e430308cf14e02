#pragma once

// The memory layout of the objects that callers outside the program own and
// hand to the exported members. Programs built last month read these fields
// at these offsets, so the figures are recorded here for each ABI that builds
// callers (GCC's and Microsoft's) and checked by every compiler that reads
// this header: a moved, added, removed or retyped member stops the build,
// naming the class and the member. Changing a figure here is a new major
// version of the DLL.
#include "shared/MemoryData.h"
#include "shared/SettingDataKorvane.h"
#include "shared/SettingDataQexal.h"
#include "shared/stubStringList.h"
#include "settings/SettingData.h"
#include "support/stubCriticalSection.h"
#include "support/stubString.h"

#include <windows.h>

#include <cstddef>
#include <type_traits>

#if defined(_MSC_VER)
#define KORVANEX_LAYOUT_FIGURE(microsoft, gnu) microsoft
#else
#define KORVANEX_LAYOUT_FIGURE(microsoft, gnu) gnu
#endif

// One member: its type, then its offset for Microsoft's ABI and for GCC's.
#define KORVANEX_LAYOUT_MEMBER(owner, member, type, microsoft, gnu)                                              \
    static_assert(std::is_same_v<decltype(owner::member), type>, "layout: " #owner "::" #member " changed type"); \
    static_assert(offsetof(owner, member) == KORVANEX_LAYOUT_FIGURE(microsoft, gnu),                              \
                  "layout: " #owner "::" #member " moved (a member before it was added, removed or resized)")

// The whole object: size (Microsoft's, GCC's) and alignment. A member added
// after the last one changes the size.
#define KORVANEX_LAYOUT_SIZE(owner, microsoft, gnu, alignment)                                                    \
    static_assert(sizeof(owner) == KORVANEX_LAYOUT_FIGURE(microsoft, gnu),                                        \
                  "layout: the size of " #owner " changed (a member was added, removed or resized)");             \
    static_assert(alignof(owner) == (alignment), "layout: the alignment of " #owner " changed")

// offsetof on classes with a base or a virtual table is what is meant here:
// both compilers give the offsets that callers compiled by them use.
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif

// A friend of each class it checks, so that private members are checked too.
struct exportedLayout
{
    static_assert(sizeof(void*) == 8 && sizeof(int) == 4 && sizeof(wchar_t) == 2, "layout: a 64-bit Windows ABI");

    KORVANEX_LAYOUT_MEMBER(stubString, text, wchar_t*, 0, 0);
    KORVANEX_LAYOUT_MEMBER(stubString, length, UINT32, 8, 8);
    KORVANEX_LAYOUT_MEMBER(stubString, capacity, UINT32, 12, 12);
    KORVANEX_LAYOUT_SIZE(stubString, 16, 16, 8);

    KORVANEX_LAYOUT_MEMBER(stubStringList, items, stubString*, 0, 0);
    KORVANEX_LAYOUT_MEMBER(stubStringList, count, UINT32, 8, 8);
    KORVANEX_LAYOUT_MEMBER(stubStringList, capacity, UINT32, 12, 12);
    KORVANEX_LAYOUT_SIZE(stubStringList, 16, 16, 8);

    // The virtual table's pointer comes first.
    KORVANEX_LAYOUT_MEMBER(stubCriticalSection, handle, HANDLE, 8, 8);
    KORVANEX_LAYOUT_MEMBER(stubCriticalSection, criticalSection, CRITICAL_SECTION, 16, 16);
    KORVANEX_LAYOUT_SIZE(stubCriticalSection, 56, 56, 8);

    KORVANEX_LAYOUT_MEMBER(SettingData, otherKey1, HKEY, 0, 0);
    KORVANEX_LAYOUT_MEMBER(SettingData, otherKey2, HKEY, 8, 8);
    KORVANEX_LAYOUT_MEMBER(SettingData, softwareKey, HKEY, 16, 16);
    KORVANEX_LAYOUT_MEMBER(SettingData, otherKey3, HKEY, 24, 24);
    KORVANEX_LAYOUT_MEMBER(SettingData, makerKey, HKEY, 32, 32);
    KORVANEX_LAYOUT_MEMBER(SettingData, productKey, HKEY, 40, 40);
    KORVANEX_LAYOUT_MEMBER(SettingData, settingsLock, stubCriticalSection, 48, 48);
    KORVANEX_LAYOUT_SIZE(SettingData, 104, 104, 8);

    KORVANEX_LAYOUT_MEMBER(MemoryData, collectors, stubStringList, 104, 104);
    KORVANEX_LAYOUT_MEMBER(MemoryData, classMethodFilterMode, int, 120, 120);
    KORVANEX_LAYOUT_MEMBER(MemoryData, classMethodFilters, stubStringList, 128, 128);
    KORVANEX_LAYOUT_MEMBER(MemoryData, lineTimingFilterMode, int, 144, 144);
    KORVANEX_LAYOUT_MEMBER(MemoryData, lineTimingFilters, stubStringList, 152, 152);
    KORVANEX_LAYOUT_MEMBER(MemoryData, fileNameFilterMode, int, 168, 168);
    KORVANEX_LAYOUT_MEMBER(MemoryData, fileNameFilters, stubStringList, 176, 176);
    KORVANEX_LAYOUT_MEMBER(MemoryData, profilerHookDebugData, _profilerHookDebugData, 192, 192);
    KORVANEX_LAYOUT_SIZE(MemoryData, 760, 760, 8);

    KORVANEX_LAYOUT_MEMBER(SettingDataQexal, memoryMappedFileHasBeenOpened, int, 104, 104);
    KORVANEX_LAYOUT_SIZE(SettingDataQexal, 112, 112, 8);

    KORVANEX_LAYOUT_MEMBER(SettingDataKorvane, memoryMappedFileHasBeenOpenedFunctions, int, 104, 104);
    KORVANEX_LAYOUT_SIZE(SettingDataKorvane, 112, 112, 8);
};

#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic pop
#endif

#undef KORVANEX_LAYOUT_SIZE
#undef KORVANEX_LAYOUT_MEMBER
#undef KORVANEX_LAYOUT_FIGURE

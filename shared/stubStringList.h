#pragma once

#include "shared/sharedSettingsApi.h"
#include "support/stubString.h"

#include <windows.h>

// An ordered list of stubString items with a 32-bit count, read by index.
// Its storage lives on the support heap of the module that holds this code,
// so a program using the DLL fills it through the exported add/removeAll.
class stubStringList
{
public:
    KORVANEX_SHARED_API stubStringList() noexcept;
    KORVANEX_SHARED_API ~stubStringList();
    stubStringList(const stubStringList&) = delete;
    stubStringList& operator=(const stubStringList&) = delete;

    // Appends a copy of text (null counts as the empty text); 1, or 0 when
    // memory ran out, in which case the list is unchanged.
    KORVANEX_SHARED_API int add(const wchar_t* text) noexcept;
    KORVANEX_SHARED_API void removeAll() noexcept;

    UINT32 getCount() const noexcept { return count; }
    // index must be below getCount().
    const stubString& getAt(UINT32 index) const noexcept { return items[index]; }

private:
    friend struct exportedLayout; // checks the layout callers compile against

    bool grow() noexcept;

    stubString* items = nullptr;
    UINT32 count = 0;
    UINT32 capacity = 0;
};

#include "support/stringArray.h"

#include "support/stubHeap.h"
#include "support/stubString.h"

#include <cstdint>

stringArray::~stringArray()
{
    removeAll();
}

int stringArray::add(const wchar_t* text) noexcept
{
    stubString* item = new stubString;
    if (item == nullptr)
        return 0;
    if (!item->assign(text)) {
        delete item;
        return 0;
    }

    if (items == nullptr) {
        if (initialSize == 0) {
            initialSize = 1;
            growBy = 1;
        }
        void* memory = oskHeapAlloc(0, sizeof(stubString*) * SIZE_T{initialSize});
        if (memory == nullptr) {
            delete item;
            return 0;
        }
        items = static_cast<stubString**>(memory);
        // Without storage nothing was allocated, so the capacity is exactly
        // what was just allocated.
        capacity = initialSize;
    } else if (count >= capacity) {
        // In 64 bits, so that the new size cannot wrap below what is in use.
        const UINT64 entries = UINT64{capacity} + growBy;
        const UINT64 bytes = entries * sizeof(stubString*);
        void* memory = entries > count && entries <= MAXDWORD && bytes <= SIZE_MAX
                           ? oskHeapReAlloc(0, items, static_cast<SIZE_T>(bytes))
                           : nullptr;
        if (memory == nullptr) {
            delete item;
            return 0;
        }
        items = static_cast<stubString**>(memory);
        capacity = static_cast<UINT32>(entries);
    }
    items[count++] = item;
    return 1;
}

void stringArray::removeAll() noexcept
{
    for (UINT32 i = 0; i < count; ++i)
        delete items[i];
    if (items != nullptr)
        oskHeapFree(getStubHeap(), 0, items);
    items = nullptr;
    count = 0;
    capacity = 0;
}

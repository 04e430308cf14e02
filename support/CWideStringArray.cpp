#include "support/CWideStringArray.h"

#include <windows.h>

#include <new>
#include <utility>

CWideStringArray::~CWideStringArray()
{
    RemoveAll();
}

bool CWideStringArray::Add(const wchar_t* text) noexcept
{
    CWideString item;
    return item.assign(text) && Add(std::move(item));
}

bool CWideStringArray::Add(CWideString&& item) noexcept
{
    if (count == capacity && !grow())
        return false;
    ::new (static_cast<void*>(items + count)) CWideString(std::move(item));
    ++count;
    return true;
}

void CWideStringArray::RemoveAll() noexcept
{
    for (std::size_t i = 0; i < count; ++i)
        items[i].~CWideString();
    if (items != nullptr)
        HeapFree(GetProcessHeap(), 0, items);
    items = nullptr;
    count = 0;
    capacity = 0;
}

// Doubles the room; the items move into the new block, so a failure leaves
// the old one as it was.
bool CWideStringArray::grow() noexcept
{
    const std::size_t wanted = capacity != 0 ? capacity * 2 : 8;
    if (wanted > SIZE_MAX / sizeof(CWideString))
        return false;
    void* block = HeapAlloc(GetProcessHeap(), 0, wanted * sizeof(CWideString));
    if (block == nullptr)
        return false;
    auto* moved = static_cast<CWideString*>(block);
    for (std::size_t i = 0; i < count; ++i) {
        ::new (static_cast<void*>(moved + i)) CWideString(std::move(items[i]));
        items[i].~CWideString();
    }
    if (items != nullptr)
        HeapFree(GetProcessHeap(), 0, items);
    items = moved;
    capacity = wanted;
    return true;
}

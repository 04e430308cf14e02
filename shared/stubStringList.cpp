#include "shared/stubStringList.h"

#include "support/stubHeap.h"

#include <new>
#include <utility>

namespace
{
constexpr UINT32 firstCapacity = 8;
constexpr UINT32 maxItems = MAXINT32 / sizeof(stubString);
} // namespace

stubStringList::stubStringList() noexcept = default;

stubStringList::~stubStringList()
{
    removeAll();
}

int stubStringList::add(const wchar_t* text) noexcept
{
    if (count == capacity && !grow())
        return 0;
    stubString* item = ::new (static_cast<void*>(&items[count])) stubString;
    if (!item->assign(text)) {
        item->~stubString();
        return 0;
    }
    ++count;
    return 1;
}

void stubStringList::removeAll() noexcept
{
    for (UINT32 i = 0; i < count; ++i)
        items[i].~stubString();
    if (items != nullptr)
        oskHeapFree(getStubHeap(), 0, items);
    items = nullptr;
    count = 0;
    capacity = 0;
}

bool stubStringList::grow() noexcept
{
    const UINT32 grown = capacity == 0 ? firstCapacity : (capacity < maxItems / 2 ? capacity * 2 : maxItems);
    if (grown <= capacity)
        return false;
    void* memory = oskHeapAlloc(0, std::size_t{grown} * sizeof(stubString));
    if (memory == nullptr)
        return false;
    auto* moved = static_cast<stubString*>(memory);
    for (UINT32 i = 0; i < count; ++i) {
        ::new (static_cast<void*>(&moved[i])) stubString(std::move(items[i]));
        items[i].~stubString();
    }
    if (items != nullptr)
        oskHeapFree(getStubHeap(), 0, items);
    items = moved;
    capacity = grown;
    return true;
}

#pragma once

#include <vector>

// A growable array of untyped pointers.
class CPointerArray
{
public:
    int GetSize() const noexcept { return static_cast<int>(items.size()); }
    void* GetAt(int index) const { return items[static_cast<std::size_t>(index)]; }
    int Add(void* item)
    {
        items.push_back(item);
        return GetSize() - 1;
    }
    // Empties the array and gives its storage back.
    void RemoveAll() noexcept
    {
        items.clear();
        items.shrink_to_fit();
    }

private:
    std::vector<void*> items;
};

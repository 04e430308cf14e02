#pragma once

#include "support/CWideString.h"

#include <cstddef>

// The framework's ordered list of wide strings, as the store's string-list
// operations read and write it. Its storage lives on the process heap. No
// operation throws: Add says whether the item was appended.
class CWideStringArray
{
public:
    CWideStringArray() noexcept = default;
    ~CWideStringArray();
    CWideStringArray(const CWideStringArray&) = delete;
    CWideStringArray& operator=(const CWideStringArray&) = delete;

    // Appends a copy of text (null counts as the empty text); false when
    // memory ran out, in which case the list is unchanged.
    [[nodiscard]] bool Add(const wchar_t* text) noexcept;
    // Takes the item's text over; on failure item keeps it.
    [[nodiscard]] bool Add(CWideString&& item) noexcept;
    void RemoveAll() noexcept;

    std::size_t GetSize() const noexcept { return count; }
    // index must be below GetSize().
    const CWideString& GetAt(std::size_t index) const noexcept { return items[index]; }

    const CWideString* begin() const noexcept { return items; }
    const CWideString* end() const noexcept { return items + count; }

private:
    bool grow() noexcept;

    CWideString* items = nullptr;
    std::size_t count = 0;
    std::size_t capacity = 0;
};

#pragma once

#include "support/CWideString.h"

#include <map>
#include <string>

// The framework's map from text to text. Keys compare exactly (callers fold
// case themselves where they need to).
class CStringToStringMap
{
public:
    // True and the value when key is present; value is left alone otherwise.
    bool Lookup(const wchar_t* key, CWideString& value) const
    {
        const auto found = entries.find(key != nullptr ? key : L"");
        if (found == entries.end())
            return false;
        value = found->second.c_str();
        return true;
    }

    // Adds the entry or replaces the value already held under key.
    void SetAt(const wchar_t* key, const wchar_t* value)
    {
        entries[key != nullptr ? key : L""] = value != nullptr ? value : L"";
    }

    int GetCount() const noexcept { return static_cast<int>(entries.size()); }
    bool IsEmpty() const noexcept { return entries.empty(); }
    void RemoveAll() noexcept { entries.clear(); }

private:
    std::map<std::wstring, std::wstring> entries;
};

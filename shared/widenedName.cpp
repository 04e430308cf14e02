#include "shared/widenedName.h"

#include "shared/composedName.h"
#include "support/stubHeap.h"

#include <windows.h>

widenedName::widenedName(const char* narrow) noexcept
{
    widen(narrow != nullptr ? narrow : "");
}

// Joined while narrow, then widened once: ':' is never part of a multi-byte
// character, so this equals widening each part.
widenedName::widenedName(const char* className, const char* methodName) noexcept
{
    const composedName<char> narrow(className, methodName);
    if (narrow.get() == nullptr) {
        text = nullptr;
        return;
    }
    widen(narrow.get());
}

widenedName::~widenedName()
{
    if (text != nullptr && text != inlineText)
        oskHeapFree(getStubHeap(), 0, text);
}

// One conversion into place for a name that fits; only a longer one asks
// for its length and a block.
void widenedName::widen(const char* narrow) noexcept
{
    if (MultiByteToWideChar(CP_ACP, 0, narrow, -1, inlineText, static_cast<int>(inlineCapacity)) > 0)
        return;
    text = nullptr;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return;
    const int needed = MultiByteToWideChar(CP_ACP, 0, narrow, -1, nullptr, 0);
    if (needed <= 0)
        return;
    auto* block = static_cast<wchar_t*>(oskHeapAlloc(0, static_cast<std::size_t>(needed) * sizeof(wchar_t)));
    if (block == nullptr)
        return;
    if (MultiByteToWideChar(CP_ACP, 0, narrow, -1, block, needed) <= 0) {
        oskHeapFree(getStubHeap(), 0, block);
        return;
    }
    text = block;
}

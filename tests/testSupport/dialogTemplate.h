#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>

// The width and height, in dialog units, of a dialog template resource's
// bytes (both 0 when there are none). An extended template starts with
// version 1 and 0xFFFF and has the size 11 words in, after help id, styles
// and item count; the classic form has it 7 words in.
inline SIZE dialogTemplateSize(const void* data, std::size_t bytes)
{
    WORD words[13]{};
    if (data != nullptr)
        std::memcpy(words, data, std::min(bytes, sizeof(words)));
    const int at = words[1] == 0xFFFF ? 11 : 7;
    return {static_cast<short>(words[at]), static_cast<short>(words[at + 1])};
}

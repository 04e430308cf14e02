#pragma once

#include <windows.h>

// A function that a loaded module exports, typed as the caller declares it;
// null when the module has no such export. The detour through void (*)()
// tells the compiler the cast between function types is meant.
template <typename Function>
Function moduleFunction(HMODULE module, const char* name) noexcept
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

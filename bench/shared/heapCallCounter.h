#pragma once

// Counts this program's own calls of HeapAlloc and HeapReAlloc (the support
// heap's only ways to get memory) by redirecting the program's import table
// entries. The runtime library's own allocations go through its DLL and are
// not counted.
namespace heapCallCounter
{
// False when the import entries could not be found or redirected.
bool install();
long long calls();
} // namespace heapCallCounter

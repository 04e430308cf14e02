#include "heapCallCounter.h"

#include <windows.h>

#include <atomic>
#include <cstring>

namespace
{
std::atomic<long long> heapCalls{0};

using heapAllocFunction = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
using heapReAllocFunction = LPVOID(WINAPI*)(HANDLE, DWORD, LPVOID, SIZE_T);
heapAllocFunction realHeapAlloc = nullptr;
heapReAllocFunction realHeapReAlloc = nullptr;

LPVOID WINAPI countingHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes)
{
    heapCalls.fetch_add(1, std::memory_order_relaxed);
    return realHeapAlloc(heap, flags, bytes);
}

LPVOID WINAPI countingHeapReAlloc(HANDLE heap, DWORD flags, LPVOID memory, SIZE_T bytes)
{
    heapCalls.fetch_add(1, std::memory_order_relaxed);
    return realHeapReAlloc(heap, flags, memory, bytes);
}

bool redirect(ULONG_PTR* entry, void* replacement, void** original)
{
    DWORD oldProtection = 0;
    if (!VirtualProtect(entry, sizeof(*entry), PAGE_READWRITE, &oldProtection))
        return false;
    *original = reinterpret_cast<void*>(*entry);
    *entry = reinterpret_cast<ULONG_PTR>(replacement);
    VirtualProtect(entry, sizeof(*entry), oldProtection, &oldProtection);
    return true;
}
} // namespace

bool heapCallCounter::install()
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return false;
    int redirected = 0;
    for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), "kernel32.dll") != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++entries) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const char* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            if (std::strcmp(name, "HeapAlloc") == 0)
                redirected += redirect(&entries->u1.Function, reinterpret_cast<void*>(countingHeapAlloc),
                                       reinterpret_cast<void**>(&realHeapAlloc));
            else if (std::strcmp(name, "HeapReAlloc") == 0)
                redirected += redirect(&entries->u1.Function, reinterpret_cast<void*>(countingHeapReAlloc),
                                       reinterpret_cast<void**>(&realHeapReAlloc));
        }
    }
    return redirected == 2;
}

long long heapCallCounter::calls()
{
    return heapCalls.load(std::memory_order_relaxed);
}

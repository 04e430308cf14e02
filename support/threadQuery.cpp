#include "support/threadQuery.h"

#include "support/moduleFunction.h"

#include <windows.h>

#include <atomic>

namespace
{
using ntQueryInformationThreadFunction = LONG(WINAPI*)(HANDLE thread, int informationClass, void* buffer,
                                                        ULONG bufferLength, ULONG* returnLength);

constexpr int threadAmILastThread = 12;

// Every thread that resolves the address stores the same value.
std::atomic<ntQueryInformationThreadFunction> ntQueryInformationThread{nullptr};
} // namespace

void resolveNtQueryInformationThread() noexcept
{
    if (ntQueryInformationThread.load(std::memory_order_relaxed) != nullptr)
        return;
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr)
        return;
    const auto address = moduleFunction<ntQueryInformationThreadFunction>(ntdll, "NtQueryInformationThread");
    ntQueryInformationThread.store(address, std::memory_order_relaxed);
}

int isLastThreadInProcess() noexcept
{
    ULONG result = 0xFFFFFFFFu;
    const ntQueryInformationThreadFunction query = ntQueryInformationThread.load(std::memory_order_relaxed);
    if (query == nullptr)
        return FALSE;
    if (query(GetCurrentThread(), threadAmILastThread, &result, sizeof(result), nullptr) != 0)
        return FALSE;
    return result != 0;
}

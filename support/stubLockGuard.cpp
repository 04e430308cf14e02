#include "support/stubLockGuard.h"

#include "support/stubCriticalSection.h"
#include "support/stubSyncObject.h"
#include "support/threadQuery.h"

#include <atomic>

namespace
{
// Read and written from any thread; relaxed is enough for on/off switches.
std::atomic<int> lockTracingEnabled{0};
std::atomic<int> lockBypassOnLastThread{0};

constexpr int traceBufferSize = 1000;
// A trace line holds at most this much of the guard's name, so that the
// longest line (thread id, text, handle, line end) fits the buffer.
constexpr size_t traceNameCharacters = 900;

void traceLine(const wchar_t* format, const wchar_t* name, HANDLE handle) noexcept
{
    wchar_t shortName[traceNameCharacters + 1];
    size_t length = 0;
    for (; length < traceNameCharacters && name[length] != 0; ++length)
        shortName[length] = name[length];
    shortName[length] = 0;

    wchar_t line[traceBufferSize];
    wsprintfW(line, format, GetCurrentThreadId(), shortName, handle);
    OutputDebugStringW(line);
}

bool bypassedOnLastThread() noexcept
{
    return lockBypassOnLastThread.load(std::memory_order_relaxed) != 0 && isLastThreadInProcess();
}
} // namespace

void setLockTracingEnabled(int enabled) noexcept
{
    lockTracingEnabled.store(enabled, std::memory_order_relaxed);
}

void setLockBypassOnLastThread(int enabled) noexcept
{
    lockBypassOnLastThread.store(enabled, std::memory_order_relaxed);
}

int isLockTracingEnabled() noexcept
{
    return lockTracingEnabled.load(std::memory_order_relaxed);
}

stubLockGuard::stubLockGuard(stubSyncObject* object, const wchar_t* traceName)
    : syncObject(object), section(nullptr), handle(object->getHandle()), locked(0), name(traceName)
{
    lockAtConstruction();
}

stubLockGuard::stubLockGuard(stubCriticalSection* object, const wchar_t* traceName)
    : syncObject(object), section(object), handle(object->getHandle()), locked(0), name(traceName)
{
    lockAtConstruction();
}

void stubLockGuard::lockAtConstruction()
{
    resolveNtQueryInformationThread();
    if (!lock() && isLockTracingEnabled())
        traceLine(L"%u: FAILED TO Lock a CS! %s 0x%p\r\n", name != nullptr ? name : L"", handle);
}

// stubCriticalSection is final, so the qualified calls do exactly what the
// virtual ones would.
BOOL stubLockGuard::lockObject()
{
    return section != nullptr ? section->stubCriticalSection::lock(INFINITE) : syncObject->lock(INFINITE);
}

BOOL stubLockGuard::unlockObject()
{
    return section != nullptr ? section->stubCriticalSection::unlock() : syncObject->unlock();
}

stubLockGuard::~stubLockGuard()
{
    unlock();
}

BOOL stubLockGuard::lock()
{
    if (bypassedOnLastThread()) {
        locked = 1;
        return TRUE;
    }
    locked = lockObject() ? 1 : 0;
    if (name != nullptr && isLockTracingEnabled())
        traceLine(L"%u: Locked    %s 0x%p\r\n", name, handle);
    return locked;
}

BOOL stubLockGuard::unlock()
{
    if (locked == 0)
        return TRUE;
    if (bypassedOnLastThread()) {
        locked = 0;
        return TRUE;
    }
    if (unlockObject())
        locked = 0;
    if (name != nullptr && isLockTracingEnabled())
        traceLine(L"%u:  Unlocked %s 0x%p\r\n", name, handle);
    return locked == 0;
}

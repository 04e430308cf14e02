#pragma once

#include <windows.h>

class stubCriticalSection;
class stubSyncObject;

// Process-wide switches of the lock guards, 0 at start. Nothing in the log
// controller sets them; the setters are for tools and tests.
void setLockTracingEnabled(int enabled) noexcept;
void setLockBypassOnLastThread(int enabled) noexcept;
int isLockTracingEnabled() noexcept;

// Takes a synchronisation object for the length of a block. With tracing on,
// a named guard writes one debugger-output line per lock and release.
class stubLockGuard
{
public:
    // A guard must be kept for its block: a discarded temporary locks nothing.
    [[nodiscard]] stubLockGuard(stubSyncObject* syncObject, const wchar_t* name);
    // A critical section is taken and released through direct calls, never
    // through its virtual table: a settings object built by a caller compiled
    // for another C++ ABI may carry a table laid out differently from ours.
    [[nodiscard]] stubLockGuard(stubCriticalSection* section, const wchar_t* name);
    ~stubLockGuard();

    stubLockGuard(const stubLockGuard&) = delete;
    stubLockGuard& operator=(const stubLockGuard&) = delete;

    BOOL lock();
    BOOL unlock();

    int isLocked() const noexcept { return locked; }

private:
    void lockAtConstruction();
    BOOL lockObject();
    BOOL unlockObject();

    stubSyncObject* syncObject;
    stubCriticalSection* section; // null: syncObject is taken through its virtual operations
    HANDLE handle;
    int locked;
    const wchar_t* name;
};

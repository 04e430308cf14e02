#pragma once

#include <windows.h>

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
    ~stubLockGuard();

    stubLockGuard(const stubLockGuard&) = delete;
    stubLockGuard& operator=(const stubLockGuard&) = delete;

    BOOL lock();
    BOOL unlock();

    int isLocked() const noexcept { return locked; }

private:
    stubSyncObject* syncObject;
    HANDLE handle;
    int locked;
    const wchar_t* name;
};

#pragma once

#include "support/stubLockGuard.h"

#include <windows.h>

#include <atomic>
#include <thread>

// Another thread that tries to take the section (through a guard without
// tracing) and lets it go again at once. It waits as long as it must; the
// test releases the section before the contender is destroyed.
class lockContender
{
public:
    explicit lockContender(stubSyncObject& object)
        : worker([this, &object] {
              stubLockGuard guard(&object, nullptr);
              acquired = guard.isLocked() != 0;
          })
    {
    }
    ~lockContender() { worker.join(); }

    // Whether the contender got the section within the time given. A short
    // time is enough to tell "still held"; a long one to tell "taken".
    bool acquiredWithin(DWORD milliseconds) const
    {
        const ULONGLONG deadline = GetTickCount64() + milliseconds;
        while (!acquired && GetTickCount64() < deadline)
            Sleep(1);
        return acquired;
    }

private:
    std::atomic<bool> acquired{false};
    std::thread worker;
};

inline constexpr DWORD stillHeldWindowMs = 100;
inline constexpr DWORD generousDeadlineMs = 5000;

#pragma once

#include "support/stubSyncObject.h"

// A Win32 critical section: recursive, one holder at a time. It has no
// waitable handle, so a time-out cannot apply: every lock waits until free.
// Final: lock guards call its operations directly (see stubLockGuard).
class stubCriticalSection final : public stubSyncObject
{
public:
    stubCriticalSection();
    ~stubCriticalSection() override;

    using stubSyncObject::unlock;
    BOOL lock(DWORD timeoutMs) override;
    BOOL lock() override;
    BOOL unlock() override;

private:
    friend struct exportedLayout; // checks the layout callers compile against

    CRITICAL_SECTION criticalSection;
};

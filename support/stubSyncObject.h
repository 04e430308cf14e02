#pragma once

#include "support/CZeltrixStubObject.h"

#include <windows.h>

// A synchronisation object. The base form waits on a waitable kernel object
// in `handle`; derived forms may lock differently and leave `handle` null.
class stubSyncObject : public CZeltrixStubObject
{
public:
    stubSyncObject() = default;
    ~stubSyncObject() override;

    stubSyncObject(const stubSyncObject&) = delete;
    stubSyncObject& operator=(const stubSyncObject&) = delete;

    // The order of these virtual operations is part of the class's layout.
    virtual BOOL lock(DWORD timeoutMs);
    virtual BOOL lock();
    virtual BOOL unlock(LONG releaseCount, LONG* previousCount);
    virtual BOOL unlock() = 0;

    HANDLE getHandle() const noexcept { return handle; }

protected:
    HANDLE handle = nullptr;
};

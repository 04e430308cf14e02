#include "support/stubSyncObject.h"

stubSyncObject::~stubSyncObject()
{
    if (handle != nullptr) {
        CloseHandle(handle);
        handle = nullptr;
    }
}

BOOL stubSyncObject::lock(DWORD timeoutMs)
{
    return WaitForSingleObject(handle, timeoutMs) == WAIT_OBJECT_0;
}

BOOL stubSyncObject::lock()
{
    return lock(INFINITE);
}

BOOL stubSyncObject::unlock(LONG, LONG*)
{
    return TRUE;
}

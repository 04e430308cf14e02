#include "support/stubCriticalSection.h"

stubCriticalSection::stubCriticalSection()
{
    handle = nullptr;
    InitializeCriticalSection(&criticalSection);
}

stubCriticalSection::~stubCriticalSection()
{
    DeleteCriticalSection(&criticalSection);
}

BOOL stubCriticalSection::lock(DWORD)
{
    // Direct: the class is final, and the object's virtual table may have been
    // built by another compiler (see stubLockGuard).
    return stubCriticalSection::lock();
}

BOOL stubCriticalSection::lock()
{
    EnterCriticalSection(&criticalSection);
    return TRUE;
}

BOOL stubCriticalSection::unlock()
{
    LeaveCriticalSection(&criticalSection);
    return TRUE;
}

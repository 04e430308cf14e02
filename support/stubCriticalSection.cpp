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
    return lock();
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

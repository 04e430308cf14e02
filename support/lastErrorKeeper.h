#pragma once

#include <windows.h>

// Restores the thread's last-error value when it goes out of scope, so that
// diagnostic code can make system calls of its own without disturbing the
// error its caller is about to read.
class lastErrorKeeper
{
public:
    lastErrorKeeper() noexcept : saved(GetLastError()) {}
    ~lastErrorKeeper() { SetLastError(saved); }

    lastErrorKeeper(const lastErrorKeeper&) = delete;
    lastErrorKeeper& operator=(const lastErrorKeeper&) = delete;

private:
    DWORD saved;
};

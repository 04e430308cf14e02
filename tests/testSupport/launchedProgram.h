#pragma once

#include "support/uniqueHandle.h"

#include <windows.h>

#include <string>

// A program started in a process of its own, for tests and benchmarks that
// drive the built program from outside. One still running when this goes is
// ended.
class launchedProgram
{
public:
    // path as the starting process sees it (windowsPathOf).
    explicit launchedProgram(const std::wstring& path);
    ~launchedProgram();
    launchedProgram(const launchedProgram&) = delete;
    launchedProgram& operator=(const launchedProgram&) = delete;

    bool started() const noexcept { return static_cast<bool>(process); }
    HANDLE processHandle() const noexcept { return process.get(); }

    // The first visible dialog of the program's first thread, where a
    // dialog program opens its dialog; null while there is none.
    HWND findDialog() const;
    // The exit code; STILL_ACTIVE while it runs after timeoutMs, and when it
    // could not be started.
    DWORD waitForExit(DWORD timeoutMs) const;

private:
    uniqueKernelHandle process;
    DWORD threadId = 0;
};

#pragma once

#include <string>
#include <vector>

// Collects what this process sends to the debugger output while it lives.
// OutputDebugString raises a debug-print exception; a vectored exception
// handler sees it and lets execution go on, just as a debugger would.
// Windows raises the wide form first; Wine raises the narrow form only.
class debugOutputCapture
{
public:
    debugOutputCapture();
    ~debugOutputCapture();
    debugOutputCapture(const debugOutputCapture&) = delete;
    debugOutputCapture& operator=(const debugOutputCapture&) = delete;

    std::vector<std::wstring> lines() const;

private:
    void* handler;
};

#pragma once

#include "support/stubCriticalSection.h"

#include <windows.h>

// The failure log's switch: off at start, and while off nothing is written
// or opened. It lives with the file it guards.
void setLogFileEnabled(int enabled) noexcept;
int isLogFileEnabled() noexcept;

// The failure log's file, process-wide: one lock, one path copy, one handle.
// Static operations only; the state is defined in the program's table of
// process objects, which fixes its place in the start-up order.
class logFile
{
public:
    logFile() = delete;

    // Appends text, exactly as given and without a terminator, to the log.
    static void writeToLogFile(const wchar_t* logPath, const char* text);
    static void writeToLogFile(const wchar_t* logPath, const wchar_t* text);

    // The path copy and file handle, made at start-up after the lock. At
    // process exit, with the log on, the handle is dropped without a close
    // (the system closes it) and the path copy freed.
    class target
    {
    public:
        target();
        ~target();
        target(const target&) = delete;
        target& operator=(const target&) = delete;

        wchar_t* path = nullptr;
        HANDLE handle = INVALID_HANDLE_VALUE;
    };

    static stubCriticalSection logFileLock;
    static target logFileTarget;

private:
    template <typename Char>
    static void write(const wchar_t* logPath, const Char* text, const wchar_t* guardName);
    static void setLogFilePath(const wchar_t* path);
    static void openLogFile();
    static void writeText(const char* text);
    static void writeText(const wchar_t* text);
    static HANDLE heap();
};

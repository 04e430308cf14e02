#pragma once

#include "support/CWideString.h"

#include <cstddef>

// The profiler's per-user folder (application data, "Ostra Vell",
// "Korvane x64"), made if missing, with fileName appended when given. The
// result is a process-wide buffer rewritten by every call; it is empty when
// the application-data folder cannot be found or the path would not fit.
const wchar_t* getAppDataFolder(const wchar_t* fileName = nullptr);

// The full path of the default log file, worked out once per run; empty
// while it cannot be had.
CWideString getDefaultLogFileName();

// Appends text to the path in buffer (capacity characters with the
// terminator), after a backslash when separator is set and, for an
// optional separator, only when the path does not end in one already.
// Returns false and leaves buffer alone when the result would not fit.
enum class pathSeparator
{
    always,
    unlessPresent,
};
bool appendPathPart(wchar_t* buffer, std::size_t capacity, pathSeparator separator, const wchar_t* text);

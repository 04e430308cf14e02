#pragma once

#include "shared/profilerHookDebugData.h"

class readWriteSettings;

// Capacity of the breakpoint log file's text, terminator included.
constexpr unsigned breakpointLogFileCapacity = sizeof(_profilerHookDebugData::phiBreakpointLogFile) / sizeof(wchar_t);

// Registry value names of the eleven integer options, each with its field, in
// the record's order. The text option's value name is breakpointLogFileName.
struct tracingIntegerValue
{
    const wchar_t* name;
    int _profilerHookDebugData::*field;
};
extern const wchar_t breakpointLogFileName[];
extern const tracingIntegerValue tracingIntegerValues[11];

// Reads the twelve values through the store into record. A text that cannot
// be read, or that does not end within the field, leaves the empty text; an
// integer that cannot be read leaves its field as it was. 1 when all twelve
// reads succeeded.
int readTracingValues(readWriteSettings& store, _profilerHookDebugData& record) noexcept;

// Copies the text up to and including its terminator (the characters behind
// it in destination stay as they were), then the eleven integers.
void copyTracingSettings(_profilerHookDebugData& destination, const _profilerHookDebugData& source) noexcept;

#pragma once

#include <windows.h>

// The failure log: Win32 failures of registry calls, appended as plain text
// to a file whose path each report names. Off at start; nothing in the log
// controller switches it on (the switch is the log file's: settings/logFile.h).
// Every report keeps the caller's last error.

// Composes "<system text> : <context>[ : <name>]" for errorCode and appends it
// to the log. A code of 0 reports nothing. context is plain ASCII.
void reportErrorToLogFile(const wchar_t* logPath, DWORD errorCode, const char* context, const char* name);
void reportErrorToLogFile(const wchar_t* logPath, DWORD errorCode, const char* context, const wchar_t* name);

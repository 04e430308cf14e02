#pragma once

#include <windows.h>

#include <cstddef>

// The profiler hook's tracing options as read from the product key. Callers
// outside the program pass this record by reference, so its layout is part
// of the exported interface: never reorder, resize or pad it.
struct _profilerHookDebugData
{
    wchar_t phiBreakpointLogFile[MAX_PATH];
    int phiDisassembleLineHooking;
    int phiTrackFunctionCallsEntryExit;
    int phiTrackFunctionCallsExtra;
    int phiTrackFunctionCallParentList;
    int phiTrackFunctionHooking;
    int phiTrackFileLineHooks;
    int phiDoHeapValidate;
    int phiHideSymbolNames;
    int phiHideFilenames;
    int phiTrackMemoryMappedFiles;
    int phiTrackDotNetProfiler;
};

static_assert(sizeof(wchar_t) == 2 && sizeof(int) == 4, "the record holds UTF-16 text and 32-bit integers");
static_assert(MAX_PATH == 260 && offsetof(_profilerHookDebugData, phiBreakpointLogFile) == 0);
static_assert(offsetof(_profilerHookDebugData, phiDisassembleLineHooking) == 520);
static_assert(offsetof(_profilerHookDebugData, phiTrackFunctionCallsEntryExit) == 524);
static_assert(offsetof(_profilerHookDebugData, phiTrackFunctionCallsExtra) == 528);
static_assert(offsetof(_profilerHookDebugData, phiTrackFunctionCallParentList) == 532);
static_assert(offsetof(_profilerHookDebugData, phiTrackFunctionHooking) == 536);
static_assert(offsetof(_profilerHookDebugData, phiTrackFileLineHooks) == 540);
static_assert(offsetof(_profilerHookDebugData, phiDoHeapValidate) == 544);
static_assert(offsetof(_profilerHookDebugData, phiHideSymbolNames) == 548);
static_assert(offsetof(_profilerHookDebugData, phiHideFilenames) == 552);
static_assert(offsetof(_profilerHookDebugData, phiTrackMemoryMappedFiles) == 556);
static_assert(offsetof(_profilerHookDebugData, phiTrackDotNetProfiler) == 560);
static_assert(sizeof(_profilerHookDebugData) == 564);
static_assert(alignof(_profilerHookDebugData) == 4);

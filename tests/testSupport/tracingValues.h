#pragma once

#include "shared/profilerHookDebugData.h"

// The eleven integer tracing values by registry name and field, written out
// here rather than taken from the product's table, so that a wrong name or a
// swapped field there shows.
struct tracingField
{
    const wchar_t* name;
    int _profilerHookDebugData::*field;
};

inline constexpr tracingField tracingFields[] = {
    {L"phiDisassembleLineHooking", &_profilerHookDebugData::phiDisassembleLineHooking},
    {L"phiTrackFunctionCallsEntryExit", &_profilerHookDebugData::phiTrackFunctionCallsEntryExit},
    {L"phiTrackFunctionCallsExtra", &_profilerHookDebugData::phiTrackFunctionCallsExtra},
    {L"phiTrackFunctionCallParentList", &_profilerHookDebugData::phiTrackFunctionCallParentList},
    {L"phiTrackFunctionHooking", &_profilerHookDebugData::phiTrackFunctionHooking},
    {L"phiTrackFileLineHooks", &_profilerHookDebugData::phiTrackFileLineHooks},
    {L"phiDoHeapValidate", &_profilerHookDebugData::phiDoHeapValidate},
    {L"phiHideSymbolNames", &_profilerHookDebugData::phiHideSymbolNames},
    {L"phiHideFilenames", &_profilerHookDebugData::phiHideFilenames},
    {L"phiTrackMemoryMappedFiles", &_profilerHookDebugData::phiTrackMemoryMappedFiles},
    {L"phiTrackDotNetProfiler", &_profilerHookDebugData::phiTrackDotNetProfiler},
};

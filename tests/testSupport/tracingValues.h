#pragma once

#include "shared/profilerHookDebugData.h"

#include <gtest/gtest.h>

#include <string>

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

// Every integer of actual against expected, each failure named.
inline void expectTracingIntegers(const _profilerHookDebugData& expected, const _profilerHookDebugData& actual)
{
    for (const tracingField& value : tracingFields)
        EXPECT_EQ(expected.*value.field, actual.*value.field) << testing::PrintToString(std::wstring(value.name));
}

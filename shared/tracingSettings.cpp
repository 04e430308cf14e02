#include "shared/tracingSettings.h"

#include "settings/readWriteSettings.h"

#include <cwchar>

const wchar_t breakpointLogFileName[] = L"phiBreakpointLogFile";

const tracingIntegerValue tracingIntegerValues[11] = {
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

int readTracingValues(readWriteSettings& store, _profilerHookDebugData& record) noexcept
{
    wchar_t* text = record.phiBreakpointLogFile;
    int result = store.readStringBuffer(breakpointLogFileName, text, breakpointLogFileCapacity);
    if (result == 0) {
        text[0] = L'\0';
    } else if (std::wmemchr(text, L'\0', breakpointLogFileCapacity) == nullptr) {
        // Stored without a terminator and filling the whole field: a text of
        // 260 characters, which the field cannot hold.
        text[0] = L'\0';
        result = 0;
    }
    for (const tracingIntegerValue& value : tracingIntegerValues) {
        if (store.readInt(value.name, record.*value.field) == 0)
            result = 0;
    }
    return result;
}

void copyTracingSettings(_profilerHookDebugData& destination, const _profilerHookDebugData& source) noexcept
{
    const wchar_t* text = source.phiBreakpointLogFile;
    const wchar_t* end = std::wmemchr(text, L'\0', breakpointLogFileCapacity);
    const std::size_t length = end != nullptr ? static_cast<std::size_t>(end - text) : breakpointLogFileCapacity - 1;
    std::wmemcpy(destination.phiBreakpointLogFile, text, length);
    destination.phiBreakpointLogFile[length] = L'\0';
    for (const tracingIntegerValue& value : tracingIntegerValues)
        destination.*value.field = source.*value.field;
}

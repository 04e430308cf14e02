#include "shared/tracingSettings.h"

#include "settings/readWriteSettingsToRegistry.h"
#include "testSupport/scratchRegistryKey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
_profilerHookDebugData filledRecord(int base)
{
    _profilerHookDebugData record;
    std::memset(&record, 0, sizeof(record));
    std::wcscpy(record.phiBreakpointLogFile, L"previous.log");
    record.phiDisassembleLineHooking = base + 1;
    record.phiTrackFunctionCallsEntryExit = base + 2;
    record.phiTrackFunctionCallsExtra = base + 3;
    record.phiTrackFunctionCallParentList = base + 4;
    record.phiTrackFunctionHooking = base + 5;
    record.phiTrackFileLineHooks = base + 6;
    record.phiDoHeapValidate = base + 7;
    record.phiHideSymbolNames = base + 8;
    record.phiHideFilenames = base + 9;
    record.phiTrackMemoryMappedFiles = base + 10;
    record.phiTrackDotNetProfiler = base + 11;
    return record;
}

void expectIntegers(const _profilerHookDebugData& expected, const _profilerHookDebugData& actual)
{
    EXPECT_EQ(expected.phiDisassembleLineHooking, actual.phiDisassembleLineHooking);
    EXPECT_EQ(expected.phiTrackFunctionCallsEntryExit, actual.phiTrackFunctionCallsEntryExit);
    EXPECT_EQ(expected.phiTrackFunctionCallsExtra, actual.phiTrackFunctionCallsExtra);
    EXPECT_EQ(expected.phiTrackFunctionCallParentList, actual.phiTrackFunctionCallParentList);
    EXPECT_EQ(expected.phiTrackFunctionHooking, actual.phiTrackFunctionHooking);
    EXPECT_EQ(expected.phiTrackFileLineHooks, actual.phiTrackFileLineHooks);
    EXPECT_EQ(expected.phiDoHeapValidate, actual.phiDoHeapValidate);
    EXPECT_EQ(expected.phiHideSymbolNames, actual.phiHideSymbolNames);
    EXPECT_EQ(expected.phiHideFilenames, actual.phiHideFilenames);
    EXPECT_EQ(expected.phiTrackMemoryMappedFiles, actual.phiTrackMemoryMappedFiles);
    EXPECT_EQ(expected.phiTrackDotNetProfiler, actual.phiTrackDotNetProfiler);
}

class tracingSettings : public testing::Test
{
protected:
    void setInt(const wchar_t* name, int value) { key.setRaw(name, REG_DWORD, &value, sizeof(value)); }
    void setText(const wchar_t* name, const std::wstring& text, bool terminated = true)
    {
        key.setRaw(name, REG_SZ, text.c_str(),
                   static_cast<DWORD>((text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t)));
    }

    scratchRegistryKey key;
};
} // namespace

TEST_F(tracingSettings, everyValueLandsInTheFieldOfItsName)
{
    setText(L"phiBreakpointLogFile", L"C:\\logs\\break.log");
    setInt(L"phiDisassembleLineHooking", 101);
    setInt(L"phiTrackFunctionCallsEntryExit", 102);
    setInt(L"phiTrackFunctionCallsExtra", 103);
    setInt(L"phiTrackFunctionCallParentList", 104);
    setInt(L"phiTrackFunctionHooking", 105);
    setInt(L"phiTrackFileLineHooks", 106);
    setInt(L"phiDoHeapValidate", 107);
    setInt(L"phiHideSymbolNames", 108);
    setInt(L"phiHideFilenames", 109);
    setInt(L"phiTrackMemoryMappedFiles", 110);
    setInt(L"phiTrackDotNetProfiler", -1);

    readWriteSettingsToRegistry store(key.get());
    _profilerHookDebugData record = filledRecord(0);
    EXPECT_EQ(1, readTracingValues(store, record));
    EXPECT_EQ(std::wstring(L"C:\\logs\\break.log"), record.phiBreakpointLogFile);
    _profilerHookDebugData expected = filledRecord(100);
    expected.phiTrackDotNetProfiler = -1;
    expectIntegers(expected, record);
}

TEST_F(tracingSettings, missingValuesEmptyTheTextAndKeepTheIntegers)
{
    setInt(L"phiHideFilenames", 7);
    readWriteSettingsToRegistry store(key.get());
    _profilerHookDebugData record = filledRecord(40);
    EXPECT_EQ(0, readTracingValues(store, record));
    EXPECT_EQ(L'\0', record.phiBreakpointLogFile[0]);
    _profilerHookDebugData expected = filledRecord(40);
    expected.phiHideFilenames = 7;
    expectIntegers(expected, record);
}

TEST_F(tracingSettings, textMustFitWithItsTerminator)
{
    readWriteSettingsToRegistry store(key.get());
    _profilerHookDebugData record = filledRecord(0);

    setText(L"phiBreakpointLogFile", std::wstring(259, L'x'));
    (void)readTracingValues(store, record);
    EXPECT_EQ(std::wstring(259, L'x'), record.phiBreakpointLogFile);

    setText(L"phiBreakpointLogFile", std::wstring(260, L'y'));
    (void)readTracingValues(store, record);
    EXPECT_EQ(L'\0', record.phiBreakpointLogFile[0]);

    std::wcscpy(record.phiBreakpointLogFile, L"previous.log");
    setText(L"phiBreakpointLogFile", std::wstring(260, L'z'), false);
    (void)readTracingValues(store, record);
    EXPECT_EQ(L'\0', record.phiBreakpointLogFile[0]) << "260 characters without a terminator do not fit either";
}

TEST(copyTracingSettings, copiesTheTextWithItsTerminatorAndLeavesTheRest)
{
    const _profilerHookDebugData source = filledRecord(10);
    _profilerHookDebugData destination;
    std::wmemset(destination.phiBreakpointLogFile, L'#', 260);
    destination.phiTrackDotNetProfiler = 0;

    copyTracingSettings(destination, source);
    EXPECT_EQ(std::wstring(L"previous.log"), destination.phiBreakpointLogFile);
    EXPECT_EQ(L'#', destination.phiBreakpointLogFile[13]);
    EXPECT_EQ(L'#', destination.phiBreakpointLogFile[259]);
    expectIntegers(source, destination);
}

TEST(copyTracingSettings, neverRunsPastTheField)
{
    _profilerHookDebugData source = filledRecord(0);
    std::wmemset(source.phiBreakpointLogFile, L'q', 260);
    _profilerHookDebugData destination = filledRecord(5);
    copyTracingSettings(destination, source);
    EXPECT_EQ(std::wstring(259, L'q'), destination.phiBreakpointLogFile);
    expectIntegers(source, destination);
}

#include "shared/tracingSettings.h"

#include "settings/readWriteSettingsToRegistry.h"
#include "testSupport/scratchRegistryKey.h"
#include "testSupport/tracingValues.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
// Previous text, and base + 1, base + 2, ... in the integers in their order.
_profilerHookDebugData filledRecord(int base)
{
    _profilerHookDebugData record{};
    std::wcscpy(record.phiBreakpointLogFile, L"previous.log");
    for (const tracingField& value : tracingFields)
        record.*value.field = ++base;
    return record;
}

class tracingSettings : public testing::Test
{
protected:
    scratchRegistryKey key;
};
} // namespace

TEST_F(tracingSettings, everyValueLandsInTheFieldOfItsName)
{
    key.setText(L"phiBreakpointLogFile", L"C:\\logs\\break.log");
    int stored = 100;
    for (const tracingField& value : tracingFields)
        key.setDword(value.name, static_cast<DWORD>(++stored));
    key.setDword(L"phiTrackDotNetProfiler", static_cast<DWORD>(-1));

    readWriteSettingsToRegistry store(key.get());
    _profilerHookDebugData record = filledRecord(0);
    EXPECT_EQ(1, readTracingValues(store, record));
    EXPECT_EQ(std::wstring(L"C:\\logs\\break.log"), record.phiBreakpointLogFile);
    _profilerHookDebugData expected = filledRecord(100);
    expected.phiTrackDotNetProfiler = -1;
    expectTracingIntegers(expected, record);
}

TEST_F(tracingSettings, missingValuesEmptyTheTextAndKeepTheIntegers)
{
    key.setDword(L"phiHideFilenames", 7);
    readWriteSettingsToRegistry store(key.get());
    _profilerHookDebugData record = filledRecord(40);
    EXPECT_EQ(0, readTracingValues(store, record));
    EXPECT_EQ(L'\0', record.phiBreakpointLogFile[0]);
    _profilerHookDebugData expected = filledRecord(40);
    expected.phiHideFilenames = 7;
    expectTracingIntegers(expected, record);
}

TEST_F(tracingSettings, textMustFitWithItsTerminator)
{
    readWriteSettingsToRegistry store(key.get());
    _profilerHookDebugData record = filledRecord(0);

    key.setText(L"phiBreakpointLogFile", std::wstring(259, L'x'));
    (void)readTracingValues(store, record);
    EXPECT_EQ(std::wstring(259, L'x'), record.phiBreakpointLogFile);

    key.setText(L"phiBreakpointLogFile", std::wstring(260, L'y'));
    (void)readTracingValues(store, record);
    EXPECT_EQ(L'\0', record.phiBreakpointLogFile[0]);

    std::wcscpy(record.phiBreakpointLogFile, L"previous.log");
    key.setRaw(L"phiBreakpointLogFile", REG_SZ, std::wstring(260, L'z').c_str(), 260 * sizeof(wchar_t));
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
    expectTracingIntegers(source, destination);
}

TEST(copyTracingSettings, neverRunsPastTheField)
{
    _profilerHookDebugData source = filledRecord(0);
    std::wmemset(source.phiBreakpointLogFile, L'q', 260);
    _profilerHookDebugData destination = filledRecord(5);
    copyTracingSettings(destination, source);
    EXPECT_EQ(std::wstring(259, L'q'), destination.phiBreakpointLogFile);
    expectTracingIntegers(source, destination);
}

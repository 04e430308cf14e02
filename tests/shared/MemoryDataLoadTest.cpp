#include "shared/MemoryData.h"

#include "testSupport/observedSettings.h"
#include "testSupport/productKeyFixture.h"
#include "testSupport/tracingValues.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace
{
_profilerHookDebugData markedRecord(wchar_t fill, int base)
{
    _profilerHookDebugData record;
    std::wmemset(record.phiBreakpointLogFile, fill, 259);
    record.phiBreakpointLogFile[259] = L'\0';
    for (const tracingField& v : tracingFields)
        record.*v.field = base++;
    return record;
}

void storeAll(const wchar_t* text, int base)
{
    productKeyFixture::setText(L"phiBreakpointLogFile", text);
    for (const tracingField& v : tracingFields)
        productKeyFixture::setDword(v.name, static_cast<DWORD>(base++));
}

class MemoryDataLoad : public testing::Test
{
protected:
    productKeyFixture backup;
    observedSettings<MemoryData> data;
};
} // namespace

TEST_F(MemoryDataLoad, readsAllTwelveValuesIntoBothRecords)
{
    storeAll(L"C:\\break\\points.log", 1000);
    _profilerHookDebugData out = markedRecord(L'#', -1);
    EXPECT_EQ(1, data.loadProfilerTracingSettings(out));
    EXPECT_TRUE(data.slotsEmpty());
    EXPECT_EQ(std::wstring(L"C:\\break\\points.log"), out.phiBreakpointLogFile);
    expectTracingIntegers(markedRecord(L'#', 1000), out);
    expectTracingIntegers(out, data.profilerHookDebugData);
    EXPECT_EQ(0, std::memcmp(out.phiBreakpointLogFile, data.profilerHookDebugData.phiBreakpointLogFile,
                             (std::wcslen(out.phiBreakpointLogFile) + 1) * sizeof(wchar_t)));
}

TEST_F(MemoryDataLoad, emptyProductKeyGivesEmptyTextAndTheObjectsIntegers)
{
    data.profilerHookDebugData = markedRecord(L'o', 500);
    _profilerHookDebugData out = markedRecord(L'#', -1);
    EXPECT_EQ(1, data.loadProfilerTracingSettings(out));
    EXPECT_EQ(L'\0', out.phiBreakpointLogFile[0]);
    EXPECT_EQ(L'#', out.phiBreakpointLogFile[1]) << "only the terminator is copied";
    expectTracingIntegers(markedRecord(L'o', 500), out);
    EXPECT_TRUE(data.slotsEmpty());
}

TEST_F(MemoryDataLoad, integersKeepThePreviousLoadWhenValuesDisappear)
{
    storeAll(L"first.log", 10);
    _profilerHookDebugData out{};
    ASSERT_EQ(1, data.loadProfilerTracingSettings(out));
    productKeyFixture::deleteValue(L"phiHideFilenames");
    productKeyFixture::deleteValue(L"phiBreakpointLogFile");
    productKeyFixture::setDword(L"phiTrackDotNetProfiler", 99);
    _profilerHookDebugData second = markedRecord(L'#', -1);
    EXPECT_EQ(1, data.loadProfilerTracingSettings(second));
    EXPECT_EQ(L'\0', second.phiBreakpointLogFile[0]);
    EXPECT_EQ(out.phiHideFilenames, second.phiHideFilenames);
    EXPECT_EQ(99, second.phiTrackDotNetProfiler);
    EXPECT_EQ(out.phiDoHeapValidate, second.phiDoHeapValidate);
}

TEST_F(MemoryDataLoad, textMustFitAndLeavesTheCallersCharactersBehindItsTerminator)
{
    storeAll(std::wstring(260, L'x').c_str(), 0);
    _profilerHookDebugData out = markedRecord(L'#', -1);
    EXPECT_EQ(1, data.loadProfilerTracingSettings(out));
    EXPECT_EQ(L'\0', out.phiBreakpointLogFile[0]);

    storeAll(std::wstring(259, L'y').c_str(), 0);
    EXPECT_EQ(1, data.loadProfilerTracingSettings(out));
    EXPECT_EQ(std::wstring(259, L'y'), out.phiBreakpointLogFile);

    storeAll(L"abc", 0);
    out = markedRecord(L'#', -1);
    EXPECT_EQ(1, data.loadProfilerTracingSettings(out));
    EXPECT_EQ(std::wstring(L"abc"), out.phiBreakpointLogFile);
    EXPECT_EQ(L'#', out.phiBreakpointLogFile[4]);
    EXPECT_EQ(L'#', out.phiBreakpointLogFile[258]);
}

TEST_F(MemoryDataLoad, unreachableProductKeyLeavesTheCallersRecord)
{
    storeAll(L"before.log", 7);
    _profilerHookDebugData out{};
    ASSERT_EQ(1, data.loadProfilerTracingSettings(out));
    const _profilerHookDebugData before = out;

    productKeyFixture::makeUncreatable();
    data.profilerHookDebugData.phiTrackFunctionHooking = -5;
    EXPECT_EQ(0, data.loadProfilerTracingSettings(out));
    EXPECT_EQ(0, std::memcmp(&before, &out, sizeof(out)));
    EXPECT_EQ(-5, data.profilerHookDebugData.phiTrackFunctionHooking);
    EXPECT_TRUE(data.slotsEmpty());
}

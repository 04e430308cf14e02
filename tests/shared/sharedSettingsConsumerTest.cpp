// Links nothing of the settings code but the shared settings DLL's import
// library: every call below crosses into the DLL.
#include "shared/sharedSettings.h"

#include "testSupport/productKeyFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class sharedSettingsConsumer : public testing::Test
{
protected:
    productKeyFixture backup;
};
} // namespace

TEST_F(sharedSettingsConsumer, flagsRoundTripThroughTheDll)
{
    SettingDataQexal writer;
    writer.memoryMappedFileHasBeenOpened = 1;
    EXPECT_EQ(1, writer.writeMemoryMappedFileHasBeenOpened(nullptr, 1, 0));

    auto* reader = new SettingDataQexal;
    EXPECT_EQ(0, reader->memoryMappedFileHasBeenOpened);
    EXPECT_EQ(1, reader->readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(1, reader->memoryMappedFileHasBeenOpened);
    delete reader;

    SettingDataKorvane korvane;
    EXPECT_EQ(0, korvane.readMemoryMappedFileHasBeenOpened(nullptr)) << "the functions flag is not written";
    productKeyFixture::setDword(L"memoryMappedFileHasBeenOpenedFunctions", 3);
    EXPECT_EQ(1, korvane.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(3, korvane.memoryMappedFileHasBeenOpenedFunctions);
}

TEST_F(sharedSettingsConsumer, unreachableKeyThroughTheDll)
{
    productKeyFixture::makeUncreatable();
    SettingDataQexal qexal;
    SettingDataKorvane korvane;
    MemoryData memory;
    _profilerHookDebugData out{};
    out.phiHideFilenames = 8;
    EXPECT_EQ(0, qexal.writeMemoryMappedFileHasBeenOpened(nullptr, 1, 0));
    EXPECT_EQ(0, qexal.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(0, korvane.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(0, memory.loadProfilerTracingSettings(out));
    EXPECT_EQ(8, out.phiHideFilenames);
}

TEST_F(sharedSettingsConsumer, tracingSettingsLoadThroughTheDll)
{
    productKeyFixture::setText(L"phiBreakpointLogFile", L"D:\\dll.log");
    productKeyFixture::setDword(L"phiTrackFunctionHooking", 1);
    productKeyFixture::setDword(L"phiTrackDotNetProfiler", 2);
    MemoryData memory;
    _profilerHookDebugData out{};
    EXPECT_EQ(1, memory.loadProfilerTracingSettings(out));
    EXPECT_EQ(std::wstring(L"D:\\dll.log"), out.phiBreakpointLogFile);
    EXPECT_EQ(1, out.phiTrackFunctionHooking);
    EXPECT_EQ(2, out.phiTrackDotNetProfiler);
    EXPECT_EQ(0, out.phiHideSymbolNames);
}

TEST_F(sharedSettingsConsumer, filtersFilledAndAskedThroughTheDll)
{
    auto* memory = new MemoryData;
    EXPECT_EQ(0, memory->hasCollectorsAndFilters());
    EXPECT_EQ(0, memory->hasLineTimingFilters());

    ASSERT_EQ(1, memory->classMethodFilters.add(L"Shape::*"));
    ASSERT_EQ(1, memory->fileNameFilters.add(L"*.CPP"));
    memory->fileNameFilterMode = 1;
    ASSERT_EQ(1, memory->lineTimingFilters.add(L"Draw"));
    memory->lineTimingFilterMode = 2;
    EXPECT_EQ(1, memory->hasCollectorsAndFilters());
    EXPECT_EQ(1, memory->hasLineTimingFilters());
    EXPECT_EQ(std::wstring(L"Shape::*"), memory->classMethodFilters.getAt(0).GetString());

    EXPECT_EQ(1, memory->isFileNameClassMethodFiltered("main.c", 0, "Shape", "Draw", 0));
    EXPECT_EQ(1, memory->isFileNameClassMethodFiltered(L"main.cpp", 0, L"App", L"Run", 0));
    EXPECT_EQ(0, memory->isFileNameClassMethodFiltered(L"main.c", 0, L"App", L"Run", 0));
    EXPECT_EQ(0, memory->isFileNameClassMethodFiltered("main.c", 0, "App", nullptr, 0));

    EXPECT_EQ(0, memory->isLineTimingClassMethodFiltered("Shape", "Draw", 0)) << "'Draw' is no pattern for the name";
    EXPECT_EQ(0, memory->isLineTimingClassMethodFiltered(L"Object", L"Draw", 0));
    memory->lineTimingFilters.removeAll();
    ASSERT_EQ(1, memory->lineTimingFilters.add(L"*::Draw"));
    EXPECT_EQ(1, memory->isLineTimingClassMethodFiltered(nullptr, L"Draw", 0));
    EXPECT_EQ(1, memory->isLineTimingClassMethodFiltered("Shape", "Draw", 0));
    EXPECT_EQ(0, memory->isLineTimingClassMethodFiltered(L"Shape::Draw"));
    memory->lineTimingFilters.removeAll();
    ASSERT_EQ(1, memory->lineTimingFilters.add(L"Draw"));
    EXPECT_EQ(1, memory->isLineTimingClassMethodFiltered(L"Shape::Draw"));
    EXPECT_EQ(1, memory->isLineTimingClassMethodFiltered(nullptr));
    delete memory;
}

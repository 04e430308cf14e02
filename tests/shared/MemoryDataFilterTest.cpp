#include "shared/MemoryData.h"

#include "testSupport/widened.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace
{
void fill(stubStringList& list, std::initializer_list<const wchar_t*> entries)
{
    list.removeAll();
    for (const wchar_t* entry : entries)
        ASSERT_EQ(1, list.add(entry));
}

class MemoryDataFilters : public testing::Test
{
protected:
    // Both overloads must agree.
    int fileClassMethod(const char* file, const char* className, const char* method)
    {
        const int narrow = data.isFileNameClassMethodFiltered(file, 7, className, method, -1);
        const widened f(file), c(className), m(method);
        const int wide = data.isFileNameClassMethodFiltered(f.get, 0, c.get, m.get, 3);
        EXPECT_EQ(narrow, wide) << "narrow and wide overloads disagree";
        return wide;
    }

    int lineTiming(const char* className, const char* method)
    {
        const int narrow = data.isLineTimingClassMethodFiltered(className, method, 5);
        const widened c(className), m(method);
        const int wide = data.isLineTimingClassMethodFiltered(c.get, m.get, 0);
        EXPECT_EQ(narrow, wide) << "narrow and wide overloads disagree";
        return wide;
    }

    MemoryData data;
};
} // namespace

TEST_F(MemoryDataFilters, freshObjectHasNothingAndFiltersNothing)
{
    EXPECT_EQ(0, data.hasCollectorsAndFilters());
    EXPECT_EQ(0, data.hasLineTimingFilters());
    EXPECT_EQ(0, data.classMethodFilterMode);
    EXPECT_EQ(0, data.lineTimingFilterMode);
    EXPECT_EQ(0, data.fileNameFilterMode);
    EXPECT_EQ(0u, data.collectors.getCount());
    EXPECT_EQ(L'\0', data.profilerHookDebugData.phiBreakpointLogFile[0]);
    EXPECT_EQ(0, data.profilerHookDebugData.phiTrackDotNetProfiler);
    EXPECT_EQ(0, fileClassMethod("main.cpp", "Shape", "Draw"));
    EXPECT_EQ(0, lineTiming("Shape", "Draw"));
}

TEST_F(MemoryDataFilters, eachListCountsForItsOwnQuestion)
{
    fill(data.lineTimingFilters, {L"x"});
    EXPECT_EQ(0, data.hasCollectorsAndFilters());
    EXPECT_EQ(1, data.hasLineTimingFilters());

    fill(data.collectors, {L"heap"});
    EXPECT_EQ(1, data.hasCollectorsAndFilters());
    data.collectors.removeAll();
    fill(data.classMethodFilters, {L"*"});
    EXPECT_EQ(1, data.hasCollectorsAndFilters());
    data.classMethodFilters.removeAll();
    fill(data.fileNameFilters, {L"*"});
    EXPECT_EQ(1, data.hasCollectorsAndFilters());
    data.lineTimingFilters.removeAll();
    EXPECT_EQ(0, data.hasLineTimingFilters());
}

TEST_F(MemoryDataFilters, classPatternsMatchTheComposedNameWithCase)
{
    fill(data.classMethodFilters, {L"nothing", L"Shape::D*"});
    EXPECT_EQ(1, fileClassMethod("main.cpp", "Shape", "Draw"));
    EXPECT_EQ(0, fileClassMethod("main.cpp", "shape", "Draw"));
    EXPECT_EQ(0, fileClassMethod("main.cpp", "Shape", "Fill"));

    fill(data.classMethodFilters, {L"shape::*"});
    EXPECT_EQ(0, fileClassMethod("main.cpp", "Shape", "Draw"));

    data.classMethodFilterMode = 2;
    EXPECT_EQ(1, fileClassMethod("main.cpp", "Shape", "Draw"));
    EXPECT_EQ(0, fileClassMethod("main.cpp", "shape", "Draw"));
    data.classMethodFilterMode = 1;
    EXPECT_EQ(1, fileClassMethod("main.cpp", "shape", "Draw"));
}

TEST_F(MemoryDataFilters, missingClassBecomesObjectAndMissingMethodIsLeftOut)
{
    fill(data.classMethodFilters, {L"Object::Draw"});
    EXPECT_EQ(1, fileClassMethod(nullptr, nullptr, "Draw"));
    EXPECT_EQ(1, fileClassMethod(nullptr, "", "Draw"));
    EXPECT_EQ(0, fileClassMethod(nullptr, "Shape", "Draw"));

    fill(data.classMethodFilters, {L"Shape"});
    EXPECT_EQ(1, fileClassMethod(nullptr, "Shape", nullptr));
    EXPECT_EQ(1, fileClassMethod(nullptr, "Shape", ""));
    EXPECT_EQ(0, fileClassMethod(nullptr, "Shape", "Draw"));

    fill(data.classMethodFilters, {L"Object"});
    EXPECT_EQ(1, fileClassMethod(nullptr, nullptr, nullptr));
    EXPECT_EQ(1, fileClassMethod(nullptr, "", ""));
}

TEST_F(MemoryDataFilters, longComposedNamesAreMatchedWhole)
{
    const std::string longClass(300, 'C');
    const std::string longMethod(200, 'm');
    fill(data.classMethodFilters, {(std::wstring(300, L'C') + L"::" + std::wstring(199, L'm') + L"?").c_str()});
    EXPECT_EQ(1, fileClassMethod("f.cpp", longClass.c_str(), longMethod.c_str()));
    EXPECT_EQ(0, fileClassMethod("f.cpp", longClass.c_str(), (longMethod + "m").c_str()));
}

TEST_F(MemoryDataFilters, emptyClassListGivesNoVerdictWhateverTheMode)
{
    data.classMethodFilterMode = 2;
    EXPECT_EQ(0, fileClassMethod("main.cpp", "Shape", "Draw"));
}

TEST_F(MemoryDataFilters, filePatternsIgnoreCaseInModeOne)
{
    fill(data.fileNameFilters, {L"*.H", L"*.CPP"});
    data.fileNameFilterMode = 1;
    EXPECT_EQ(1, fileClassMethod("main.cpp", "Shape", "Draw"));
    EXPECT_EQ(1, fileClassMethod("C:\\SRC\\UTIL.h", "Shape", "Draw"));
    EXPECT_EQ(0, fileClassMethod("main.c", "Shape", "Draw"));
    EXPECT_EQ(0, fileClassMethod(nullptr, "Shape", "Draw"));
}

TEST_F(MemoryDataFilters, modeTwoFiltersFilesThatMatchNoEntry)
{
    fill(data.fileNameFilters, {L"*.cpp", L"*.h"});
    data.fileNameFilterMode = 2;
    EXPECT_EQ(0, fileClassMethod("main.cpp", "Shape", "Draw"));
    EXPECT_EQ(1, fileClassMethod("main.c", "Shape", "Draw"));
    // A missing file name is the empty text, which matches no entry here.
    EXPECT_EQ(1, fileClassMethod(nullptr, "Shape", "Draw"));
    fill(data.fileNameFilters, {L"*"});
    EXPECT_EQ(0, fileClassMethod(nullptr, "Shape", "Draw"));
}

TEST_F(MemoryDataFilters, otherFileModesSwitchTheFileFilterOff)
{
    fill(data.fileNameFilters, {L"*.cpp"});
    for (int mode : {0, 3, -1}) {
        data.fileNameFilterMode = mode;
        EXPECT_EQ(0, fileClassMethod("main.cpp", "Shape", "Draw")) << "mode " << mode;
        EXPECT_EQ(0, fileClassMethod("main.c", "Shape", "Draw")) << "mode " << mode;
    }
}

TEST_F(MemoryDataFilters, eitherVerdictFilters)
{
    fill(data.classMethodFilters, {L"Shape::*"});
    fill(data.fileNameFilters, {L"*.cpp"});
    data.fileNameFilterMode = 1;
    EXPECT_EQ(1, fileClassMethod("main.cpp", "App", "Run"));
    EXPECT_EQ(1, fileClassMethod("main.c", "Shape", "Draw"));
    EXPECT_EQ(0, fileClassMethod("main.c", "App", "Run"));
}

TEST_F(MemoryDataFilters, narrowFileNamesAreWidenedBeforeMatching)
{
    // 0xE9 is e acute in the Western code pages; the pattern is its upper
    // case, so this holds where the ANSI code page keeps that character.
    if (GetACP() != 1252)
        GTEST_SKIP() << "needs the Western ANSI code page";
    fill(data.fileNameFilters, {L"*\u00C9T\u00C9.CPP"});
    data.fileNameFilterMode = 1;
    EXPECT_EQ(1, data.isFileNameClassMethodFiltered("\xE9t\xE9.cpp", 0, "A", "b", 0));
    EXPECT_EQ(1, data.isFileNameClassMethodFiltered(L"\u00E9t\u00E9.cpp", 0, L"A", L"b", 0));
}

TEST_F(MemoryDataFilters, lineTimingPatternsTakeTheClassMethodSense)
{
    EXPECT_EQ(0, lineTiming("Shape", "Draw"));
    data.classMethodFilterMode = 2;
    EXPECT_EQ(0, lineTiming("Shape", "Draw")) << "an empty list never filters";

    fill(data.lineTimingFilters, {L"Shape::*"});
    data.classMethodFilterMode = 0;
    data.lineTimingFilterMode = 2;
    EXPECT_EQ(1, lineTiming("Shape", "Draw"));
    EXPECT_EQ(0, lineTiming("shape", "Draw"));
    EXPECT_EQ(0, lineTiming(nullptr, "Draw"));
    data.classMethodFilterMode = 2;
    EXPECT_EQ(0, lineTiming("Shape", "Draw"));
    EXPECT_EQ(1, lineTiming(nullptr, "Draw"));

    fill(data.lineTimingFilters, {L"Object::Run"});
    data.classMethodFilterMode = 1;
    EXPECT_EQ(1, lineTiming("", "Run"));
}

using LineTimingByName = MemoryDataFilters;

TEST_F(LineTimingByName, nullNameIsFilteredEvenWithoutEntries)
{
    EXPECT_EQ(1, data.isLineTimingClassMethodFiltered(nullptr));
    data.lineTimingFilterMode = 1;
    EXPECT_EQ(0, data.isLineTimingClassMethodFiltered(L"Shape::Draw"));
}

TEST_F(LineTimingByName, entriesHitInModeTwoAndMissInModeOne)
{
    struct nameCase
    {
        std::initializer_list<const wchar_t*> entries;
        const wchar_t* name;
        int hit;
    };
    const nameCase cases[] = {
        {{L"Shape::"}, L"Shape::Draw", 1}, {{L"Shape::"}, L"App::Shape::Draw", 1}, {{L"Shape."}, L"Shape.Draw", 1},
        {{L"Draw"}, L"Shape::Draw", 1}, {{L"Draw"}, L"Shape.Draw", 1}, {{L"Shape::Draw"}, L"::Shape::Draw", 1},
        {{L"Shape::Draw"}, L"Shape::Draw", 1}, {{L"Dra", L"Shape::Draw"}, L"Shape::Draw", 0},
        {{L"hape::Draw", L"Shape::Draw"}, L"Shape::Draw", 1}, {{L"hape::Draw"}, L"Shape::Draw", 0},
        {{L"Shape", L"Draw"}, L"Shape::Draw", 1}, {{L"Shape"}, L"Shape::Draw", 0}, {{L"Paint"}, L"Shape::Draw", 0},
        {{L"", L"Draw"}, L"Shape::Draw", 1}, {{L"Draw"}, L"", 0}, {{L"draw"}, L"Shape::Draw", 0},
    };
    for (const nameCase& c : cases) {
        fill(data.lineTimingFilters, c.entries);
        data.lineTimingFilterMode = 2;
        EXPECT_EQ(c.hit, data.isLineTimingClassMethodFiltered(c.name)) << "mode 2, name "
                                                                       << testing::PrintToString(std::wstring(c.name));
        data.lineTimingFilterMode = 1;
        EXPECT_EQ(1 - c.hit, data.isLineTimingClassMethodFiltered(c.name))
            << "mode 1, name " << testing::PrintToString(std::wstring(c.name));
        for (int mode : {0, 3}) {
            data.lineTimingFilterMode = mode;
            EXPECT_EQ(0, data.isLineTimingClassMethodFiltered(c.name)) << "mode " << mode;
        }
    }
}

TEST_F(LineTimingByName, ignoresTheClassMethodMode)
{
    fill(data.lineTimingFilters, {L"Draw"});
    data.lineTimingFilterMode = 2;
    data.classMethodFilterMode = 2;
    EXPECT_EQ(1, data.isLineTimingClassMethodFiltered(L"Shape::Draw"));
}

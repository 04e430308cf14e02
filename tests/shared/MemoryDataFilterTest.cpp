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

TEST_F(MemoryDataFilters, longComposedNamesAreMatchedWhole)
{
    const std::string longClass(300, 'C');
    const std::string longMethod(200, 'm');
    fill(data.classMethodFilters, {(std::wstring(300, L'C') + L"::" + std::wstring(199, L'm') + L"?").c_str()});
    EXPECT_EQ(1, fileClassMethod("f.cpp", longClass.c_str(), longMethod.c_str()));
    EXPECT_EQ(0, fileClassMethod("f.cpp", longClass.c_str(), (longMethod + "m").c_str()));
}

// Class patterns match "Class::method" with case (mode 1 ignores it, mode 2
// filters what matches no entry); file patterns likewise by the file mode.
// Either verdict filters.
TEST_F(MemoryDataFilters, classAndFilePatternsByMode)
{
    struct call
    {
        const char* file;
        const char* className;
        const char* method;
        int expected;
    };
    const struct
    {
        std::initializer_list<const wchar_t*> classFilters;
        int classMode;
        std::initializer_list<const wchar_t*> fileFilters;
        int fileMode;
        std::initializer_list<call> calls;
    } cases[] = {
        {{L"nothing", L"Shape::D*"}, 0, {}, 0,
         {{"main.cpp", "Shape", "Draw", 1}, {"main.cpp", "shape", "Draw", 0}, {"main.cpp", "Shape", "Fill", 0}}},
        {{L"shape::*"}, 0, {}, 0, {{"main.cpp", "Shape", "Draw", 0}}},
        {{L"shape::*"}, 2, {}, 0, {{"main.cpp", "Shape", "Draw", 1}, {"main.cpp", "shape", "Draw", 0}}},
        {{L"shape::*"}, 1, {}, 0, {{"main.cpp", "shape", "Draw", 1}}},
        // A missing class becomes Object; a missing method is left out.
        {{L"Object::Draw"}, 0, {}, 0,
         {{nullptr, nullptr, "Draw", 1}, {nullptr, "", "Draw", 1}, {nullptr, "Shape", "Draw", 0}}},
        {{L"Shape"}, 0, {}, 0,
         {{nullptr, "Shape", nullptr, 1}, {nullptr, "Shape", "", 1}, {nullptr, "Shape", "Draw", 0}}},
        {{L"Object"}, 0, {}, 0, {{nullptr, nullptr, nullptr, 1}, {nullptr, "", "", 1}}},
        // An empty class list gives no verdict whatever the mode.
        {{}, 2, {}, 0, {{"main.cpp", "Shape", "Draw", 0}}},
        {{}, 0, {L"*.H", L"*.CPP"}, 1,
         {{"main.cpp", "Shape", "Draw", 1}, {"C:\\SRC\\UTIL.h", "Shape", "Draw", 1}, {"main.c", "Shape", "Draw", 0},
          {nullptr, "Shape", "Draw", 0}}},
        // A missing file name is the empty text, which matches no entry here.
        {{}, 0, {L"*.cpp", L"*.h"}, 2,
         {{"main.cpp", "Shape", "Draw", 0}, {"main.c", "Shape", "Draw", 1}, {nullptr, "Shape", "Draw", 1}}},
        {{}, 0, {L"*"}, 2, {{nullptr, "Shape", "Draw", 0}}},
        // Other file modes switch the file filter off.
        {{}, 0, {L"*.cpp"}, 0, {{"main.cpp", "Shape", "Draw", 0}, {"main.c", "Shape", "Draw", 0}}},
        {{}, 0, {L"*.cpp"}, 3, {{"main.cpp", "Shape", "Draw", 0}, {"main.c", "Shape", "Draw", 0}}},
        {{}, 0, {L"*.cpp"}, -1, {{"main.cpp", "Shape", "Draw", 0}, {"main.c", "Shape", "Draw", 0}}},
        // Either verdict filters.
        {{L"Shape::*"}, 0, {L"*.cpp"}, 1,
         {{"main.cpp", "App", "Run", 1}, {"main.c", "Shape", "Draw", 1}, {"main.c", "App", "Run", 0}}},
    };
    for (const auto& c : cases) {
        fill(data.classMethodFilters, c.classFilters);
        data.classMethodFilterMode = c.classMode;
        fill(data.fileNameFilters, c.fileFilters);
        data.fileNameFilterMode = c.fileMode;
        for (const call& each : c.calls) {
            SCOPED_TRACE(std::string(each.file ? each.file : "(null)") + " " +
                         (each.className ? each.className : "(null)") + "::" + (each.method ? each.method : "(null)") +
                         ", class mode " + std::to_string(c.classMode) + ", file mode " + std::to_string(c.fileMode));
            EXPECT_EQ(each.expected, fileClassMethod(each.file, each.className, each.method));
        }
    }
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

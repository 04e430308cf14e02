#include "testSupport/failureLogFixture.h"

#include "settings/logFile.h"
#include "testSupport/scratchFolder.h"

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

// One log file for the whole program: it exists before the first report,
// so every report must be appended after what it held.
namespace
{
const std::string earlierContent = "written before this run\r\n";
const auto* const logEnvironment =
    testing::AddGlobalTestEnvironment(new programLogFile(L"existing.log", earlierContent));

const std::wstring& logPath()
{
    return programLogFile::path();
}
} // namespace

using failureLog = failureLogTest;

TEST(failureLogOff, reportsNothingAndKeepsTheLastError)
{
    ASSERT_EQ(0, isLogFileEnabled());
    const std::wstring missing = failureLogFolder::file(L"never.log");
    SetLastError(ERROR_INVALID_DATA);
    reportErrorToLogFile(missing.c_str(), ERROR_ACCESS_DENIED, "setting int value", L"uiLogger::enabled");
    reportErrorToLogFile(missing.c_str(), ERROR_ACCESS_DENIED, "Creating key", "");
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(missing.c_str()));
}

// A thread's first direct write touches the log's thread-local state for the
// first time; the caller's last error must survive that too.
TEST(failureLogOff, aThreadsFirstDirectWriteKeepsTheLastError)
{
    for (const bool wide : {false, true}) {
        DWORD after = 0;
        std::thread([&] {
            SetLastError(1234);
            if (wide)
                logFile::writeToLogFile(nullptr, L"x");
            else
                logFile::writeToLogFile(nullptr, "x");
            after = GetLastError();
        }).join();
        EXPECT_EQ(1234u, after) << (wide ? "wide" : "narrow");
    }
}

TEST_F(failureLog, appendsTheComposedNarrowReportAfterExistingContent)
{
    const logGrowth growth(logPath());
    SetLastError(ERROR_INVALID_DATA);
    reportErrorToLogFile(logPath().c_str(), ERROR_ACCESS_DENIED, "Creating key", "HKCU");
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), GetLastError());

    EXPECT_EQ(0u, scratchFolder::readAll(logPath()).find(earlierContent));
    const std::string added = growth.added();
    EXPECT_EQ(systemTextA(ERROR_ACCESS_DENIED) + " : Creating key : HKCU", added);
    if (isEnglishSystem()) {
        EXPECT_TRUE(isEnglishAccessDenied(added.substr(0, added.find(" : ")))) << added;
    }
}

TEST_F(failureLog, nameIsOptionalAndAnEmptyNameLeavesTheSeparator)
{
    const logGrowth growth(logPath());
    reportErrorToLogFile(logPath().c_str(), ERROR_FILE_NOT_FOUND, "Closing Key", static_cast<const char*>(nullptr));
    reportErrorToLogFile(logPath().c_str(), ERROR_FILE_NOT_FOUND, "Closing Key", "");
    const std::string text = systemTextA(ERROR_FILE_NOT_FOUND);
    // No separator between reports: the system text's own line end is the only break.
    EXPECT_EQ(text + " : Closing Key" + text + " : Closing Key : ", growth.added());
}

TEST_F(failureLog, wideReportsAreUtf16WithoutByteOrderMarkBesideNarrowOnes)
{
    const logGrowth growth(logPath());
    reportErrorToLogFile(logPath().c_str(), ERROR_ACCESS_DENIED, "setting dword value", "narrow");
    reportErrorToLogFile(logPath().c_str(), ERROR_ACCESS_DENIED, "setting dword value",
                         L"memoryMappedFileHasBeenOpened \u0100");
    const std::string expected =
        systemTextA(ERROR_ACCESS_DENIED) + " : setting dword value : narrow" +
        bytesOf(systemTextW(ERROR_ACCESS_DENIED) + L" : setting dword value : memoryMappedFileHasBeenOpened \u0100");
    EXPECT_EQ(expected, growth.added());
}

TEST_F(failureLog, successReportsNothing)
{
    const logGrowth growth(logPath());
    SetLastError(ERROR_INVALID_DATA);
    reportErrorToLogFile(logPath().c_str(), ERROR_SUCCESS, "setting int value", L"x");
    reportErrorToLogFile(logPath().c_str(), ERROR_SUCCESS, "Closing Key", "");
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), GetLastError());
    EXPECT_EQ("", growth.added());
}

TEST_F(failureLog, aCodeWithoutSystemTextIsWrittenAsItsNumber)
{
    const logGrowth growth(logPath());
    reportErrorToLogFile(logPath().c_str(), 0x2FFFFFFF, "set value", "[f]I0");
    EXPECT_EQ("805306367 : set value : [f]I0", growth.added());
}

TEST_F(failureLog, aReportLongerThanItsBufferIsCutAt2999Characters)
{
    const logGrowth growth(logPath());
    const std::wstring longName(5000, L'n');
    reportErrorToLogFile(logPath().c_str(), ERROR_ACCESS_DENIED, "set value", longName.c_str());
    const std::wstring head = systemTextW(ERROR_ACCESS_DENIED) + L" : set value : ";
    const std::wstring expected = (head + longName).substr(0, 2999);
    EXPECT_EQ(bytesOf(expected), growth.added());

    const logGrowth narrowGrowth(logPath());
    const std::string longNarrow(5000, 'm');
    reportErrorToLogFile(logPath().c_str(), ERROR_ACCESS_DENIED, "set value", longNarrow.c_str());
    EXPECT_EQ((systemTextA(ERROR_ACCESS_DENIED) + " : set value : " + longNarrow).substr(0, 2999),
              narrowGrowth.added());
}

TEST_F(failureLog, reportsFromManyThreadsAreAllWrittenWholeAndOnce)
{
    constexpr int threadCount = 8;
    constexpr int reportsPerThread = 200;
    const logGrowth growth(logPath());
    const std::wstring head = systemTextW(ERROR_ACCESS_DENIED) + L" : set value : ";

    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t)
        threads.emplace_back([&, t] {
            while (!go)
                Sleep(0);
            for (int r = 0; r < reportsPerThread; ++r) {
                const std::wstring name = L"<" + std::to_wstring(t) + L"." + std::to_wstring(r) + L">";
                reportErrorToLogFile(logPath().c_str(), ERROR_ACCESS_DENIED, "set value", name.c_str());
            }
        });
    go = true;
    for (auto& thread : threads)
        thread.join();

    const std::string added = growth.added();
    ASSERT_EQ(0u, added.size() % sizeof(wchar_t));
    const std::wstring text(reinterpret_cast<const wchar_t*>(added.data()), added.size() / sizeof(wchar_t));

    // Walk the file report by report: each must be whole, and each name must
    // come exactly once.
    std::map<std::wstring, int> seen;
    size_t position = 0;
    while (position < text.size()) {
        ASSERT_EQ(0u, text.compare(position, head.size(), head)) << "report torn at " << position;
        position += head.size();
        const size_t end = text.find(L'>', position);
        ASSERT_NE(std::wstring::npos, end);
        ++seen[text.substr(position, end + 1 - position)];
        position = end + 1;
    }
    EXPECT_EQ(static_cast<size_t>(threadCount * reportsPerThread), seen.size());
    for (const auto& [name, count] : seen)
        EXPECT_EQ(1, count) << std::string(name.begin(), name.end());
}

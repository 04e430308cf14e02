#pragma once

#include "settings/failureLog.h"
#include "settings/logFile.h"
#include "testSupport/scratchFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

// The failure log keeps the file it opened first for the rest of the
// process, so each test program has one log folder of its own, made at first
// use and removed with its content when the program ends.
class failureLogFolder
{
public:
    static const std::wstring& path();
    static std::wstring file(const wchar_t* name) { return path() + L"\\" + name; }
};

// The failure log keeps the first file it opens for the rest of the process.
// A program whose tests read the log names its one file at namespace scope:
//   const auto* const logEnvironment =
//       testing::AddGlobalTestEnvironment(new programLogFile(L"store.log"));
// The file (with any earlier content given) is then the log's before the
// first test runs, whichever test that is.
class programLogFile : public ::testing::Environment
{
public:
    explicit programLogFile(const wchar_t* name, std::string earlierContent = {})
        : name(name), earlierContent(std::move(earlierContent))
    {
    }
    void SetUp() override;
    static const std::wstring& path();

private:
    const wchar_t* name;
    std::string earlierContent;
};

// What a log file gained from construction on; a rewritten log fails the test.
class logGrowth
{
public:
    explicit logGrowth(const std::wstring& file) : file(file), before(scratchFolder::readAll(file)) {}
    std::string added() const;

private:
    std::wstring file;
    std::string before;
};

// Switches the log on for one test and off again, and keeps the thread's
// last error apart from what the test checks.
class failureLogTest : public ::testing::Test
{
protected:
    void SetUp() override { setLogFileEnabled(1); }
    void TearDown() override { setLogFileEnabled(0); }

    // The system's text for code as the log writes it (tested on its own
    // against texts written out).
    static std::string systemTextA(DWORD code);
    static std::wstring systemTextW(DWORD code);
    // Whether the user's language and the system's texts are English, where
    // a text can be written out here; and whether text is ERROR_ACCESS_DENIED's.
    static bool isEnglishSystem();
    static bool isEnglishAccessDenied(const std::string& text);
    // Wide text as the log holds it: UTF-16 without a byte order mark.
    static std::string bytesOf(const std::wstring& text);
};

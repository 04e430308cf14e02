#include "testSupport/failureLogFixture.h"

#include "settings/logFile.h"
#include "settings/systemMessage.h"
#include "support/stubLockGuard.h"
#include "support/uniqueHandle.h"
#include "testSupport/scratchFolder.h"

#include <utility>

namespace
{
// The folder is this program's alone: other test programs run beside it and
// own theirs. The failure log keeps its file open for the rest of the
// process, so it is closed here, under the log's lock, before the folder
// goes at exit.
class ownedLogFolder
{
public:
    ~ownedLogFolder()
    {
        const stubLockGuard guard(&logFile::logFileLock, nullptr);
        const uniqueFileHandle file(std::exchange(logFile::logFileTarget.handle, INVALID_HANDLE_VALUE));
    }

    scratchFolder folder;
};
} // namespace

const std::wstring& failureLogFolder::path()
{
    static const ownedLogFolder owned;
    return owned.folder.path();
}

namespace
{
std::wstring programLogPath;
} // namespace

void programLogFile::SetUp()
{
    ASSERT_TRUE(programLogPath.empty()) << "a program has one failure-log file";
    programLogPath = failureLogFolder::file(name);
    if (!earlierContent.empty())
        scratchFolder::writeAll(programLogPath, earlierContent);
    const int wasEnabled = isLogFileEnabled();
    setLogFileEnabled(1);
    logFile::writeToLogFile(programLogPath.c_str(), "");
    setLogFileEnabled(wasEnabled);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(programLogPath.c_str()));
}

const std::wstring& programLogFile::path()
{
    return programLogPath;
}

std::string logGrowth::added() const
{
    const std::string now = scratchFolder::readAll(file);
    EXPECT_EQ(before, now.substr(0, before.size())) << "the log was rewritten";
    return now.size() > before.size() ? now.substr(before.size()) : std::string();
}

std::string failureLogTest::bytesOf(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::string failureLogTest::systemTextA(DWORD code)
{
    const systemMessage<char> text(code);
    return text.text() != nullptr ? text.text() : "";
}

std::wstring failureLogTest::systemTextW(DWORD code)
{
    const systemMessage<wchar_t> text(code);
    return text.text() != nullptr ? text.text() : L"";
}

bool failureLogTest::isEnglishSystem()
{
    return PRIMARYLANGID(GetUserDefaultLangID()) == LANG_ENGLISH &&
           PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ENGLISH;
}

bool failureLogTest::isEnglishAccessDenied(const std::string& text)
{
    // Windows' words, and Wine's, which are shorter.
    return text == "Access is denied.\r\n" || text == "Access denied.\r\n";
}

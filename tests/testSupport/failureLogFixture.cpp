#include "testSupport/failureLogFixture.h"

#include "settings/logFile.h"
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
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                   nullptr, code, 0x0400, reinterpret_cast<char*>(&text), 0, nullptr);
    const uniqueLocalMemory owned(text);
    return text != nullptr ? text : "";
}

std::wstring failureLogTest::systemTextW(DWORD code)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                   nullptr, code, 0x0400, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const uniqueLocalMemory owned(text);
    return text != nullptr ? text : L"";
}

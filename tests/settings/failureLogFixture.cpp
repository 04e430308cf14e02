#include "failureLogFixture.h"

#include "support/uniqueHandle.h"
#include "testSupport/scratchFolder.h"

namespace
{
std::wstring makeLogFolder()
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring base(temp, length);

    // Earlier runs leave their folders behind: their log file was open until
    // their process ended.
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((base + L"korvanexFailureLog-*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring old = base + entry.cFileName;
            WIN32_FIND_DATAW inner;
            HANDLE files = FindFirstFileW((old + L"\\*").c_str(), &inner);
            if (files != INVALID_HANDLE_VALUE) {
                do
                    DeleteFileW((old + L"\\" + inner.cFileName).c_str());
                while (FindNextFileW(files, &inner));
                FindClose(files);
            }
            RemoveDirectoryW(old.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }

    const std::wstring folder = base + L"korvanexFailureLog-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}
} // namespace

const std::wstring& failureLogFolder::path()
{
    static const std::wstring folder = makeLogFolder();
    return folder;
}

std::string failureLogFolder::read(const std::wstring& file)
{
    return scratchFolder::readAll(file);
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

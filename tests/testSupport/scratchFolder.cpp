#include "testSupport/scratchFolder.h"

#include "support/uniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

namespace
{
std::atomic<unsigned> folderCounter{0};

void removeTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring full = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(full);
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}
} // namespace

scratchFolder::scratchFolder()
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    EXPECT_NE(0u, length);
    folder = std::wstring(temp, length) + L"korvanexTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(folderCounter++);
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    removeTree(folder);
    EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
}

scratchFolder::~scratchFolder()
{
    removeTree(folder);
}

std::string scratchFolder::readAll(const std::wstring& path)
{
    const uniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string content;
    if (!file)
        return content;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof(chunk), &got, nullptr) && got != 0)
        content.append(chunk, got);
    return content;
}

void scratchFolder::writeAll(const std::wstring& path, const std::string& content)
{
    const uniqueFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(static_cast<bool>(file)) << GetLastError();
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
}

#include "testSupport/scratchFolder.h"

#include "support/uniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
std::atomic<unsigned> folderCounter{0};

void removeTree(const std::wstring& folder)
{
    // The file chooser leaves the process in the folder last chosen, and a
    // process's current folder cannot be removed: step out of it first.
    wchar_t current[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, current);
    if (length >= folder.size() && length <= MAX_PATH &&
        CompareStringOrdinal(current, static_cast<int>(folder.size()), folder.c_str(), static_cast<int>(folder.size()),
                             TRUE) == CSTR_EQUAL)
        SetCurrentDirectoryW((folder + L"\\..").c_str());
    std::error_code ignored; // what cannot go now (a file still open) stays behind
    std::filesystem::remove_all(folder, ignored);
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
    // The temporary folder may be given in short (8.3) form; what the system
    // hands back, such as a file chooser's result, may be long.
    folder = longPath(folder);
}

std::wstring scratchFolder::longPath(const std::wstring& path)
{
    const DWORD size = GetLongPathNameW(path.c_str(), nullptr, 0);
    std::wstring result(size, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), result.data(), size);
    if (length == 0 || length >= size)
        return path;
    result.resize(length);
    return result;
}

scratchFolder::~scratchFolder()
{
    removeTree(folder);
}

std::string scratchFolder::readAll(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void scratchFolder::writeAll(const std::wstring& path, const std::string& content)
{
    const uniqueFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(static_cast<bool>(file)) << GetLastError();
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
}

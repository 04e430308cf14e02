#include "app/defaultLogFile.h"

#include "profilerFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
bool isFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(defaultLogFile, folderAndDefaultPathLieInApplicationData)
{
    const std::wstring maker = makerFolder();
    const std::wstring profiler = profilerFolder();
    RemoveDirectoryW(profiler.c_str());
    RemoveDirectoryW(maker.c_str());

    EXPECT_EQ(profiler, std::wstring(getAppDataFolder()));
    EXPECT_TRUE(isFolder(maker));
    EXPECT_TRUE(isFolder(profiler));
    EXPECT_EQ(profiler + L"\\x.txt", std::wstring(getAppDataFolder(L"x.txt")));

    const std::wstring expected = defaultLogFilePath();
    EXPECT_EQ(expected, std::wstring(getDefaultLogFileName()));

    // Once known, the default is not looked for again: the folders stay gone.
    RemoveDirectoryW(profiler.c_str());
    RemoveDirectoryW(maker.c_str());
    EXPECT_EQ(expected, std::wstring(getDefaultLogFileName()));
    EXPECT_FALSE(isFolder(maker));
    (void)getAppDataFolder();
}

TEST(appendPathPart, separatorsAndCapacity)
{
    wchar_t buffer[12] = L"C:\\a";
    EXPECT_TRUE(appendPathPart(buffer, 12, pathSeparator::always, L"b"));
    EXPECT_STREQ(L"C:\\a\\b", buffer);
    EXPECT_TRUE(appendPathPart(buffer, 12, pathSeparator::unlessPresent, L"c"));
    EXPECT_STREQ(L"C:\\a\\b\\c", buffer);

    wchar_t root[8] = L"C:\\";
    EXPECT_TRUE(appendPathPart(root, 8, pathSeparator::unlessPresent, L"d"));
    EXPECT_STREQ(L"C:\\d", root);
    wchar_t always[8] = L"C:\\";
    EXPECT_TRUE(appendPathPart(always, 8, pathSeparator::always, L"d"));
    EXPECT_STREQ(L"C:\\\\d", always);

    // Exactly full fits; one more character is refused and changes nothing.
    wchar_t full[8] = L"C:\\ab";
    EXPECT_TRUE(appendPathPart(full, 8, pathSeparator::unlessPresent, L"c"));
    EXPECT_STREQ(L"C:\\ab\\c", full);
    EXPECT_FALSE(appendPathPart(full, 8, pathSeparator::unlessPresent, L"d"));
    EXPECT_STREQ(L"C:\\ab\\c", full);
}
} // namespace

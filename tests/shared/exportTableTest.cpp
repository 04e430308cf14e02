#include "exportTable.h"

#include "support/uniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace
{
void expectAllSettingsExports(const std::wstring& path)
{
    std::string failure;
    const std::vector<std::string> names = readExportedNames(path, failure);
    ASSERT_FALSE(names.empty()) << failure;
    ASSERT_TRUE(std::is_sorted(names.begin(), names.end())) << "the loader's binary search needs sorted names";
    for (const std::string& expected : expectedSettingsExports())
        EXPECT_TRUE(std::binary_search(names.begin(), names.end(), expected)) << "not exported: " << expected;
}
} // namespace

TEST(exportTable, theSharedSettingsDllExportsTheElevenMembers)
{
    expectAllSettingsExports(buildPathToWindows(KORVANEX_SHARED_DLL_PATH));
}

TEST(exportTable, theDllExportsNothingButTheSharedClasses)
{
    std::string failure;
    const std::vector<std::string> names = readExportedNames(buildPathToWindows(KORVANEX_SHARED_DLL_PATH), failure);
    ASSERT_FALSE(names.empty()) << failure;
    for (const std::string& name : names) {
        const bool ours = name.find("MemoryData") != std::string::npos ||
                          name.find("SettingDataQexal") != std::string::npos ||
                          name.find("SettingDataKorvane") != std::string::npos ||
                          name.find("stubStringList") != std::string::npos;
        EXPECT_TRUE(ours) << "exported by accident: " << name;
    }
}

TEST(exportTable, theDllsExportsResolveThroughTheLoader)
{
    const std::wstring path = buildPathToWindows(KORVANEX_SHARED_DLL_PATH);
    const uniqueModule module(LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    ASSERT_TRUE(static_cast<bool>(module)) << GetLastError();
    for (const std::string& name : expectedSettingsExports())
        EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(module.get(), name.c_str()))) << name;
}

#if defined(KORVANEX_LOG_CONTROLLER_PATH)
TEST(exportTable, theLogControllerExportsTheElevenMembers)
{
    expectAllSettingsExports(buildPathToWindows(KORVANEX_LOG_CONTROLLER_PATH));
}
#endif

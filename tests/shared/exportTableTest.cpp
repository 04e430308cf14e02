#include "exportTable.h"

#include "support/uniqueHandle.h"
#include "testSupport/winePath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace
{
void expectExported(const std::vector<std::string>& names, const char* expected)
{
    if (expected != nullptr) {
        EXPECT_TRUE(std::binary_search(names.begin(), names.end(), expected)) << "not exported: " << expected;
    }
}

// Under both compilers' names; the DLL also with what a caller needs to own
// the objects.
void expectAllSettingsExports(const std::wstring& path, bool withOwnership)
{
    std::string failure;
    const std::vector<std::string> names = readExportedNames(path, failure);
    ASSERT_FALSE(names.empty()) << failure;
    ASSERT_TRUE(std::is_sorted(names.begin(), names.end())) << "the loader's binary search needs sorted names";
    for (const exportedName& expected : settingsExports()) {
        if (withOwnership || expected.kind == exportedName::role::member) {
            expectExported(names, expected.gnu);
            expectExported(names, expected.microsoft);
        }
    }
}
} // namespace

TEST(exportTable, theSharedSettingsDllExportsEveryMemberAndItsOwnership)
{
    expectAllSettingsExports(windowsPathOf(KORVANEX_SHARED_DLL_PATH), true);
}

// Microsoft's names are paired with ours at build time, whatever is marked
// for export: comparing them with the table is what notices a member
// exported by accident, or one lost.
TEST(exportTable, theDllExportsExactlyTheTablesMicrosoftNames)
{
    std::string failure;
    const std::vector<std::string> names = readExportedNames(windowsPathOf(KORVANEX_SHARED_DLL_PATH), failure);
    ASSERT_FALSE(names.empty()) << failure;
    std::vector<std::string> microsoft;
    std::copy_if(names.begin(), names.end(), std::back_inserter(microsoft),
                 [](const std::string& name) { return name.front() == '?'; });
    std::vector<std::string> recorded;
    for (const exportedName& row : settingsExports())
        recorded.emplace_back(row.microsoft);
    std::sort(recorded.begin(), recorded.end());
    EXPECT_EQ(recorded, microsoft);
}

TEST(exportTable, theDllExportsNothingButTheSharedClasses)
{
    std::string failure;
    const std::vector<std::string> names = readExportedNames(windowsPathOf(KORVANEX_SHARED_DLL_PATH), failure);
    ASSERT_FALSE(names.empty()) << failure;
    for (const std::string& name : names) {
        const auto classes = {"MemoryData", "SettingDataQexal", "SettingDataKorvane", "stubStringList"};
        EXPECT_TRUE(std::any_of(classes.begin(), classes.end(),
                                [&](const char* ours) { return name.find(ours) != std::string::npos; }))
            << "exported by accident: " << name;
    }
}

TEST(exportTable, theDllsExportsResolveThroughTheLoader)
{
    const std::wstring path = windowsPathOf(KORVANEX_SHARED_DLL_PATH);
    const uniqueModule module(LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    ASSERT_TRUE(static_cast<bool>(module)) << GetLastError();
    for (const exportedName& name : settingsExports()) {
        const FARPROC microsoft = GetProcAddress(module.get(), name.microsoft);
        EXPECT_NE(nullptr, reinterpret_cast<void*>(microsoft)) << name.microsoft;
        if (name.gnu != nullptr) {
            EXPECT_EQ(GetProcAddress(module.get(), name.gnu), microsoft) << "not the same code: " << name.microsoft;
        }
    }
}

TEST(exportTable, theMicrosoftImportLibraryHoldsEveryNameAsAShortImport)
{
    std::string failure;
    const auto imports = readShortImports(windowsPathOf(KORVANEX_MICROSOFT_IMPORT_LIBRARY_PATH), failure);
    ASSERT_FALSE(imports.empty()) << failure;
    for (const exportedName& name : settingsExports()) {
        const auto found = std::find_if(imports.begin(), imports.end(),
                                        [&](const auto& import) { return import.first == name.microsoft; });
        ASSERT_NE(imports.end(), found) << "not in the library: " << name.microsoft;
        EXPECT_EQ("korSharedSettings.dll", found->second);
    }
}

#if defined(KORVANEX_LOG_CONTROLLER_PATH)
TEST(exportTable, theLogControllerExportsEveryMember)
{
    expectAllSettingsExports(windowsPathOf(KORVANEX_LOG_CONTROLLER_PATH), false);
}

// The shell and COM cost every start of the program when imported; it loads
// them when View or the default path needs them.
TEST(exportTable, theLogControllerImportsNeitherTheShellNorCom)
{
    std::string failure;
    const std::vector<std::string> modules = readImportedModules(windowsPathOf(KORVANEX_LOG_CONTROLLER_PATH), failure);
    ASSERT_FALSE(modules.empty()) << failure;
    const auto imports = [&](const char* name) {
        return std::any_of(modules.begin(), modules.end(),
                           [&](const std::string& module) { return _stricmp(module.c_str(), name) == 0; });
    };
    EXPECT_TRUE(imports("user32.dll")) << "the import directory was read";
    for (const char* loadedOnUse : {"shell32.dll", "ole32.dll", "comdlg32.dll"})
        EXPECT_FALSE(imports(loadedOnUse)) << loadedOnUse;
}
#endif

#include "resources/resource.h"
#include "testSupport/dialogTemplate.h"
#include "testSupport/winePath.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
// The built program's version block, read as Explorer reads it.
class versionBlockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
        ASSERT_NE(0u, size) << GetLastError();
        block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, block.data()));
    }

    std::wstring text(const wchar_t* name)
    {
        std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
            return L"(missing)";
        }
        return static_cast<const wchar_t*>(value);
    }

    const std::wstring program = windowsPathOf(KORVANEX_PROGRAM_PATH);
    std::vector<unsigned char> block;
};

// The expected numbers are the project's version, the block's one source.
constexpr DWORD expectedMs = (KORVANEX_VERSION_MAJOR << 16) | KORVANEX_VERSION_MINOR;
constexpr DWORD expectedLs = (KORVANEX_VERSION_PATCH << 16) | KORVANEX_VERSION_TWEAK;

TEST_F(versionBlockTest, NumericVersionsAreTheProjectVersion)
{
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(expectedMs, info->dwFileVersionMS);
    EXPECT_EQ(expectedLs, info->dwFileVersionLS);
    EXPECT_EQ(expectedMs, info->dwProductVersionMS);
    EXPECT_EQ(expectedLs, info->dwProductVersionLS);
}

TEST_F(versionBlockTest, TextVersionsAreTheProjectVersion)
{
    EXPECT_EQ(std::wstring(L"" KORVANEX_VERSION_TEXT), text(L"FileVersion"));
    EXPECT_EQ(std::wstring(L"" KORVANEX_VERSION_TEXT), text(L"ProductVersion"));
}

// A resource of the built program as Windows finds it; empty when missing.
std::string resource(const wchar_t* type, const wchar_t* name)
{
    const HMODULE program =
        LoadLibraryExW(windowsPathOf(KORVANEX_PROGRAM_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = program != nullptr ? FindResourceW(program, name, type) : nullptr;
    const HGLOBAL data = found != nullptr ? LoadResource(program, found) : nullptr;
    std::string bytes(data != nullptr ? static_cast<const char*>(LockResource(data)) : "",
                      data != nullptr ? SizeofResource(program, found) : 0);
    FreeLibrary(program);
    return bytes;
}

TEST(manifestTest, declaresPerMonitorV2OverSystemAwareAndFourSystems)
{
    const std::string manifest = resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    // Windows 7, 8, 8.1, then 10 and 11.
    for (const char* entry : {"\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
                              "\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, System<",
                              "<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">",
                              "\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"", "\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"",
                              "\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"", "\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\""})
        EXPECT_NE(std::string::npos, manifest.find(entry)) << entry;
}

// The options dialog's size in dialog units, which the dialog tests take
// from the template.
TEST(dialogTemplateTest, optionsDialogIs489By110DialogUnits)
{
    const std::string bytes = resource(RT_DIALOG, MAKEINTRESOURCEW(IDD_LOGCONTROLLER_DIALOG));
    const SIZE size = dialogTemplateSize(bytes.data(), bytes.size());
    EXPECT_EQ((std::pair<LONG, LONG>{489, 110}), (std::pair<LONG, LONG>{size.cx, size.cy}));
}

TEST(iconGroupTest, holdsEverySizeIn32BitsAnd256AsPng)
{
    const std::string group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(IDR_MAINFRAME));
    std::vector<int> sizes;
    // 14-byte entries after a 6-byte header: width (0 for 256) at 0, bits per pixel at 6, image id at 12.
    for (std::size_t at = 6; at + 14 <= group.size(); at += 14) {
        sizes.push_back(group[at] == 0 ? 256 : static_cast<BYTE>(group[at]));
        EXPECT_EQ(32, group[at + 6]) << sizes.back();
        const std::string image = resource(RT_ICON, MAKEINTRESOURCEW(static_cast<BYTE>(group[at + 12])));
        // A bitmap image starts with the size of its 40-byte header.
        EXPECT_EQ(sizes.back() == 256 ? "\x89PNG" : std::string("(\0\0\0", 4), image.substr(0, 4)) << sizes.back();
    }
    EXPECT_EQ((std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}), sizes);
}
} // namespace

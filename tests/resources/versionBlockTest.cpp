#include "testSupport/winePath.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
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
} // namespace

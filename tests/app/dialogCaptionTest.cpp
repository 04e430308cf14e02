#include "app/dialogCaption.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
TEST(dialogCaption, fileNameWithItsExtensionReplaced)
{
    EXPECT_EQ(L"korGUILogController x64",
              std::wstring(dialogCaption(L"C:\\Program Files\\Korvane\\korGUILogController.exe")));
    // A '.' in a folder name does not start the extension.
    EXPECT_EQ(L"korGUILogController x64", std::wstring(dialogCaption(L"C:\\v1.2\\korGUILogController")));
    EXPECT_EQ(L"a.b x64", std::wstring(dialogCaption(L"D:\\x.y\\a.b.exe")));
    EXPECT_EQ(L"qxGUILogController x64", std::wstring(dialogCaption(L"qxGUILogController")));
    EXPECT_EQ(L"prog x64", std::wstring(dialogCaption(L"prog.exe")));
}
} // namespace

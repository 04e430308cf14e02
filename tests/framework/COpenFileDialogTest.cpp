#include "framework/COpenFileDialog.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace
{
// Exposes what the system dialog would be run with.
class inspectedDialog : public COpenFileDialog
{
public:
    using COpenFileDialog::COpenFileDialog;
    const OPENFILENAMEW& system() const { return settings; }
};

TEST(COpenFileDialog, systemSettingsFromTheArguments)
{
    const HWND owner = reinterpret_cast<HWND>(0x42);
    inspectedDialog dialog(L"txt", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           L"QX Log Files (*.txt)|*.txt|All Files (*.*)|*.*||", owner);
    const OPENFILENAMEW& system = dialog.system();
    EXPECT_EQ(sizeof(OPENFILENAMEW), system.lStructSize);
    EXPECT_EQ(owner, system.hwndOwner);
    EXPECT_STREQ(L"txt", system.lpstrDefExt);
    EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT),
              system.Flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST));
    EXPECT_EQ(nullptr, system.lpstrInitialDir);
    EXPECT_STREQ(L"", system.lpstrFile);
    EXPECT_EQ(L"QX Log Files (*.txt)|*.txt|All Files (*.*)|*.*||", std::wstring(dialog.getFilter()));

    // The filter goes to the system as null-separated pieces ended by two nulls.
    std::wstring pieces;
    const wchar_t* at = system.lpstrFilter;
    for (; *at != L'\0'; at += std::wcslen(at) + 1)
        pieces += std::wstring(at) + L"|";
    EXPECT_EQ(L"QX Log Files (*.txt)|*.txt|All Files (*.*)|*.*|", pieces);
}

TEST(COpenFileDialog, extensionOfTheFileNameOnly)
{
    inspectedDialog withExtension(L"txt", L"C:\\a.b\\run.TXT", 0, L"", nullptr);
    EXPECT_EQ(L"TXT", std::wstring(withExtension.getFileExt()));
    EXPECT_EQ(L"C:\\a.b\\run.TXT", std::wstring(withExtension.getPathName()));
    inspectedDialog withoutExtension(L"txt", L"C:\\a.b\\run", 0, L"", nullptr);
    EXPECT_EQ(L"", std::wstring(withoutExtension.getFileExt()));
    inspectedDialog slashes(L"txt", L"C:/x.y/trace.log", 0, L"", nullptr);
    EXPECT_EQ(L"log", std::wstring(slashes.getFileExt()));
}
} // namespace

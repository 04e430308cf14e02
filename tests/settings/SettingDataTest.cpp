// The product key HKEY_CURRENT_USER\Software\OstraVell\Korvanex64 in the test
// prefix's own registry; the program runs alone on that key (RESOURCE_LOCK).
#include "settings/SettingData.h"

#include "support/stubString.h"
#include "testSupport/failureLogFixture.h"
#include "testSupport/observedSettings.h"
#include "testSupport/productKeyFixture.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

namespace
{
constexpr wchar_t fullPath[] = L"HKEY_CURRENT_USER\\Software\\OstraVell\\Korvanex64";

const auto* const logEnvironment = testing::AddGlobalTestEnvironment(new programLogFile(L"productKey.log"));

using inspectedSettingData = observedSettings<SettingData>;

std::wstring text(const stubString& value)
{
    return std::wstring(value.GetString(), value.GetLength());
}

class productKeyAccess : public failureLogTest
{
protected:
    static LSTATUS writeThrough(HKEY key)
    {
        const DWORD one = 1;
        return RegSetValueExW(key, L"probe", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
    }

    const std::wstring logPath = programLogFile::path();
    productKeyFixture savedProductKey;
    inspectedSettingData settings;
    stubString errorText;
    stubString keyPath;
};

TEST_F(productKeyAccess, readWriteModeCreatesMissingLevelsAndClosesAll)
{
    errorText = L"untouched";
    const logGrowth growth(logPath);
    ASSERT_EQ(1, settings.openProductKey(logPath.c_str(), 1, errorText, keyPath));
    EXPECT_EQ(fullPath, text(keyPath));
    EXPECT_EQ(L"untouched", text(errorText));
    EXPECT_NE(nullptr, settings.softwareKey);
    EXPECT_NE(nullptr, settings.makerKey);
    EXPECT_NE(nullptr, settings.productKey);
    EXPECT_EQ(nullptr, settings.otherKey1);
    EXPECT_EQ(nullptr, settings.otherKey2);
    EXPECT_EQ(nullptr, settings.otherKey3);
    EXPECT_EQ(ERROR_SUCCESS, writeThrough(settings.productKey));

    EXPECT_EQ(1, settings.closeProductKeys(logPath.c_str()));
    EXPECT_TRUE(settings.slotsEmpty());
    EXPECT_TRUE(productKeyFixture::keyExists(productKeyFixture::productPath));
    // Nothing failed, so nothing was reported.
    EXPECT_EQ("", growth.added());
}

TEST_F(productKeyAccess, onlyModeOneGivesWriteAccess)
{
    for (const int mode : {0, 2, -1, 1}) {
        inspectedSettingData settings;
        stubString errorText;
        stubString keyPath;
        ASSERT_EQ(1, settings.openProductKey(nullptr, mode, errorText, keyPath)) << mode;
        EXPECT_EQ(fullPath, text(keyPath));
        EXPECT_EQ(mode == 1 ? ERROR_SUCCESS : ERROR_ACCESS_DENIED, writeThrough(settings.productKey)) << mode;
        EXPECT_EQ(1, settings.closeProductKeys(nullptr));
    }
}

TEST_F(productKeyAccess, failingLastLevelReportsPathAndSystemTextAndClosesEverything)
{
    productKeyFixture::makeUncreatable();
    errorText = L"untouched";
    const logGrowth growth(logPath);
    EXPECT_EQ(0, settings.openProductKey(logPath.c_str(), 1, errorText, keyPath));

    EXPECT_EQ(fullPath, text(keyPath));
    // The system's text follows whole, only its trailing line end cut off.
    const std::wstring report = text(errorText);
    const std::wstring head = L"Failure accessing registry key:\r\n" + std::wstring(fullPath) + L"\r\n\r\n ";
    ASSERT_EQ(head, report.substr(0, head.size()));
    const std::wstring message = report.substr(head.size());
    const std::wstring systemText = systemTextW(ERROR_CHILD_MUST_BE_VOLATILE);
    ASSERT_FALSE(message.empty());
    EXPECT_EQ(message, systemText.substr(0, message.size()));
    EXPECT_EQ(std::wstring::npos, systemText.find_first_not_of(L" \t\r\n", message.size())) << "text cut short";
    EXPECT_FALSE(iswspace(message.back()));
    EXPECT_TRUE(settings.slotsEmpty());

    // One narrow report with an empty name; the closes that follow succeed.
    EXPECT_EQ(systemTextA(ERROR_CHILD_MUST_BE_VOLATILE) + " : Creating key : ", growth.added());
}

TEST_F(productKeyAccess, failedCloseIsReportedAndTheRestStillClose)
{
    ASSERT_EQ(1, settings.openProductKey(nullptr, 1, errorText, keyPath));
    const HKEY product = settings.productKey;

    // A handle that was already closed makes its RegCloseKey fail for real.
    HKEY stale = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &stale));
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(stale));
    settings.otherKey1 = stale;

    const logGrowth growth(logPath);
    EXPECT_EQ(0, settings.closeProductKeys(logPath.c_str()));
    EXPECT_EQ(systemTextA(ERROR_INVALID_HANDLE) + " : Closing Key : ", growth.added());
    EXPECT_TRUE(settings.slotsEmpty());
    EXPECT_EQ(ERROR_INVALID_HANDLE, writeThrough(product)); // the product key was closed too

    const logGrowth second(logPath);
    EXPECT_EQ(1, settings.closeProductKeys(logPath.c_str()));
    EXPECT_EQ("", second.added());
}

TEST_F(productKeyAccess, destructionClosesKeysStillHeld)
{
    HKEY product = nullptr;
    {
        inspectedSettingData settings;
        stubString errorText;
        stubString keyPath;
        ASSERT_EQ(1, settings.openProductKey(nullptr, 1, errorText, keyPath));
        product = settings.productKey;
        ASSERT_EQ(ERROR_SUCCESS, writeThrough(product));
    }
    EXPECT_EQ(ERROR_INVALID_HANDLE, writeThrough(product));
}

TEST_F(productKeyAccess, reportsAreSilentWithTheLogOff)
{
    setLogFileEnabled(0);
    productKeyFixture::makeUncreatable();
    const logGrowth growth(logPath);
    EXPECT_EQ(0, settings.openProductKey(logPath.c_str(), 0, errorText, keyPath));
    EXPECT_EQ("", growth.added());
    EXPECT_FALSE(errorText.IsEmpty());
}
} // namespace

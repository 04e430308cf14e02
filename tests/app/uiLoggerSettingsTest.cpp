#include "app/uiLoggerSettings.h"

#include "uiLoggerValues.h"

#include "settings/readWriteSettingsToRegistry.h"
#include "testSupport/scratchRegistryKey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

namespace
{
// A registry store in which writing one value name fails, as a value that
// cannot be written although the key is open.
class storeFailingOneName : public readWriteSettingsToRegistry
{
public:
    storeFailingOneName(HKEY key, const wchar_t* failing) : readWriteSettingsToRegistry(key), failing(failing) {}

    int writeInt(const wchar_t* logPath, const wchar_t* name, const int& value) override
    {
        return std::wcscmp(name, failing) == 0 ? 0 : readWriteSettingsToRegistry::writeInt(logPath, name, value);
    }
    int writeString(const wchar_t* logPath, const wchar_t* name, const CWideString& value) override
    {
        return std::wcscmp(name, failing) == 0 ? 0 : readWriteSettingsToRegistry::writeString(logPath, name, value);
    }

private:
    const wchar_t* failing;
};

class uiLoggerSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        uiLoggerSettings = {.enabled = 1, .fileName = L"C:\\log.txt", .writeNewFile = 0, .monitorLaunchErrorCodes = 1,
                            .monitorUiReceiveComm = 1, .monitorAutoMerge = -5};
    }

    scratchRegistryKey key;
};

TEST(uiLoggerOptions, theTableHoldsTheProfilersValuesInOrder)
{
    ASSERT_EQ(std::size(uiLoggerValues), std::size(uiLoggerOptions));
    for (std::size_t i = 0; i < std::size(uiLoggerValues); ++i) {
        const uiLoggerValue& expected = uiLoggerValues[i];
        const uiLoggerOption& option = uiLoggerOptions[i];
        EXPECT_STREQ(expected.name, option.valueName);
        EXPECT_EQ(expected.controlId, option.controlId) << i;
        EXPECT_EQ(option.type == uiLoggerOption::kind::text, std::wcscmp(expected.name, fileNameName) == 0) << i;
        if (option.type == uiLoggerOption::kind::flag && option.controlId != 0) {
            EXPECT_EQ(expected.resetCheck, option.resetCheck) << i;
        }
    }
}

TEST_F(uiLoggerSettingsTest, writesEveryValueAndReadsThemBack)
{
    readWriteSettingsToRegistry store(key.get());
    EXPECT_EQ(1, writeUiLoggerSettings(store));
    EXPECT_EQ(1u, key.dword(enabledName));
    EXPECT_EQ(0u, key.dword(writeNewFileName));
    EXPECT_EQ(static_cast<DWORD>(-5), key.dword(autoMergeName));

    uiLoggerSettings = uiLoggerSettingsRecord{};
    readUiLoggerSettings(store);
    EXPECT_EQ(1, uiLoggerSettings.enabled);
    EXPECT_EQ(L"C:\\log.txt", std::wstring(uiLoggerSettings.fileName));
    EXPECT_EQ(1, uiLoggerSettings.monitorUiReceiveComm);
    EXPECT_EQ(-5, uiLoggerSettings.monitorAutoMerge);
}

TEST_F(uiLoggerSettingsTest, missingValuesLeaveTheirFields)
{
    key.setDword(receiveCommName, 1);
    uiLoggerSettings.monitorUiReceiveComm = 0;
    readWriteSettingsToRegistry store(key.get());
    readUiLoggerSettings(store);
    EXPECT_EQ(1, uiLoggerSettings.enabled);
    EXPECT_EQ(L"C:\\log.txt", std::wstring(uiLoggerSettings.fileName));
    EXPECT_EQ(1, uiLoggerSettings.monitorUiReceiveComm);
    EXPECT_EQ(-5, uiLoggerSettings.monitorAutoMerge);
}

TEST_F(uiLoggerSettingsTest, oneFailedWriteIsReportedAndTheOthersStillHappen)
{
    for (const wchar_t* failing : {enabledName, fileNameName, autoMergeName}) {
        scratchRegistryKey fresh;
        storeFailingOneName store(fresh.get(), failing);
        EXPECT_EQ(0, writeUiLoggerSettings(store)) << failing;
        for (const uiLoggerValue& value : uiLoggerValues)
            EXPECT_EQ(std::wcscmp(value.name, failing) != 0, fresh.exists(value.name));
    }
}

TEST_F(uiLoggerSettingsTest, readOnlyKeyFailsEveryWrite)
{
    const uniqueRegistryKey readOnly = key.reopen(KEY_READ);
    readWriteSettingsToRegistry store(readOnly.get());
    EXPECT_EQ(0, writeUiLoggerSettings(store));
    EXPECT_FALSE(key.exists(enabledName));
    EXPECT_FALSE(key.exists(autoMergeName));
}
} // namespace

#include "shared/SettingDataQexal.h"

#include "settings/logFile.h"
#include "testSupport/failureLogFixture.h"
#include "testSupport/observedSettings.h"
#include "testSupport/productKeyFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
constexpr wchar_t flagName[] = L"memoryMappedFileHasBeenOpened";
const auto* const logEnvironment = testing::AddGlobalTestEnvironment(new programLogFile(L"qexal.log"));

class SettingDataQexalFlag : public testing::Test
{
protected:
    static DWORD storedFlag() { return productKeyFixture::storedDword(flagName); }

    productKeyFixture backup;
    observedSettings<SettingDataQexal> settings;
};
} // namespace

TEST_F(SettingDataQexalFlag, writeZeroDoesNothingAndSucceeds)
{
    settings.memoryMappedFileHasBeenOpened = 1;
    EXPECT_EQ(1, settings.writeMemoryMappedFileHasBeenOpened(nullptr, 0, 1));
    EXPECT_FALSE(productKeyFixture::keyExists(productKeyFixture::productPath)) << "no key may be created";
    EXPECT_TRUE(settings.slotsEmpty());

    productKeyFixture::setDword(flagName, 5);
    EXPECT_EQ(1, settings.writeMemoryMappedFileHasBeenOpened(nullptr, 0, 0));
    EXPECT_EQ(5u, storedFlag());
}

TEST_F(SettingDataQexalFlag, writeStoresTheMemberWhateverTheLastArgument)
{
    settings.memoryMappedFileHasBeenOpened = 0x12345678;
    EXPECT_EQ(1, settings.writeMemoryMappedFileHasBeenOpened(nullptr, 1, 0));
    EXPECT_EQ(0x12345678u, storedFlag());
    EXPECT_TRUE(settings.slotsEmpty());

    settings.memoryMappedFileHasBeenOpened = -2;
    EXPECT_EQ(1, settings.writeMemoryMappedFileHasBeenOpened(nullptr, -7, 12345));
    EXPECT_EQ(0xFFFFFFFEu, storedFlag());
    EXPECT_TRUE(settings.slotsEmpty());
}

TEST_F(SettingDataQexalFlag, readTakesTheStoredValue)
{
    productKeyFixture::setDword(flagName, 0xCAFEF00D);
    settings.memoryMappedFileHasBeenOpened = 3;
    EXPECT_EQ(1, settings.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(static_cast<int>(0xCAFEF00D), settings.memoryMappedFileHasBeenOpened);
    EXPECT_TRUE(settings.slotsEmpty());
}

TEST_F(SettingDataQexalFlag, writeThenReadOnAnotherObjectRoundTrips)
{
    settings.memoryMappedFileHasBeenOpened = 1;
    ASSERT_EQ(1, settings.writeMemoryMappedFileHasBeenOpened(nullptr, 1, 0));
    observedSettings<SettingDataQexal> other;
    EXPECT_EQ(1, other.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(1, other.memoryMappedFileHasBeenOpened);
}

TEST_F(SettingDataQexalFlag, readFailsAndKeepsTheMemberWhenTheValueIsMissingOrTooLong)
{
    settings.memoryMappedFileHasBeenOpened = 42;
    EXPECT_EQ(0, settings.readMemoryMappedFileHasBeenOpened(nullptr)) << "no key at all";
    EXPECT_EQ(42, settings.memoryMappedFileHasBeenOpened);
    EXPECT_EQ(0, settings.readMemoryMappedFileHasBeenOpened(nullptr)) << "empty product key";
    EXPECT_EQ(42, settings.memoryMappedFileHasBeenOpened);

    const UINT64 eightBytes = 0x0102030405060708ull;
    productKeyFixture::setValue(flagName, REG_BINARY, &eightBytes, sizeof(eightBytes));
    EXPECT_EQ(0, settings.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(42, settings.memoryMappedFileHasBeenOpened);
    EXPECT_TRUE(settings.slotsEmpty());
}

TEST_F(SettingDataQexalFlag, shortOrForeignTypedValuesAreTakenAsRawBytes)
{
    const WORD twoBytes = 0xBEEF;
    productKeyFixture::setValue(flagName, REG_DWORD, &twoBytes, sizeof(twoBytes));
    settings.memoryMappedFileHasBeenOpened = 0x11223344;
    EXPECT_EQ(1, settings.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(0x1122BEEF, settings.memoryMappedFileHasBeenOpened);

    const char text[4] = {'1', '\0', '2', '\0'};
    productKeyFixture::setValue(flagName, REG_SZ, text, sizeof(text));
    EXPECT_EQ(1, settings.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(0x00320031, settings.memoryMappedFileHasBeenOpened);
}

TEST_F(SettingDataQexalFlag, unreachableProductKeyFailsBothWays)
{
    productKeyFixture::makeUncreatable();
    settings.memoryMappedFileHasBeenOpened = 9;
    EXPECT_EQ(0, settings.writeMemoryMappedFileHasBeenOpened(nullptr, 1, 0));
    EXPECT_TRUE(settings.slotsEmpty());
    EXPECT_EQ(0, settings.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(9, settings.memoryMappedFileHasBeenOpened);
    EXPECT_TRUE(settings.slotsEmpty());
    EXPECT_EQ(1, settings.writeMemoryMappedFileHasBeenOpened(nullptr, 0, 0)) << "nothing to write";
    DWORD type = 0;
    std::string data;
    EXPECT_FALSE(productKeyFixture::queryValue(flagName, type, data));
}

TEST_F(SettingDataQexalFlag, theFailureLogPathIsHandedOn)
{
    const std::wstring& logPath = programLogFile::path();
    productKeyFixture::makeUncreatable();
    setLogFileEnabled(1);
    const int written = settings.writeMemoryMappedFileHasBeenOpened(logPath.c_str(), 1, 0);
    const int read = settings.readMemoryMappedFileHasBeenOpened(logPath.c_str());
    setLogFileEnabled(0);
    EXPECT_EQ(0, written);
    EXPECT_EQ(0, read);
    const std::string log = scratchFolder::readAll(logPath);
    std::size_t reports = 0;
    for (std::size_t at = log.find("Creating key"); at != std::string::npos; at = log.find("Creating key", at + 1))
        ++reports;
    EXPECT_EQ(2u, reports) << log;
}

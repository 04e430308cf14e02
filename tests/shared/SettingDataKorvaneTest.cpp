#include "shared/SettingDataKorvane.h"

#include "testSupport/observedSettings.h"
#include "testSupport/productKeyFixture.h"

#include <gtest/gtest.h>

namespace
{
class SettingDataKorvaneFlag : public testing::Test
{
protected:
    productKeyFixture backup;
    observedSettings<SettingDataKorvane> settings;
};
} // namespace

TEST_F(SettingDataKorvaneFlag, readsOnlyTheFunctionsValue)
{
    productKeyFixture::setDword(L"memoryMappedFileHasBeenOpened", 1);
    settings.memoryMappedFileHasBeenOpenedFunctions = 77;
    EXPECT_EQ(0, settings.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(77, settings.memoryMappedFileHasBeenOpenedFunctions);
    EXPECT_TRUE(settings.slotsEmpty());

    productKeyFixture::setDword(L"memoryMappedFileHasBeenOpenedFunctions", 0x80000001);
    EXPECT_EQ(1, settings.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(static_cast<int>(0x80000001), settings.memoryMappedFileHasBeenOpenedFunctions);
    EXPECT_TRUE(settings.slotsEmpty());
}

TEST_F(SettingDataKorvaneFlag, tooLongValueFailsAndKeepsTheMember)
{
    const UINT64 eightBytes = 1;
    productKeyFixture::setValue(L"memoryMappedFileHasBeenOpenedFunctions", REG_DWORD, &eightBytes, sizeof(eightBytes));
    settings.memoryMappedFileHasBeenOpenedFunctions = 5;
    EXPECT_EQ(0, settings.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(5, settings.memoryMappedFileHasBeenOpenedFunctions);
}

TEST_F(SettingDataKorvaneFlag, unreachableProductKeyFails)
{
    productKeyFixture::makeUncreatable();
    settings.memoryMappedFileHasBeenOpenedFunctions = 6;
    EXPECT_EQ(0, settings.readMemoryMappedFileHasBeenOpened(nullptr));
    EXPECT_EQ(6, settings.memoryMappedFileHasBeenOpenedFunctions);
    EXPECT_TRUE(settings.slotsEmpty());
}

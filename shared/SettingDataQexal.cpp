#include "shared/SettingDataQexal.h"

#include "settings/readWriteSettingsToRegistry.h"
#include "support/stubLockGuard.h"
#include "support/stubString.h"

namespace
{
constexpr wchar_t openedValueName[] = L"memoryMappedFileHasBeenOpened";
constexpr int readWriteAccess = 1;
} // namespace

SettingDataQexal::SettingDataQexal() = default;

SettingDataQexal::~SettingDataQexal() = default;

int SettingDataQexal::writeMemoryMappedFileHasBeenOpened(const wchar_t* logPath, int write, int /*unused*/)
{
    stubLockGuard guard(&settingsLock, nullptr);
    if (write == 0)
        return 1;
    stubString errorText;
    stubString keyPath;
    if (openProductKey(logPath, readWriteAccess, errorText, keyPath) == 0)
        return 0;
    // The store borrows productKey; closeProductKeys closes it before the
    // store goes, and the store never closes what it borrowed.
    readWriteSettingsToRegistry store(productKey);
    const DWORD value = static_cast<DWORD>(memoryMappedFileHasBeenOpened);
    const int written = store.writeDword(logPath, openedValueName, value);
    const int closed = closeProductKeys(logPath);
    return (written != 0 && closed != 0) ? 1 : 0;
}

int SettingDataQexal::readMemoryMappedFileHasBeenOpened(const wchar_t* logPath)
{
    return readProductDword(logPath, openedValueName, memoryMappedFileHasBeenOpened);
}

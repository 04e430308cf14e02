#include "shared/SettingDataKorvane.h"

#include "settings/readWriteSettingsToRegistry.h"
#include "support/stubLockGuard.h"
#include "support/stubString.h"

namespace
{
constexpr wchar_t openedFunctionsValueName[] = L"memoryMappedFileHasBeenOpenedFunctions";
constexpr int readAccess = 0;
} // namespace

SettingDataKorvane::SettingDataKorvane() = default;

SettingDataKorvane::~SettingDataKorvane() = default;

int SettingDataKorvane::readMemoryMappedFileHasBeenOpened(const wchar_t* logPath)
{
    stubLockGuard guard(&settingsLock, nullptr);
    stubString errorText;
    stubString keyPath;
    if (openProductKey(logPath, readAccess, errorText, keyPath) == 0)
        return 0;
    // The store borrows productKey and never closes it.
    readWriteSettingsToRegistry store(productKey);
    // A stored value shorter than 4 bytes replaces only the low-order bytes.
    DWORD value = static_cast<DWORD>(memoryMappedFileHasBeenOpenedFunctions);
    const int read = store.readDword(openedFunctionsValueName, value);
    if (read != 0)
        memoryMappedFileHasBeenOpenedFunctions = static_cast<int>(value);
    const int closed = closeProductKeys(logPath);
    return (read != 0 && closed != 0) ? 1 : 0;
}

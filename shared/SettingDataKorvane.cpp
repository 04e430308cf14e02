#include "shared/SettingDataKorvane.h"

#include "settings/productKeySession.h"

namespace
{
constexpr wchar_t openedFunctionsValueName[] = L"memoryMappedFileHasBeenOpenedFunctions";
} // namespace

SettingDataKorvane::SettingDataKorvane() = default;

SettingDataKorvane::~SettingDataKorvane() = default;

int SettingDataKorvane::readMemoryMappedFileHasBeenOpened(const wchar_t* logPath)
{
    return readProductDword(*this, logPath, openedFunctionsValueName, memoryMappedFileHasBeenOpenedFunctions);
}

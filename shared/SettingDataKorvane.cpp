#include "shared/SettingDataKorvane.h"

namespace
{
constexpr wchar_t openedFunctionsValueName[] = L"memoryMappedFileHasBeenOpenedFunctions";
} // namespace

SettingDataKorvane::SettingDataKorvane() = default;

SettingDataKorvane::~SettingDataKorvane() = default;

int SettingDataKorvane::readMemoryMappedFileHasBeenOpened(const wchar_t* logPath)
{
    return readProductDword(logPath, openedFunctionsValueName, memoryMappedFileHasBeenOpenedFunctions);
}

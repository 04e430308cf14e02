#include "shared/SettingDataQexal.h"

#include "settings/productKeySession.h"

namespace
{
constexpr wchar_t openedValueName[] = L"memoryMappedFileHasBeenOpened";
} // namespace

SettingDataQexal::SettingDataQexal() = default;

SettingDataQexal::~SettingDataQexal() = default;

int SettingDataQexal::writeMemoryMappedFileHasBeenOpened(const wchar_t* logPath, int write, int /*unused*/)
{
    productKeySession session(*this);
    if (write == 0)
        return 1;
    if (!session.open(logPath, keyAccess::readWrite))
        return 0;
    const DWORD value = static_cast<DWORD>(memoryMappedFileHasBeenOpened);
    const int written = session.store().writeDword(logPath, openedValueName, value);
    const bool closed = session.close(logPath);
    return (written != 0 && closed) ? 1 : 0;
}

int SettingDataQexal::readMemoryMappedFileHasBeenOpened(const wchar_t* logPath)
{
    return readProductDword(*this, logPath, openedValueName, memoryMappedFileHasBeenOpened);
}

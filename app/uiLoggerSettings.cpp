#include "app/uiLoggerSettings.h"

#include "settings/readWriteSettings.h"

namespace
{
namespace valueName
{
constexpr const wchar_t* enabled = L"uiLogger::enabled";
constexpr const wchar_t* fileName = L"uiLogger::fileName";
constexpr const wchar_t* writeNewFile = L"uiLogger::writeNewFile";
constexpr const wchar_t* monitorLaunchErrorCodes = L"uiLogger::monitorLaunchErrorCodes";
constexpr const wchar_t* monitorUiReceiveComm = L"uiLogger::monitorUiReceiveComm";
constexpr const wchar_t* monitorAutoMerge = L"uiLogger::monitorAutoMerge";
} // namespace valueName
} // namespace

void readUiLoggerSettings(readWriteSettings& store)
{
    // A missing value keeps what its field holds, so the results are not
    // looked at.
    (void)store.readInt(valueName::enabled, uiLoggerSettings.enabled);
    (void)store.readString(valueName::fileName, uiLoggerSettings.fileName);
    (void)store.readInt(valueName::writeNewFile, uiLoggerSettings.writeNewFile);
    (void)store.readInt(valueName::monitorLaunchErrorCodes, uiLoggerSettings.monitorLaunchErrorCodes);
    (void)store.readInt(valueName::monitorUiReceiveComm, uiLoggerSettings.monitorUiReceiveComm);
    (void)store.readInt(valueName::monitorAutoMerge, uiLoggerSettings.monitorAutoMerge);
}

int writeUiLoggerSettings(readWriteSettings& store)
{
    // A failing write does not stop the later ones; the caller learns that
    // one failed, so that a change is never dropped silently.
    int written = 1;
    written &= store.writeInt(nullptr, valueName::enabled, uiLoggerSettings.enabled) != 0 ? 1 : 0;
    written &= store.writeString(nullptr, valueName::fileName, uiLoggerSettings.fileName) != 0 ? 1 : 0;
    written &= store.writeInt(nullptr, valueName::writeNewFile, uiLoggerSettings.writeNewFile) != 0 ? 1 : 0;
    written &= store.writeInt(nullptr, valueName::monitorLaunchErrorCodes,
                              uiLoggerSettings.monitorLaunchErrorCodes) != 0 ? 1 : 0;
    written &= store.writeInt(nullptr, valueName::monitorUiReceiveComm, uiLoggerSettings.monitorUiReceiveComm) != 0
                   ? 1
                   : 0;
    written &= store.writeInt(nullptr, valueName::monitorAutoMerge, uiLoggerSettings.monitorAutoMerge) != 0 ? 1 : 0;
    return written;
}

#include "settings/SettingData.h"

#include "settings/failureLog.h"
#include "settings/productKeyPath.h"
#include "settings/productKeySession.h"
#include "settings/systemMessage.h"
#include "support/stubString.h"

#include <cstddef>
#include <iterator>
#include <utility>

namespace
{
// Both access modes create or open at every level; only mode 1 writes.
REGSAM accessRights(int accessMode) noexcept
{
    return accessMode == 1 ? (KEY_READ | KEY_WRITE) : KEY_READ;
}

LSTATUS createLevel(HKEY parent, const wchar_t* name, REGSAM access, HKEY& slot) noexcept
{
    // A failed call leaves the slot alone, whatever it wrote to its output.
    HKEY opened = nullptr;
    const LSTATUS rc =
        RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &opened, nullptr);
    if (rc == ERROR_SUCCESS)
        slot = opened;
    return rc;
}

// Composed aside and handed over whole: a report that cannot be held leaves
// errorText as it was.
void composeErrorText(stubString& errorText, const stubString& path, DWORD code) noexcept
{
    stubString report;
    if (!report.assign(L"Failure accessing registry key:\r\n") || !report.append(path) ||
        !report.append(L"\r\n\r\n "))
        return;
    const systemMessage<wchar_t> systemText(code);
    if (systemText.text() != nullptr && !report.append(systemText.text()))
        return;
    report.TrimRight();
    errorText = std::move(report);
}
} // namespace

SettingData::~SettingData()
{
    (void)closeProductKeys(nullptr); // no one is left to tell
}

int SettingData::openProductKey(const wchar_t* logPath, int accessMode, stubString& errorText, stubString& keyPath)
{
    const REGSAM access = accessRights(accessMode);
    HKEY* const slots[] = {&softwareKey, &makerKey, &productKey};
    static_assert(std::size(slots) == std::size(productKeyLevels));

    // The path names every level tried, the failed one included. Out of
    // memory for it fails the open: keyPath and errorText then stay as they
    // were rather than name a path that was not the one tried.
    stubString path;
    bool pathHeld = path.assign(productKeyRootName);
    HKEY parent = HKEY_CURRENT_USER;
    LSTATUS rc = pathHeld ? ERROR_SUCCESS : ERROR_NOT_ENOUGH_MEMORY;
    for (std::size_t level = 0; level < std::size(slots) && rc == ERROR_SUCCESS; ++level) {
        pathHeld = path.append(L"\\") && path.append(productKeyLevels[level]);
        if (!pathHeld) {
            rc = ERROR_NOT_ENOUGH_MEMORY;
            break;
        }
        rc = createLevel(parent, productKeyLevels[level], access, *slots[level]);
        parent = *slots[level];
    }
    if (pathHeld && !keyPath.assign(path)) {
        pathHeld = false;
        if (rc == ERROR_SUCCESS)
            rc = ERROR_NOT_ENOUGH_MEMORY;
    }

    const DWORD code = static_cast<DWORD>(rc);
    if (code != 0 && pathHeld)
        composeErrorText(errorText, path, code);
    reportErrorToLogFile(logPath, code, "Creating key", "");
    if (code != 0)
        (void)closeProductKeys(logPath); // the failed open is the result; failed closes are logged
    return code == 0 ? 1 : 0;
}

// The slots close in a fixed order, product key first, so this is the one
// place where keys are closed by hand.
int SettingData::closeProductKeys(const wchar_t* logPath)
{
    HKEY* const slots[] = {&productKey, &makerKey, &otherKey3, &softwareKey, &otherKey2, &otherKey1};
    int result = 1;
    for (HKEY* slot : slots) {
        if (*slot == nullptr)
            continue;
        const LSTATUS rc = RegCloseKey(*slot);
        reportErrorToLogFile(logPath, static_cast<DWORD>(rc), "Closing Key", "");
        *slot = nullptr;
        if (rc != ERROR_SUCCESS)
            result = 0;
    }
    return result;
}

int SettingData::readProductDword(const wchar_t* logPath, const wchar_t* name, int& value)
{
    productKeySession session(*this);
    if (session.open(logPath, 0) == 0)
        return 0;
    DWORD stored = static_cast<DWORD>(value);
    const int read = session.store().readDword(name, stored);
    if (read != 0)
        value = static_cast<int>(stored);
    const int closed = session.close(logPath);
    return (read != 0 && closed != 0) ? 1 : 0;
}

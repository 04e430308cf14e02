#include "settings/SettingData.h"

#include "settings/failureLog.h"
#include "settings/productKeyOpener.h"
#include "settings/systemMessage.h"
#include "support/stubString.h"

#include <utility>

namespace
{
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
    return openProductKey(logPath, keyAccessFromMode(accessMode), errorText, keyPath);
}

int SettingData::openProductKey(const wchar_t* logPath, keyAccess access, stubString& errorText, stubString& keyPath)
{
    HKEY* const slots[] = {&softwareKey, &makerKey, &productKey};
    const productKeyOpening opening = openProductKeyLevels(access, slots);

    // The path names every level tried, the failed one included. Out of
    // memory for it fails the open: keyPath and errorText then stay as they
    // were rather than name a path that was not the one tried.
    LSTATUS rc = opening.code;
    stubString path;
    bool pathHeld = path.assign(productKeyRootName);
    for (std::size_t level = 0; level < opening.levelsTried && pathHeld; ++level)
        pathHeld = path.append(L"\\") && path.append(productKeyLevels[level]);
    if (pathHeld)
        pathHeld = keyPath.assign(path);
    if (!pathHeld && rc == ERROR_SUCCESS)
        rc = ERROR_NOT_ENOUGH_MEMORY;

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

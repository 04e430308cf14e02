#include "settings/productKeySession.h"

#include "settings/SettingData.h"
#include "support/stubString.h"

productKeySession::productKeySession(SettingData& owner) : settings(owner), guard(&owner.settingsLock, nullptr) {}

productKeySession::~productKeySession()
{
    // Closes nothing after close() or a failed open(): the slots are empty.
    (void)settings.closeProductKeys(nullptr); // an early return has nothing left to report
}

int productKeySession::open(const wchar_t* logPath, int accessMode)
{
    stubString errorText;
    stubString keyPath;
    if (settings.openProductKey(logPath, accessMode, errorText, keyPath) == 0)
        return 0;
    // The store borrows productKey and never closes it.
    keyStore.emplace(settings.productKey);
    return 1;
}

int productKeySession::close(const wchar_t* logPath)
{
    return settings.closeProductKeys(logPath);
}

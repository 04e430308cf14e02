#include "settings/productKeySession.h"

#include "settings/SettingData.h"
#include "support/stubString.h"

productKeySession::productKeySession(SettingData& owner) : settings(owner), guard(&owner.settingsLock, nullptr) {}

productKeySession::~productKeySession()
{
    if (keysOpen)
        (void)close(nullptr); // an early return has nothing left to report
}

int productKeySession::open(const wchar_t* logPath, int accessMode)
{
    stubString errorText;
    stubString keyPath;
    if (settings.openProductKey(logPath, accessMode, errorText, keyPath) == 0)
        return 0;
    keysOpen = true;
    // The store borrows productKey and never closes it.
    keyStore.emplace(settings.productKey);
    return 1;
}

int productKeySession::close(const wchar_t* logPath)
{
    keysOpen = false;
    return settings.closeProductKeys(logPath);
}

#include "settings/productKeySession.h"

#include "settings/SettingData.h"
#include "support/stubString.h"

productKeySession::productKeySession(SettingData& owner) : settings(owner), guard(&owner.settingsLock, nullptr) {}

productKeySession::~productKeySession()
{
    // Closes nothing after close() or a failed open(): the slots are empty.
    (void)settings.closeProductKeys(nullptr); // an early return has nothing left to report
}

bool productKeySession::open(const wchar_t* logPath, keyAccess access)
{
    // The exported callers make no use of the report or the path.
    stubString errorText;
    stubString keyPath;
    if (settings.openProductKey(logPath, access, errorText, keyPath) == 0)
        return false;
    // The store borrows productKey and never closes it.
    keyStore.emplace(settings.productKey);
    return true;
}

bool productKeySession::close(const wchar_t* logPath)
{
    return settings.closeProductKeys(logPath) != 0;
}

int readProductDword(SettingData& settings, const wchar_t* logPath, const wchar_t* name, int& value)
{
    productKeySession session(settings);
    if (!session.open(logPath, keyAccess::read))
        return 0;
    DWORD stored = static_cast<DWORD>(value);
    const bool read = session.store().readDword(name, stored) != 0;
    if (read)
        value = static_cast<int>(stored);
    const bool closed = session.close(logPath);
    return (read && closed) ? 1 : 0;
}

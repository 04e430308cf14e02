#pragma once

#include "settings/readWriteSettingsToRegistry.h"
#include "support/stubLockGuard.h"

#include <optional>

class SettingData;

// One exported operation's hold on the profiler's key. It takes the
// object's settingsLock when made; open() opens the product key into the
// object's slots and lends a store over it; close() closes every key. Keys
// still open when the session ends are closed then, and the lock is
// released last, so no key outlives the operation.
class productKeySession
{
public:
    explicit productKeySession(SettingData& settings);
    ~productKeySession();
    productKeySession(const productKeySession&) = delete;
    productKeySession& operator=(const productKeySession&) = delete;

    // 1 when the product key is open (accessMode 1: read and write; other
    // values: read); on failure the failure log has the code and no key
    // stays open.
    [[nodiscard]] int open(const wchar_t* logPath, int accessMode);

    // The store over the open product key; only after a successful open().
    readWriteSettingsToRegistry& store() noexcept { return *keyStore; }

    // Closes every key now; 1 when every close succeeded.
    [[nodiscard]] int close(const wchar_t* logPath);

private:
    SettingData& settings;
    stubLockGuard guard; // made first, released last
    std::optional<readWriteSettingsToRegistry> keyStore;
};

#pragma once

#include "settings/productKeyOpener.h"
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

    // True when the product key is open; on failure the failure log has the
    // code and no key stays open.
    [[nodiscard]] bool open(const wchar_t* logPath, keyAccess access);

    // The store over the open product key; only after a successful open().
    readWriteSettingsToRegistry& store() noexcept { return *keyStore; }

    // Closes every key now; true when every close succeeded.
    [[nodiscard]] bool close(const wchar_t* logPath);

private:
    SettingData& settings;
    stubLockGuard guard; // made first, released last
    std::optional<readWriteSettingsToRegistry> keyStore;
};

// One 4-byte value of the product key into value, in a session of its own:
// open for reading, read, close. value keeps its content when the key or the
// value cannot be read; a shorter stored value replaces only its low-order
// bytes. 1 when the key opened, the value was read and every key closed.
[[nodiscard]] int readProductDword(SettingData& settings, const wchar_t* logPath, const wchar_t* name, int& value);

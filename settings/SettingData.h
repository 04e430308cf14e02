#pragma once

#include "support/stubCriticalSection.h"

#include <windows.h>

class productKeySession;
enum class keyAccess;
class stubString;

// Base of the shared settings classes: the key slots through which their
// operations reach HKEY_CURRENT_USER\Software\OstraVell\Korvanex64, and the
// lock that serialises those operations on one object. The object owns the
// handles in its slots; between operations every slot is null.
class SettingData
{
public:
    SettingData() = default;
    ~SettingData();
    SettingData(const SettingData&) = delete;
    SettingData& operator=(const SettingData&) = delete;

    // Opens or creates Software, OstraVell and Korvanex64 in turn: read and
    // write access for accessMode 1, read access otherwise. keyPath receives
    // the path reached; on failure errorText receives a report, the failure
    // log gets the code and every key held is closed again. 1 or 0.
    [[nodiscard]] int openProductKey(const wchar_t* logPath, int accessMode, stubString& errorText,
                                     stubString& keyPath);

    // The same, for the program's own callers: the int mode lives only at
    // the exported boundary.
    [[nodiscard]] int openProductKey(const wchar_t* logPath, keyAccess access, stubString& errorText,
                                     stubString& keyPath);

    // Closes every key held, product key first, and empties the slots;
    // 1 when every close succeeded (also when none was held).
    [[nodiscard]] int closeProductKeys(const wchar_t* logPath);

protected:
    // An operation's session takes settingsLock and fills the slots.
    friend class productKeySession;
    friend struct exportedLayout; // checks the layout callers compile against

    // otherKey1..3 are places in the shared layout for keys that nothing in
    // this program opens; closeProductKeys still closes whatever they hold.
    HKEY otherKey1 = nullptr;
    HKEY otherKey2 = nullptr;
    HKEY softwareKey = nullptr;
    HKEY otherKey3 = nullptr;
    HKEY makerKey = nullptr;
    HKEY productKey = nullptr;
    stubCriticalSection settingsLock;
};

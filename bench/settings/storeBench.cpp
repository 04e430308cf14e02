// The settings store and the product key access against the raw registry
// calls they wrap, on the same open keys in the same run.
#include "benchTimer.h"
#include "support/CWideString.h"
#include "support/CWideStringArray.h"
#include "settings/SettingData.h"
#include "settings/readWriteSettingsToRegistry.h"
#include "support/stubString.h"
#include "support/uniqueHandle.h"

#include <cstdio>
#include <string>
#include <vector>

int main()
{
    const std::wstring scratchPath = L"Software\\KorvanexBench-" + std::to_wstring(GetCurrentProcessId());
    uniqueRegistryKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, scratchPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS) {
        std::printf("cannot create the scratch key\n");
        return 1;
    }
    const int seven = 7;
    RegSetValueExW(key.get(), L"int", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&seven), sizeof(seven));
    const std::wstring text(200, L's');
    RegSetValueExW(key.get(), L"text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));

    readWriteSettingsToRegistry registryStore(key.get());
    // Called through the interface, as every caller does.
    readWriteSettings* volatile store = &registryStore;
    constexpr long iterations = 1000;

    double rawNs = 0;
    double storeNs = 0;
    int value = 0;
    benchTimer::ratio(
        [&] {
            DWORD type = 0;
            DWORD size = sizeof(value);
            RegQueryValueExW(key.get(), L"int", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        },
        [&] { (void)store->readInt(L"int", value); }, iterations, rawNs, storeNs);
    benchTimer::report("readInt vs RegQueryValueExW", rawNs, storeNs, "<= 1.05x");

    CWideString read;
    benchTimer::ratio(
        [&] {
            wchar_t buffer[261];
            DWORD type = 0;
            DWORD size = sizeof(buffer);
            RegQueryValueExW(key.get(), L"text", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        },
        [&] { (void)store->readString(L"text", read); }, iterations, rawNs, storeNs);
    benchTimer::report("readString (200 chars) vs query into a stack buffer", rawNs, storeNs, "<= 1.10x");

    // A list of ten items: the store's read against the eleven raw queries
    // that reading it takes at the least (count, then each item).
    const DWORD itemCount = 10;
    RegSetValueExW(key.get(), L"list_NumItems", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&itemCount),
                   sizeof(itemCount));
    for (DWORD i = 0; i < itemCount; ++i)
        RegSetValueExW(key.get(), (L"list_" + std::to_wstring(i)).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(L"item.dll"), sizeof(L"item.dll"));
    CWideStringArray list;
    benchTimer::ratio(
        [&] {
            DWORD count = 0;
            DWORD size = sizeof(count);
            RegQueryValueExW(key.get(), L"list_NumItems", nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size);
            for (DWORD i = 0; i < count; ++i) {
                wchar_t name[16];
                wsprintfW(name, L"list_%d", i);
                wchar_t buffer[261];
                size = sizeof(buffer);
                RegQueryValueExW(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
            }
        },
        [&] { (void)store->readStringList(L"list", list); }, iterations / 10, rawNs, storeNs);
    benchTimer::report("readStringList (10 items) vs 11 raw queries", rawNs, storeNs, "<= 1.25x");

    SettingData settings;
    stubString errorText;
    stubString keyPath;
    benchTimer::ratio(
        [] {
            HKEY software = nullptr;
            HKEY maker = nullptr;
            HKEY product = nullptr;
            const REGSAM access = KEY_READ | KEY_WRITE;
            RegCreateKeyExW(HKEY_CURRENT_USER, L"Software", 0, nullptr, 0, access, nullptr, &software, nullptr);
            RegCreateKeyExW(software, L"OstraVell", 0, nullptr, 0, access, nullptr, &maker, nullptr);
            RegCreateKeyExW(maker, L"Korvanex64", 0, nullptr, 0, access, nullptr, &product, nullptr);
            RegCloseKey(product);
            RegCloseKey(maker);
            RegCloseKey(software);
        },
        [&] {
            (void)settings.openProductKey(nullptr, 1, errorText, keyPath);
            (void)settings.closeProductKeys(nullptr);
        },
        iterations / 3, rawNs, storeNs);
    benchTimer::report("openProductKey + closeProductKeys vs raw create/close", rawNs, storeNs, "<= 1.10x");

    key.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, scratchPath.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, scratchPath.c_str());
    return 0;
}

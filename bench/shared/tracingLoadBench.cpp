// loadProfilerTracingSettings against the registry calls it cannot avoid:
// three opens, twelve queries and three closes on the same values.
#include "benchTimer.h"
#include "shared/MemoryData.h"
#include "shared/tracingSettings.h"
#include "support/uniqueHandle.h"

#include <cstdio>

namespace
{
// Sets the twelve values for the run and takes away afterwards those that
// were not there before.
class productKeyValues
{
public:
    productKeyValues()
    {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\OstraVell\\Korvanex64", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, key.put(), nullptr) != ERROR_SUCCESS)
            return;
        const wchar_t text[] = L"C:\\logs\\breakpoints.log";
        set(breakpointLogFileName, REG_SZ, text, sizeof(text));
        const DWORD value = 1;
        for (const tracingIntegerValue& v : tracingIntegerValues)
            set(v.name, REG_DWORD, &value, sizeof(value));
    }
    ~productKeyValues()
    {
        for (const wchar_t* name : added)
            if (name != nullptr)
                RegDeleteValueW(key.get(), name);
    }
    productKeyValues(const productKeyValues&) = delete;
    productKeyValues& operator=(const productKeyValues&) = delete;

private:
    void set(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
    {
        if (RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            added[addedCount++] = name;
        RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes);
    }

    uniqueRegistryKey key;
    const wchar_t* added[12] = {};
    int addedCount = 0;
};

// The same registry traffic, written out by hand; the exact close order is
// the point here, so the keys are closed directly.
int rawSequence(_profilerHookDebugData& record)
{
    HKEY software = nullptr;
    HKEY maker = nullptr;
    HKEY product = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software", 0, nullptr, 0, KEY_READ, nullptr, &software, nullptr) != 0 ||
        RegCreateKeyExW(software, L"OstraVell", 0, nullptr, 0, KEY_READ, nullptr, &maker, nullptr) != 0 ||
        RegCreateKeyExW(maker, L"Korvanex64", 0, nullptr, 0, KEY_READ, nullptr, &product, nullptr) != 0)
        return 0;
    DWORD type = 0;
    DWORD size = sizeof(record.phiBreakpointLogFile);
    RegQueryValueExW(product, breakpointLogFileName, nullptr, &type,
                     reinterpret_cast<BYTE*>(record.phiBreakpointLogFile), &size);
    for (const tracingIntegerValue& v : tracingIntegerValues) {
        size = sizeof(int);
        RegQueryValueExW(product, v.name, nullptr, &type, reinterpret_cast<BYTE*>(&(record.*v.field)), &size);
    }
    RegCloseKey(product);
    RegCloseKey(maker);
    RegCloseKey(software);
    return 1;
}
} // namespace

int main()
{
    const productKeyValues values;
    MemoryData data;
    _profilerHookDebugData rawRecord{};
    _profilerHookDebugData loadedRecord{};
    volatile int sink = 0;

    constexpr long iterations = 200;
    double rawNs = 0;
    double loadNs = 0;
    benchTimer::ratio([&] { sink = sink + rawSequence(rawRecord); },
                      [&] { sink = sink + data.loadProfilerTracingSettings(loadedRecord); }, iterations, rawNs,
                      loadNs);
    benchTimer::report("loadProfilerTracingSettings vs raw open/query/close", rawNs, loadNs, "<= 1.15x");
    std::printf("records agree: %s\n",
                (rawRecord.phiTrackDotNetProfiler == loadedRecord.phiTrackDotNetProfiler &&
                 wcscmp(rawRecord.phiBreakpointLogFile, loadedRecord.phiBreakpointLogFile) == 0)
                    ? "yes"
                    : "no");
    return 0;
}

// The DLL map: pairs of a text and an integer, stored as the S and I items
// of the family "dll" at consecutive indices from 0.
#include "settings/readWriteSettingsToRegistry.h"

#include "settings/failureLog.h"
#include "settings/logFile.h"
#include "settings/readWriteSettingsToRegistryNames.h"
#include "settings/registryValueEnumeration.h"
#include "support/hashMap.h"
#include "support/stringArray.h"
#include "support/stubString.h"

#include <iterator>

namespace
{
constexpr DWORD dllTextCharacters = 260;
// writeDllMap clears this many old pairs before it writes.
constexpr DWORD clearedPairs = 100;

// The names of a pair's halves: one of these and the pair's index.
constexpr wchar_t textPrefix[] = L"[dll]S";
constexpr wchar_t integerPrefix[] = L"[dll]I";
constexpr int prefixLength = static_cast<int>(std::size(textPrefix)) - 1;
static_assert(std::size(integerPrefix) == std::size(textPrefix));

using readName = fixedValueName<valueNameCapacity::dllMapRead>;
using writeName = fixedValueName<valueNameCapacity::family>;

// A name readDllMap could take for a pair's half: "[dll]S" or "[dll]I" and
// decimal digits, without regard to case, as the registry matches names.
bool isPairHalfName(const wchar_t* name, DWORD length) noexcept
{
    if (length <= prefixLength ||
        (CompareStringOrdinal(name, prefixLength, textPrefix, prefixLength, TRUE) != CSTR_EQUAL &&
         CompareStringOrdinal(name, prefixLength, integerPrefix, prefixLength, TRUE) != CSTR_EQUAL))
        return false;
    for (DWORD i = prefixLength; i < length; ++i)
        if (name[i] < L'0' || name[i] > L'9')
            return false;
    return true;
}

// Deletes every pair half still in the key, whatever its index, so that a
// map written over a longer one never reads back with the longer one's
// pairs. Names are collected first: deleting while enumerating by index
// would skip values. A name too long for readDllMap's buffer is never read.
void removeRemainingPairHalves(HKEY key)
{
    stringArray names;
    enumerateValues<valueNameCapacity::dllMapRead, 0>(key, [&](const wchar_t* name, DWORD nameLength, DWORD, DWORD) {
        if (isPairHalfName(name, nameLength))
            (void)names.add(name); // out of memory leaves that value behind
    });
    for (UINT32 i = 0; i < names.count; ++i)
        RegDeleteValueW(key, names.items[i]->GetString());
}

// Values that can hold half a pair: any REG_SZ, or a REG_DWORD of 4 bytes.
// Every value of the key counts, not only the "[dll]" ones.
DWORD countPairHalves(HKEY key)
{
    DWORD halves = 0;
    using namespace enumerationBuffer;
    enumerateValues<pairCountName, pairCountData>(key, [&](const wchar_t*, DWORD, DWORD type, DWORD dataBytes) {
        if (type == REG_SZ || (type == REG_DWORD && dataBytes == sizeof(DWORD)))
            ++halves;
    });
    return halves;
}
} // namespace

int readWriteSettingsToRegistry::readDllMap(dllMap& map)
{
    map.removeAll();
    const DWORD pairs = countPairHalves(key) / 2;
    for (DWORD i = 0; i < pairs; ++i) {
        readName integerName;
        integerName.append(integerPrefix).appendUnsigned(i);
        readName textName;
        textName.append(textPrefix).appendUnsigned(i);
        if (!integerName.ok() || !textName.ok())
            continue;

        DWORD value = 0;
        const int gotValue = readDword(integerName.get(), value);
        wchar_t text[dllTextCharacters];
        const int gotText = readStringBuffer(textName.get(), text, dllTextCharacters);
        if (gotValue && gotText)
            (void)map.setAt(text, static_cast<int>(value)); // out of memory drops the pair
    }
    return 1;
}

// Pairs are numbered in the map's iteration order; an entry whose integer
// cannot be written leaves its text for the next entry to overwrite.
int readWriteSettingsToRegistry::writeDllMap(const wchar_t* logPath, const dllMap& map)
{
    if (key != nullptr) {
        (void)deleteFamilyS(L"dll", clearedPairs);
        (void)deleteFamilyI(L"dll", clearedPairs);
        removeRemainingPairHalves(key);
    }

    int pair = 0;
    for (const dllMap::entry& found : map) {
        writeName textName;
        textName.append(textPrefix).appendSigned(pair);
        if (!textName.ok())
            continue;
        const UINT64 textBytes = (UINT64{found.key.GetLength()} + 1) * sizeof(wchar_t);
        if (textBytes > MAXDWORD)
            continue;
        // No key test here: with no key every write fails.
        LSTATUS rc = RegSetValueExW(key, textName.get(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(found.key.GetString()),
                                    static_cast<DWORD>(textBytes));
        if (logPath != nullptr && isLogFileEnabled())
            reportErrorToLogFile(logPath, static_cast<DWORD>(rc), "set string value", textName.get());
        if (rc != ERROR_SUCCESS)
            continue;

        writeName integerName;
        integerName.append(integerPrefix).appendSigned(pair);
        if (!integerName.ok())
            continue;
        const int value = found.value;
        rc = RegSetValueExW(key, integerName.get(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value));
        if (logPath != nullptr && isLogFileEnabled())
            reportErrorToLogFile(logPath, static_cast<DWORD>(rc), "set dword value", integerName.get());
        if (rc == ERROR_SUCCESS)
            ++pair;
    }
    return 1;
}

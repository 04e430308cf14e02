// The store's operations over several values: the numbered string list, the
// bracketed key families and their deletion, and the collection of value
// names by prefix on which the family reads rest. Single values are reached
// through the store's own operations, so their rules hold for every item.
#include "settings/readWriteSettingsToRegistry.h"

#include "support/CWideString.h"
#include "support/CWideStringArray.h"
#include "settings/failureLog.h"
#include "settings/logFile.h"
#include "settings/readWriteSettingsToRegistryNames.h"
#include "settings/registryValueEnumeration.h"
#include "support/hashMap.h"
#include "support/intArray.h"
#include "support/stringArray.h"
#include "support/stubString.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cwchar>
#include <initializer_list>

namespace
{
// The temporary name maps of the family reads.
constexpr UINT32 nameMapBuckets = 17;
constexpr UINT32 nameMapBlockSize = 10;

// A family item is kept only at an index below this many positions for each
// value of the family found. Gaps stay readable, but a single hostile name
// such as "[f]I1073741824" cannot make the array claim gigabytes: such an
// item is dropped as if the array could not grow.
constexpr UINT64 positionsPerFamilyValue = 1024;

using familyName = fixedValueName<valueNameCapacity::family>;
using deletionName = fixedValueName<valueNameCapacity::deletion>;

// "[family]kind", the start of every item name of one kind.
template <typename Name>
Name familyPrefix(const wchar_t* family, const wchar_t* kind) noexcept
{
    Name name;
    name.append(L"[").append(family).append(L"]").append(kind);
    return name;
}

// A list's value names, of any length. False when memory ran out: a name
// cut short would name another value.
bool listValueName(CWideString& name, const wchar_t* listName, const wchar_t* suffix) noexcept
{
    return name.assign(listName) && name.append(suffix);
}

bool listItemName(CWideString& name, const wchar_t* listName, DWORD index) noexcept
{
    fixedValueName<16> number;
    number.appendSigned(static_cast<int>(index));
    return name.assign(listName) && name.append(L"_") && name.append(number.get());
}

bool isSpace(wchar_t c) noexcept
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

// A decimal, signed 32-bit number: leading white space and a sign accepted,
// reading stops at the first non-digit, no digits give 0; out of range
// clamps to the nearest limit.
int parseIndex(const wchar_t* text) noexcept
{
    while (isSpace(*text))
        ++text;
    bool negative = false;
    if (*text == L'+' || *text == L'-')
        negative = *text++ == L'-';
    INT64 number = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text)
        if (number <= -INT64{INT_MIN})
            number = number * 10 + (*text - L'0');
    if (negative)
        number = -number;
    if (number > INT_MAX)
        return INT_MAX;
    if (number < INT_MIN)
        return INT_MIN;
    return static_cast<int>(number);
}

// The number of values the key holds; false when that cannot be told.
bool valueCount(HKEY key, DWORD& values) noexcept
{
    return key != nullptr && RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                              nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// The indices below count at which a list item may be stored, ascending and
// each once, from one enumeration of the key: names that end in '_' after
// the list name's length and then exactly the digits "%d" writes. The list
// name itself is not compared here; reading the item by name decides, with
// the registry's own rules for names. False when the enumeration failed
// before the last value.
bool storedListIndices(HKEY key, std::size_t listNameLength, DWORD count, intArray& indices) noexcept
{
    bool held = true;
    const LSTATUS end =
        enumerateValues<registryValueNameCapacity, 0>(key, [&](const wchar_t* name, DWORD nameLength, DWORD, DWORD) {
        if (nameLength <= listNameLength + 1 || name[listNameLength] != L'_')
            return;
        const wchar_t* digits = name + listNameLength + 1;
        const int number = parseIndex(digits);
        fixedValueName<16> written;
        written.appendSigned(number);
        if (std::wcscmp(written.get(), digits) == 0 && static_cast<DWORD>(number) < count)
            held = indices.add(number) != 0 && held;
    });
    // In index order: the numbers are unsigned ("%d" of 0xFFFFFFFE is "-2").
    int* const first = indices.data;
    std::sort(first, first + indices.count,
              [](int a, int b) { return static_cast<UINT32>(a) < static_cast<UINT32>(b); });
    indices.count = static_cast<UINT32>(std::unique(first, first + indices.count) - first);
    return held && end == ERROR_NO_MORE_ITEMS;
}

// Deletes, for every index below count, the named kinds in the order given.
// Names that do not fit the buffer are skipped; results are not examined.
void deleteFamilyItems(HKEY key, const wchar_t* family, DWORD count, std::initializer_list<const wchar_t*> kinds)
{
    if (key == nullptr || family == nullptr)
        return;
    for (DWORD i = 0; i < count; ++i)
        for (const wchar_t* kind : kinds) {
            deletionName name = familyPrefix<deletionName>(family, kind);
            name.appendUnsigned(i);
            if (name.ok())
                RegDeleteValueW(key, name.get());
        }
}
} // namespace

int readWriteSettingsToRegistry::collectValueNames(const wchar_t* prefix, nameMap& names)
{
    if (prefix == nullptr)
        return 0;
    const std::size_t prefixLength = std::wcslen(prefix);
    using namespace enumerationBuffer;
    enumerateValues<collectName, collectData>(key, [&](const wchar_t* name, DWORD, DWORD, DWORD) {
        if (std::wcsncmp(name, prefix, prefixLength) == 0) {
            (void)names.setAt(name, name); // out of memory leaves this name out
        }
    });
    return 1;
}

int readWriteSettingsToRegistry::readStringList(const wchar_t* listName, CWideStringArray& list)
{
    list.RemoveAll();
    CWideString name;
    if (!listValueName(name, listName, L"_NumItems"))
        return 0;
    DWORD count = 0;
    (void)readDword(name, count); // without the value the list is empty

    // An item that cannot be named or kept fails the read like a missing one.
    auto readItem = [&](DWORD index) {
        CWideString item;
        if (!listItemName(name, listName, index))
            return 0;
        const int read = readString(name, item);
        return (item.IsEmpty() || list.Add(std::move(item))) ? read : 0;
    };
    // A count above the number of values the key holds cannot be met, so at
    // least one item is missing and the read fails. Only the items that are
    // there are read, in index order, rather than querying every index up to
    // a count that may be anything up to 2^32. Where the registry cannot
    // tell the values, or the indices cannot be held, every index is
    // queried: the bound must never change the result.
    DWORD values = 0;
    intArray indices;
    if (count != 0 && valueCount(key, values) && count > values &&
        storedListIndices(key, listName != nullptr ? std::wcslen(listName) : 0, count, indices)) {
        for (UINT32 i = 0; i < indices.count; ++i)
            (void)readItem(static_cast<DWORD>(indices.data[i])); // the result is 0 either way
        return 0;
    }

    int result = 1;
    for (DWORD i = 0; i < count; ++i)
        result &= readItem(i);
    return result;
}

int readWriteSettingsToRegistry::writeStringList(const wchar_t* logPath, const wchar_t* listName,
                                                 const CWideStringArray& list)
{
    CWideString name;
    if (!listValueName(name, listName, L"_NumItems"))
        return 0;
    const DWORD count = static_cast<DWORD>(list.GetSize());
    (void)writeDword(logPath, name, count); // the items decide the result

    int result = 1;
    DWORD i = 0;
    for (const CWideString& item : list)
        result &= listItemName(name, listName, i++) ? writeString(logPath, name, item) : 0;
    return result;
}

int readWriteSettingsToRegistry::readIntFamily(intArray& values, const wchar_t* family)
{
    if (family == nullptr)
        return 0;
    const familyName prefix = familyPrefix<familyName>(family, L"I");
    if (!prefix.ok())
        return 1;

    nameMap names(nameMapBuckets, nameMapBlockSize);
    (void)collectValueNames(prefix.get(), names);
    (void)values.makeRoom(names.getCount()); // sized once up front; a failure shows below

    const UINT64 indexLimit = UINT64{names.getCount()} * positionsPerFamilyValue;
    for (const nameMap::entry& found : names) {
        const UINT32 index = static_cast<UINT32>(parseIndex(found.key.GetString() + prefix.length()));
        if (index >= indexLimit)
            continue; // negative indices land here too
        DWORD value = 0;
        if (!readDword(found.key.GetString(), value))
            continue;
        // An index of -1 wraps to needed 0 and is dropped.
        const UINT32 needed = index + 1;
        if (needed != 0 && needed >= values.capacity)
            (void)values.makeRoom(needed); // a failed growth drops this value below
        if (index < values.capacity) {
            values.data[index] = static_cast<int>(value);
            if (index >= values.count)
                values.count = index + 1;
        }
    }
    return 1;
}

int readWriteSettingsToRegistry::writeIntFamily(const wchar_t* logPath, const intArray& values, const wchar_t* family)
{
    const familyName prefix = familyPrefix<familyName>(family, L"I");
    for (UINT32 i = 0; i < values.count; ++i) {
        familyName name = prefix;
        name.appendUnsigned(i);
        if (!name.ok())
            continue;
        // No key test here: with no key each write fails (and is reported).
        const LSTATUS rc = RegSetValueExW(key, name.get(), 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&values.data[i]), sizeof(int));
        if (logPath != nullptr && isLogFileEnabled())
            reportErrorToLogFile(logPath, static_cast<DWORD>(rc), "set value", name.get());
    }
    return 1;
}

// deleteFamilyI with a log path that it does not use.
int readWriteSettingsToRegistry::deleteIntFamily(const wchar_t* /*logPath*/, const wchar_t* family, DWORD count)
{
    return deleteFamilyI(family, count);
}

int readWriteSettingsToRegistry::deleteFamilyAll(const wchar_t* family, DWORD count)
{
    deleteFamilyItems(key, family, count, {L"SS", L"S", L"I"});
    return 1;
}

int readWriteSettingsToRegistry::deleteFamilySS(const wchar_t* family, DWORD count)
{
    deleteFamilyItems(key, family, count, {L"SS"});
    return 1;
}

int readWriteSettingsToRegistry::deleteFamilyS(const wchar_t* family, DWORD count)
{
    deleteFamilyItems(key, family, count, {L"S"});
    return 1;
}

int readWriteSettingsToRegistry::deleteFamilyI(const wchar_t* family, DWORD count)
{
    deleteFamilyItems(key, family, count, {L"I"});
    return 1;
}

// Appends in the name map's iteration order, not in index order.
int readWriteSettingsToRegistry::readStringFamily(stringArray& values, const wchar_t* family)
{
    const familyName prefix = familyPrefix<familyName>(family, L"SS");
    if (!prefix.ok())
        return 1;

    nameMap names(nameMapBuckets, nameMapBlockSize);
    (void)collectValueNames(prefix.get(), names);
    for (const nameMap::entry& found : names) {
        stubString text;
        if (readStubString(found.key.GetString(), text))
            (void)values.add(text.GetString()); // a failed append drops this string
    }
    return 1;
}

int readWriteSettingsToRegistry::writeStringFamily(const wchar_t* logPath, const stringArray& values,
                                                   const wchar_t* family)
{
    const familyName prefix = familyPrefix<familyName>(family, L"SS");
    int result = 1;
    for (UINT32 i = 0; i < values.count; ++i) {
        familyName name = prefix;
        name.appendUnsigned(i);
        if (!name.ok()) {
            result = 0;
            continue;
        }
        const stubString empty;
        const stubString* item = values.items[i];
        result &= writeStubString(logPath, name.get(), item != nullptr ? *item : empty);
    }
    return result;
}

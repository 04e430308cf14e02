#include "settings/readWriteSettingsToRegistry.h"

#include "framework/CWideString.h"
#include "storeFixture.h"
#include "support/hashMap.h"
#include "support/intArray.h"
#include "support/stringArray.h"
#include "support/stubString.h"
#include "testSupport/scratchRegistryKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{
class storeFamilies : public storeFixture
{
protected:
    // A terminated REG_SZ value's text.
    std::wstring text(const wchar_t* name)
    {
        const std::string data = raw(name, REG_SZ);
        if (data.size() < 2)
            return L"<no terminator>";
        return std::wstring(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2 - 1);
    }
    // A REG_DWORD value of exactly 4 bytes.
    DWORD dword(const wchar_t* name)
    {
        const std::string data = raw(name, REG_DWORD);
        EXPECT_EQ(4u, data.size());
        DWORD value = 0;
        std::memcpy(&value, data.data(), std::min<std::size_t>(4, data.size()));
        return value;
    }
    std::vector<std::wstring> sortedValueNames()
    {
        std::vector<std::wstring> names = valueNames();
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::vector<std::wstring> texts(const std::vector<CWideString>& list)
    {
        std::vector<std::wstring> result;
        for (const CWideString& item : list)
            result.emplace_back(item.GetString());
        return result;
    }
    static std::vector<std::wstring> texts(const stringArray& strings)
    {
        std::vector<std::wstring> result;
        for (UINT32 i = 0; i < strings.count; ++i)
            result.emplace_back(strings.items[i]->GetString());
        return result;
    }
    // The name map's order, from its hash rule: buckets of 17 upwards, the
    // name inserted (enumerated) last first within a bucket.
    std::vector<std::wstring> mapOrder(const std::vector<std::wstring>& enumerated)
    {
        std::vector<std::wstring> order(enumerated.rbegin(), enumerated.rend());
        std::stable_sort(order.begin(), order.end(), [](const std::wstring& a, const std::wstring& b) {
            return bucketOf(a) < bucketOf(b);
        });
        return order;
    }
    static UINT32 bucketOf(const std::wstring& text)
    {
        UINT32 hash = 0;
        for (const wchar_t c : text)
            hash = hash * 33u + c;
        return hash % 17;
    }
    std::vector<std::wstring> enumerationOrder(const std::wstring& prefix)
    {
        std::vector<std::wstring> names;
        for (const std::wstring& name : valueNames())
            if (name.rfind(prefix, 0) == 0)
                names.push_back(name);
        return names;
    }
};

TEST_F(storeFamilies, collectValueNamesTakesCaseSensitivePrefixMatchesWithSmallData)
{
    setDword(L"[f]I0", 1);
    setDword(L"[f]i1", 2);
    setDword(L"[g]I0", 3);
    setText(L"[f]Ilong", std::wstring(300, L'x')); // 602 bytes of data: skipped
    setText(std::wstring(L"[f]I") + std::wstring(300, L'n'), L"long name"); // name too long: skipped
    setText(L"[f]Ismall", L"ok");

    nameMap names;
    names.setAt(L"earlier", stubString(L"kept"));
    EXPECT_EQ(1, store.collectValueNames(L"[f]I", names));
    EXPECT_EQ(3u, names.getCount()); // not emptied first
    ASSERT_NE(nullptr, names.lookup(L"[f]I0"));
    EXPECT_TRUE(*names.lookup(L"[f]I0") == L"[f]I0");
    EXPECT_NE(nullptr, names.lookup(L"[f]Ismall"));
    EXPECT_EQ(nullptr, names.lookup(L"[f]i1"));
    EXPECT_EQ(nullptr, names.lookup(L"[f]Ilong"));

    EXPECT_EQ(0, store.collectValueNames(nullptr, names));
    readWriteSettingsToRegistry unbound(nullptr);
    EXPECT_EQ(1, unbound.collectValueNames(L"[f]I", names));
}

TEST_F(storeFamilies, stringListReadKeepsNonEmptyItemsAndReportsMissingOnes)
{
    setDword(L"L_NumItems", 4);
    setText(L"L_0", L"a");
    setText(L"L_2", L"c");
    setText(L"L_3", L"");
    std::vector<CWideString> list{CWideString(L"old")};
    EXPECT_EQ(0, store.readStringList(L"L", list));
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"c"}), texts(list));

    list.assign(1, CWideString(L"old"));
    EXPECT_EQ(1, store.readStringList(L"none", list));
    EXPECT_TRUE(list.empty());
}

// A count that the key cannot hold gives what reading every index would
// give (0 and the stored items in index order), without querying them all.
TEST_F(storeFamilies, stringListCountBeyondTheKeyReadsOnlyTheStoredItems)
{
    setText(L"L_0", L"a");
    setText(L"L_1", L"b");
    setText(L"L_2", L"c");
    setText(L"L_-2", L"z");      // "%d" of index 0xFFFFFFFE
    setText(L"L_007", L"decoy"); // no index is written so
    const struct
    {
        DWORD type;
        DWORD count;
        DWORD bytes;
        std::vector<std::wstring> expected;
    } rows[] = {
        {REG_DWORD, 0xFFFFFFFF, 4, {L"a", L"b", L"c", L"z"}},
        {REG_BINARY, 0xFFFFFFFF, 4, {L"a", L"b", L"c", L"z"}},
        {REG_DWORD, 0x80000000, 4, {L"a", L"b", L"c"}},
        {REG_BINARY, 0xFFFF, 2, {L"a", L"b", L"c"}},
    };
    for (const auto& row : rows) {
        scratch.setRaw(L"L_NumItems", row.type, &row.count, row.bytes);
        std::vector<CWideString> list{CWideString(L"old")};
        EXPECT_EQ(0, store.readStringList(L"L", list)) << std::hex << row.count;
        EXPECT_EQ(row.expected, texts(list)) << std::hex << row.count;
    }
}

TEST_F(storeFamilies, stringListWriteReplacesCountAndItemsOnly)
{
    std::vector<CWideString> five;
    for (const wchar_t* item : {L"1", L"2", L"3", L"4", L"5"})
        five.emplace_back(item);
    ASSERT_EQ(1, store.writeStringList(nullptr, L"L", five));
    EXPECT_EQ(5u, dword(L"L_NumItems"));

    const std::vector<CWideString> two{CWideString(L"x"), CWideString(L"y")};
    ASSERT_EQ(1, store.writeStringList(nullptr, L"L", two));
    EXPECT_EQ(2u, dword(L"L_NumItems"));
    EXPECT_EQ(L"x", text(L"L_0"));
    EXPECT_EQ(L"y", text(L"L_1"));
    EXPECT_EQ(L"3", text(L"L_2"));
    EXPECT_EQ(L"5", text(L"L_4"));

    std::vector<CWideString> read;
    EXPECT_EQ(1, store.readStringList(L"L", read));
    EXPECT_EQ((std::vector<std::wstring>{L"x", L"y"}), texts(read));

    const uniqueRegistryKey readOnly = scratch.reopen(KEY_READ);
    readWriteSettingsToRegistry reader(readOnly.get());
    EXPECT_EQ(0, reader.writeStringList(nullptr, L"L", two));
    EXPECT_EQ(1, reader.writeStringList(nullptr, L"L", {}));
}

TEST_F(storeFamilies, intFamilyReadPlacesValuesByIndexAndOnlyGrowsCount)
{
    setDword(L"[f]I0", 5);
    setDword(L"[f]I3", 7);
    setDword(L"[other]I1", 9);
    intArray values;
    ASSERT_EQ(1, values.makeRoom(8));
    std::fill(values.data, values.data + 8, -1);
    EXPECT_EQ(1, store.readIntFamily(values, L"f"));
    EXPECT_EQ(4u, values.count);
    EXPECT_EQ(5, values.data[0]);
    EXPECT_EQ(-1, values.data[1]);
    EXPECT_EQ(-1, values.data[2]);
    EXPECT_EQ(7, values.data[3]);

    intArray empty;
    EXPECT_EQ(1, store.readIntFamily(empty, L"f"));
    EXPECT_EQ(4u, empty.count);
    EXPECT_GE(empty.capacity, 4u);
    EXPECT_EQ(5, empty.data[0]);
    EXPECT_EQ(7, empty.data[3]);

    // A larger count from before stays.
    values.count = 6;
    EXPECT_EQ(1, store.readIntFamily(values, L"f"));
    EXPECT_EQ(6u, values.count);

    intArray untouched;
    EXPECT_EQ(0, store.readIntFamily(untouched, nullptr));
    EXPECT_EQ(nullptr, untouched.data);
    EXPECT_EQ(0u, untouched.count);
}

TEST_F(storeFamilies, intFamilyIndexSuffixesParseAsSignedDecimal)
{
    setDword(L"[f]Ix", 11);     // no digits: position 0
    setDword(L"[f]I +2z", 12);  // white space and sign, stops at z
    setDword(L"[f]I-1", 13);    // needed wraps to 0: dropped
    setDword(L"[f]I-2", 14);    // 0xFFFFFFFE: far beyond any room that can be had cheaply
    const BYTE shortValue = 0x2A;
    scratch.setRaw(L"[f]I1", REG_BINARY, &shortValue, 1); // short data fills a zeroed temporary
    intArray values;
    EXPECT_EQ(1, store.readIntFamily(values, L"f"));
    ASSERT_GE(values.count, 3u);
    EXPECT_EQ(11, values.data[0]);
    EXPECT_EQ(0x2A, values.data[1]);
    EXPECT_EQ(12, values.data[2]);
    EXPECT_EQ(3u, values.count); // -2 lies far beyond five values
}

// Each value of a family allows 1024 positions: two values reach index 2047,
// so gaps stay readable while a hostile index never claims gigabytes.
TEST_F(storeFamilies, intFamilyKeepsGapsButDropsIndicesFarBeyondItsValues)
{
    setDword(L"[f]I0", 1);
    const struct
    {
        const wchar_t* name;
        UINT32 count;
    } rows[] = {
        {L"[f]I1500", 1501},       {L"[f]I2047", 2048},       {L"[f]I2048", 1},
        {L"[f]I1073741823", 1},    {L"[f]I1073741824", 1},    {L"[f]I2147483647", 1},
        {L"[f]I-2", 1},
    };
    for (const auto& row : rows) {
        setDword(row.name, 77);
        intArray values;
        EXPECT_EQ(1, store.readIntFamily(values, L"f"));
        EXPECT_EQ(row.count, values.count) << row.name;
        EXPECT_LE(values.capacity, 2048u) << row.name;
        EXPECT_EQ(1, values.data[0]);
        if (row.count > 1) {
            EXPECT_EQ(77, values.data[row.count - 1]) << row.name;
        }
        ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueW(scratch.get(), row.name));
    }
}

TEST_F(storeFamilies, intFamilyWriteStoresFourByteDwords)
{
    intArray values;
    EXPECT_EQ(1, store.writeIntFamily(nullptr, values, L"f"));
    EXPECT_TRUE(valueNames().empty());

    for (const int value : {10, -1, 30})
        ASSERT_EQ(1, values.add(value));
    EXPECT_EQ(1, store.writeIntFamily(nullptr, values, L"f"));
    EXPECT_EQ(10u, dword(L"[f]I0"));
    EXPECT_EQ(0xFFFFFFFFu, dword(L"[f]I1"));
    EXPECT_EQ(30u, dword(L"[f]I2"));

    const uniqueRegistryKey readOnly = scratch.reopen(KEY_READ);
    readWriteSettingsToRegistry reader(readOnly.get());
    EXPECT_EQ(1, reader.writeIntFamily(nullptr, values, L"g"));
    readWriteSettingsToRegistry unbound(nullptr);
    EXPECT_EQ(1, unbound.writeIntFamily(nullptr, values, L"g"));
    EXPECT_FALSE(scratch.exists(L"[g]I0"));
}

TEST_F(storeFamilies, deletionsRemoveOnlyTheirKindsBelowCount)
{
    const auto fill = [&] {
        for (const wchar_t* kind : {L"SS", L"S", L"I"})
            for (int i = 0; i < 3; ++i) {
                setDword((std::wstring(L"[f]") + kind + std::to_wstring(i)).c_str(), 1);
                setDword((std::wstring(L"[g]") + kind + std::to_wstring(i)).c_str(), 1);
            }
    };
    const auto remainingOf = [&](const std::wstring& family) {
        std::vector<std::wstring> names;
        for (const std::wstring& name : sortedValueNames())
            if (name.rfind(family, 0) == 0)
                names.push_back(name);
        return names;
    };

    fill();
    EXPECT_EQ(1, store.deleteFamilyAll(L"f", 2));
    EXPECT_EQ((std::vector<std::wstring>{L"[f]I2", L"[f]S2", L"[f]SS2"}), remainingOf(L"[f]"));
    EXPECT_EQ(9u, remainingOf(L"[g]").size());

    fill();
    EXPECT_EQ(1, store.deleteFamilySS(L"f", 3));
    EXPECT_EQ(1, store.deleteFamilyS(L"f", 1));
    EXPECT_EQ(1, store.deleteIntFamily(L"ignored", L"f", 2));
    EXPECT_EQ((std::vector<std::wstring>{L"[f]I2", L"[f]S1", L"[f]S2"}), remainingOf(L"[f]"));
    EXPECT_EQ(1, store.deleteFamilyI(L"f", 3));
    EXPECT_EQ((std::vector<std::wstring>{L"[f]S1", L"[f]S2"}), remainingOf(L"[f]"));

    readWriteSettingsToRegistry unbound(nullptr);
    EXPECT_EQ(1, unbound.deleteFamilyAll(L"g", 3));
    EXPECT_EQ(1, store.deleteFamilyAll(nullptr, 3));
    EXPECT_EQ(9u, remainingOf(L"[g]").size());
}

TEST_F(storeFamilies, stringFamilyReadAppendsInNameMapOrder)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < 12; ++i) {
        setText(L"[fam]SS" + std::to_wstring(i), L"item" + std::to_wstring(i));
        items.push_back(L"item" + std::to_wstring(i));
    }
    setText(L"[fam]S0", L"not an SS item");

    std::vector<std::wstring> expected;
    for (const std::wstring& name : mapOrder(enumerationOrder(L"[fam]SS")))
        expected.push_back(L"item" + name.substr(7));
    ASSERT_NE(items, expected) << "the names should hash out of index order";

    stringArray strings;
    ASSERT_EQ(1, strings.add(L"before"));
    EXPECT_EQ(1, store.readStringFamily(strings, L"fam"));
    std::vector<std::wstring> withBefore{L"before"};
    withBefore.insert(withBefore.end(), expected.begin(), expected.end());
    EXPECT_EQ(withBefore, texts(strings));

    EXPECT_EQ(1, store.readStringFamily(strings, L"fam"));
    EXPECT_EQ(1u + 2 * expected.size(), strings.count);
}

TEST_F(storeFamilies, stringFamilyWriteStoresTerminatedTexts)
{
    stringArray strings;
    for (const wchar_t* item : {L"alpha", L"", L"gamma"})
        ASSERT_EQ(1, strings.add(item));
    EXPECT_EQ(1, store.writeStringFamily(nullptr, strings, L"f"));
    EXPECT_EQ(L"alpha", text(L"[f]SS0"));
    EXPECT_EQ(L"", text(L"[f]SS1"));
    EXPECT_EQ(L"gamma", text(L"[f]SS2"));

    const uniqueRegistryKey readOnly = scratch.reopen(KEY_READ);
    readWriteSettingsToRegistry reader(readOnly.get());
    EXPECT_EQ(0, reader.writeStringFamily(nullptr, strings, L"g"));
    EXPECT_EQ(1, reader.writeStringFamily(nullptr, stringArray(), L"g"));
}

// "[" + name + "]SS" + digits must fit 260 characters (the deletions: 263).
TEST_F(storeFamilies, familyNamesTooLongForTheNameBufferFailTheirItems)
{
    const std::wstring tooLong(256, L'n'); // "[...]SS0" is 261 characters
    stringArray strings;
    ASSERT_EQ(1, strings.add(L"x"));
    EXPECT_EQ(0, store.writeStringFamily(nullptr, strings, tooLong.c_str()));
    intArray values;
    ASSERT_EQ(1, values.add(1));
    EXPECT_EQ(1, store.writeIntFamily(nullptr, values, std::wstring(257, L'n').c_str()));
    EXPECT_TRUE(valueNames().empty());

    // 258 characters: "[...]I0" is 261, fits the deletion buffer of 264.
    const std::wstring deletable = L"[" + std::wstring(258, L'd') + L"]I0";
    setDword(deletable.c_str(), 1);
    EXPECT_EQ(1, store.deleteFamilyI(std::wstring(258, L'd').c_str(), 1));
    EXPECT_FALSE(scratch.exists(deletable.c_str()));
    const std::wstring beyond = L"[" + std::wstring(261, L'd') + L"]I0"; // 264: no room for the terminator
    setDword(beyond.c_str(), 1);
    EXPECT_EQ(1, store.deleteFamilyI(std::wstring(261, L'd').c_str(), 1));
    EXPECT_TRUE(scratch.exists(beyond.c_str()));

    intArray read;
    EXPECT_EQ(1, store.readIntFamily(read, std::wstring(300, L'd').c_str()));
    EXPECT_EQ(0u, read.count);
    stringArray readStrings;
    EXPECT_EQ(1, store.readStringFamily(readStrings, std::wstring(300, L'd').c_str()));
    EXPECT_EQ(0u, readStrings.count);
}
} // namespace

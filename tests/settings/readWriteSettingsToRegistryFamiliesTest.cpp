#include "settings/readWriteSettingsToRegistry.h"

#include "support/CWideString.h"
#include "support/CWideStringArray.h"
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
    static std::vector<std::wstring> texts(const CWideStringArray& list)
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
};

TEST_F(storeFamilies, collectValueNamesTakesCaseSensitivePrefixMatchesWithSmallData)
{
    scratch.setDword(L"[f]I0", 1);
    scratch.setDword(L"[f]i1", 2);
    scratch.setDword(L"[g]I0", 3);
    scratch.setText(L"[f]Ilong", std::wstring(300, L'x')); // 602 bytes of data: skipped
    scratch.setText(std::wstring(L"[f]I") + std::wstring(300, L'n'), L"long name"); // name too long: skipped
    scratch.setText(L"[f]Ismall", L"ok");

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
    EXPECT_EQ(1, unbound.collectValueNames(L"[f]I", names));
}

TEST_F(storeFamilies, stringListReadKeepsNonEmptyItemsAndReportsMissingOnes)
{
    scratch.setDword(L"L_NumItems", 4);
    scratch.setText(L"L_0", L"a");
    scratch.setText(L"L_2", L"c");
    scratch.setText(L"L_3", L"");
    CWideStringArray list;
    ASSERT_TRUE(list.Add(L"old"));
    EXPECT_EQ(0, store.readStringList(L"L", list));
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"c"}), texts(list));

    EXPECT_EQ(1, store.readStringList(L"none", list));
    EXPECT_EQ(0u, list.GetSize());
}

// A count that the key cannot hold gives what reading every index would
// give (0 and the stored items in index order), without querying them all.
TEST_F(storeFamilies, stringListCountBeyondTheKeyReadsOnlyTheStoredItems)
{
    scratch.setText(L"L_0", L"a");
    scratch.setText(L"L_1", L"b");
    scratch.setText(L"L_2", L"c");
    scratch.setText(L"L_-2", L"z");      // "%d" of index 0xFFFFFFFE
    scratch.setText(L"L_007", L"decoy"); // no index is written so
    const struct
    {
        DWORD type;
        DWORD count;
        DWORD bytes;
        std::vector<std::wstring> expected;
    } rows[] = {
        {REG_DWORD, 0xFFFFFFFF, 4, {L"a", L"b", L"c", L"z"}}, {REG_BINARY, 0xFFFFFFFF, 4, {L"a", L"b", L"c", L"z"}},
        {REG_DWORD, 0x80000000, 4, {L"a", L"b", L"c"}}, {REG_BINARY, 0xFFFF, 2, {L"a", L"b", L"c"}},
    };
    for (const auto& row : rows) {
        scratch.setRaw(L"L_NumItems", row.type, &row.count, row.bytes);
        CWideStringArray list;
        ASSERT_TRUE(list.Add(L"old"));
        EXPECT_EQ(0, store.readStringList(L"L", list)) << std::hex << row.count;
        EXPECT_EQ(row.expected, texts(list)) << std::hex << row.count;
    }
}

TEST_F(storeFamilies, stringListWriteReplacesCountAndItemsOnly)
{
    CWideStringArray five;
    for (const wchar_t* item : {L"1", L"2", L"3", L"4", L"5"})
        ASSERT_TRUE(five.Add(item));
    ASSERT_EQ(1, store.writeStringList(nullptr, L"L", five));
    EXPECT_EQ(5u, scratch.dword(L"L_NumItems"));

    CWideStringArray two;
    ASSERT_TRUE(two.Add(L"x") && two.Add(L"y"));
    ASSERT_EQ(1, store.writeStringList(nullptr, L"L", two));
    EXPECT_EQ(2u, scratch.dword(L"L_NumItems"));
    EXPECT_EQ(L"x", scratch.text(L"L_0"));
    EXPECT_EQ(L"y", scratch.text(L"L_1"));
    EXPECT_EQ(L"3", scratch.text(L"L_2"));
    EXPECT_EQ(L"5", scratch.text(L"L_4"));

    CWideStringArray read;
    EXPECT_EQ(1, store.readStringList(L"L", read));
    EXPECT_EQ((std::vector<std::wstring>{L"x", L"y"}), texts(read));

    EXPECT_EQ(0, reader.writeStringList(nullptr, L"L", two));
    EXPECT_EQ(1, reader.writeStringList(nullptr, L"L", CWideStringArray()));
}

TEST_F(storeFamilies, intFamilyReadPlacesValuesByIndexAndOnlyGrowsCount)
{
    scratch.setDword(L"[f]I0", 5);
    scratch.setDword(L"[f]I3", 7);
    scratch.setDword(L"[other]I1", 9);
    intArray values;
    ASSERT_EQ(1, values.makeRoom(8));
    std::fill(values.data, values.data + 8, -1);
    EXPECT_EQ(1, store.readIntFamily(values, L"f"));
    EXPECT_EQ(4u, values.count);
    EXPECT_EQ((std::vector<int>{5, -1, -1, 7}), std::vector<int>(values.data, values.data + 4));

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
    scratch.setDword(L"[f]Ix", 11);     // no digits: position 0
    scratch.setDword(L"[f]I +2z", 12);  // white space and sign, stops at z
    scratch.setDword(L"[f]I-1", 13);    // needed wraps to 0: dropped
    scratch.setDword(L"[f]I-2", 14);    // 0xFFFFFFFE: far beyond any room that can be had cheaply
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
    scratch.setDword(L"[f]I0", 1);
    const struct
    {
        const wchar_t* name;
        UINT32 count;
        int last;
    } rows[] = {
        {L"[f]I1500", 1501, 77},    {L"[f]I2047", 2048, 77},    {L"[f]I2048", 1, 1},
        {L"[f]I1073741823", 1, 1},  {L"[f]I1073741824", 1, 1},  {L"[f]I2147483647", 1, 1}, {L"[f]I-2", 1, 1},
    };
    for (const auto& row : rows) {
        scratch.setDword(row.name, 77);
        intArray values;
        EXPECT_EQ(1, store.readIntFamily(values, L"f"));
        ASSERT_EQ(row.count, values.count) << row.name;
        EXPECT_LE(values.capacity, 2048u) << row.name;
        EXPECT_EQ(1, values.data[0]);
        EXPECT_EQ(row.last, values.data[row.count - 1]) << row.name;
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
    EXPECT_EQ(10u, scratch.dword(L"[f]I0"));
    EXPECT_EQ(0xFFFFFFFFu, scratch.dword(L"[f]I1"));
    EXPECT_EQ(30u, scratch.dword(L"[f]I2"));

    EXPECT_EQ(1, reader.writeIntFamily(nullptr, values, L"g"));
    EXPECT_EQ(1, unbound.writeIntFamily(nullptr, values, L"g"));
    EXPECT_FALSE(scratch.exists(L"[g]I0"));
}

TEST_F(storeFamilies, deletionsRemoveOnlyTheirKindsBelowCount)
{
    const auto fill = [&] {
        for (const wchar_t* kind : {L"SS", L"S", L"I"})
            for (int i = 0; i < 3; ++i) {
                scratch.setDword((std::wstring(L"[f]") + kind + std::to_wstring(i)).c_str(), 1);
                scratch.setDword((std::wstring(L"[g]") + kind + std::to_wstring(i)).c_str(), 1);
            }
    };
    const auto remainingOf = [&](const std::wstring& family) {
        std::vector<std::wstring> names;
        for (const std::wstring& name : valueNames())
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

    EXPECT_EQ(1, unbound.deleteFamilyAll(L"g", 3));
    EXPECT_EQ(1, store.deleteFamilyAll(nullptr, 3));
    EXPECT_EQ(9u, remainingOf(L"[g]").size());
}

// The name map's order: buckets of 17 upwards, in a bucket the name added
// last first. The values are made in name order, so that Windows (creation
// order) and Wine (name order) enumerate them alike.
TEST_F(storeFamilies, stringFamilyReadAppendsInNameMapOrder)
{
    for (const int i : {0, 1, 10, 11, 2, 3, 4, 5, 6, 7, 8, 9})
        scratch.setText(L"[fam]SS" + std::to_wstring(i), L"item" + std::to_wstring(i));
    scratch.setText(L"[fam]S0", L"not an SS item");
    // SS4 and SS11 share bucket 0, SS5..SS9 fill 1..5, SS0..SS2 13..15, SS3 and SS10 share 16.
    const std::vector<std::wstring> expected{L"before", L"item4", L"item11", L"item5", L"item6",
                                             L"item7",  L"item8", L"item9",  L"item0", L"item1",
                                             L"item2",  L"item3", L"item10"};

    stringArray strings;
    ASSERT_EQ(1, strings.add(L"before"));
    EXPECT_EQ(1, store.readStringFamily(strings, L"fam"));
    EXPECT_EQ(expected, texts(strings));

    EXPECT_EQ(1, store.readStringFamily(strings, L"fam"));
    EXPECT_EQ(25u, strings.count);
}

TEST_F(storeFamilies, stringFamilyWriteStoresTerminatedTexts)
{
    stringArray strings;
    for (const wchar_t* item : {L"alpha", L"", L"gamma"})
        ASSERT_EQ(1, strings.add(item));
    EXPECT_EQ(1, store.writeStringFamily(nullptr, strings, L"f"));
    EXPECT_EQ(L"alpha", scratch.text(L"[f]SS0"));
    EXPECT_EQ(L"", scratch.text(L"[f]SS1"));
    EXPECT_EQ(L"gamma", scratch.text(L"[f]SS2"));

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
    scratch.setDword(deletable.c_str(), 1);
    EXPECT_EQ(1, store.deleteFamilyI(std::wstring(258, L'd').c_str(), 1));
    EXPECT_FALSE(scratch.exists(deletable.c_str()));
    const std::wstring beyond = L"[" + std::wstring(261, L'd') + L"]I0"; // 264: no room for the terminator
    scratch.setDword(beyond.c_str(), 1);
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

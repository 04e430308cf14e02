#include "support/hashMap.h"

#include "support/stubString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using textMap = hashMap<stubString, stubString>;
using numberMap = hashMap<stubString, int>;

template <typename Map>
std::vector<std::wstring> keysInOrder(const Map& map)
{
    std::vector<std::wstring> keys;
    for (const auto& entry : map)
        keys.emplace_back(entry.key.GetString());
    return keys;
}

TEST(hashMap, hashIsTimes33PlusCodeUnitWrapping)
{
    EXPECT_EQ(0u, textMap::hashKey(L""));
    EXPECT_EQ(97u, textMap::hashKey(L"a"));
    EXPECT_EQ(97u * 33 + 98, textMap::hashKey(L"ab"));
    // Wraps in 32 bits.
    EXPECT_EQ(0x594AA5B4u, textMap::hashKey(L"[dll]S1234567890"));
    // Code units above 0x7FFF count as unsigned.
    EXPECT_EQ(0xFFFFu, textMap::hashKey(L"\xFFFF"));
}

// "a" (97) and "r" (114) share bucket 12 of 17, "b" is in 13, "A" (65) in 14.
TEST(hashMap, iteratesBucketsUpwardsAndEachChainNewestFirst)
{
    numberMap map;
    EXPECT_TRUE(keysInOrder(map).empty());
    for (const wchar_t* key : {L"A", L"a", L"b", L"r"})
        ASSERT_EQ(1, map.setAt(key, 1));
    EXPECT_EQ((std::vector<std::wstring>{L"r", L"a", L"b", L"A"}), keysInOrder(map));
    EXPECT_EQ(4u, map.getCount());
}

TEST(hashMap, lookupFindsExistingKeysAndInsertsWithZeroValue)
{
    numberMap map;
    int* fresh = map.lookupOrInsert(L"kernel32.dll");
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(0, *fresh);
    *fresh = 7;
    EXPECT_EQ(fresh, map.lookupOrInsert(L"kernel32.dll"));
    EXPECT_EQ(1u, map.getCount());
    ASSERT_NE(nullptr, map.lookup(L"kernel32.dll"));
    EXPECT_EQ(7, *map.lookup(L"kernel32.dll"));
    EXPECT_EQ(nullptr, map.lookup(L"KERNEL32.DLL"));

    textMap names;
    stubString* text = names.lookupOrInsert(L"x");
    ASSERT_NE(nullptr, text);
    EXPECT_TRUE(text->IsEmpty());
}

TEST(hashMap, manyEntriesAcrossNodeBlocksAndEmptyingReuses)
{
    textMap map(17, 10);
    for (int i = 0; i < 95; ++i) {
        const std::wstring key = L"name" + std::to_wstring(i);
        ASSERT_EQ(1, map.setAt(key.c_str(), stubString(key.c_str())));
    }
    EXPECT_EQ(95u, map.getCount());
    EXPECT_EQ(95u, keysInOrder(map).size());
    for (int i = 0; i < 95; ++i) {
        const std::wstring key = L"name" + std::to_wstring(i);
        const stubString* value = map.lookup(key.c_str());
        ASSERT_NE(nullptr, value) << i;
        EXPECT_TRUE(*value == key.c_str());
    }
    map.removeAll();
    EXPECT_EQ(0u, map.getCount());
    EXPECT_TRUE(keysInOrder(map).empty());
    EXPECT_EQ(nullptr, map.lookup(L"name3"));
    ASSERT_EQ(1, map.setAt(L"again", stubString(L"v")));
    EXPECT_EQ((std::vector<std::wstring>{L"again"}), keysInOrder(map));
}
} // namespace

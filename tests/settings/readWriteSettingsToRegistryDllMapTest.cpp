#include "settings/readWriteSettingsToRegistry.h"

#include "storeFixture.h"
#include "support/hashMap.h"
#include "support/stubString.h"
#include "testSupport/scratchRegistryKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace
{
using pairList = std::vector<std::pair<std::wstring, int>>;

pairList pairsOf(const dllMap& map)
{
    pairList pairs;
    for (const dllMap::entry& entry : map)
        pairs.emplace_back(entry.key.GetString(), entry.value);
    return pairs;
}

pairList sorted(pairList pairs)
{
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

using storeDllMap = storeFixture;

// Every pair of a longer map written before goes, whatever its index or the
// case of its name; values of any other shape stay.
TEST_F(storeDllMap, writeClearsOldPairsThenNumbersInIterationOrder)
{
    for (int i = 0; i < 300; ++i) {
        scratch.setText((i == 150 ? L"[DLL]s" : L"[dll]S") + std::to_wstring(i), L"old" + std::to_wstring(i));
        scratch.setDword(L"[dll]I" + std::to_wstring(i), 1);
    }
    for (const wchar_t* other : {L"[dll]SS0", L"[dll]S1x", L"dllS5"})
        scratch.setText(other, L"not a pair");

    // "a" and "r" share a bucket, "A" is in a later one: the order is r, a, A.
    dllMap map;
    ASSERT_EQ(1, map.setAt(L"A", 3));
    ASSERT_EQ(1, map.setAt(L"a", 1));
    ASSERT_EQ(1, map.setAt(L"r", 2));
    EXPECT_EQ(1, store.writeDllMap(nullptr, map));

    EXPECT_EQ(std::string("r\0\0\0", 4), raw(L"[dll]S0", REG_SZ));
    EXPECT_EQ(std::string("\x02\0\0\0", 4), raw(L"[dll]I0", REG_DWORD));
    EXPECT_EQ(std::string("a\0\0\0", 4), raw(L"[dll]S1", REG_SZ));
    EXPECT_EQ(std::string("\x01\0\0\0", 4), raw(L"[dll]I1", REG_DWORD));
    EXPECT_EQ(std::string("A\0\0\0", 4), raw(L"[dll]S2", REG_SZ));
    EXPECT_EQ(std::string("\x03\0\0\0", 4), raw(L"[dll]I2", REG_DWORD));
    EXPECT_EQ((std::vector<std::wstring>{L"[dll]I0", L"[dll]I1", L"[dll]I2", L"[dll]S0", L"[dll]S1", L"[dll]S1x",
                                         L"[dll]S2", L"[dll]SS0", L"dllS5"}),
              valueNames());

    dllMap read;
    ASSERT_EQ(1, read.setAt(L"stale", 9));
    EXPECT_EQ(1, store.readDllMap(read));
    // Read back in index order, "a" goes to the head of the shared chain.
    EXPECT_EQ((pairList{{L"a", 1}, {L"r", 2}, {L"A", 3}}), pairsOf(read));
}

TEST_F(storeDllMap, readRoundTripsLongTextsAndNegativeNumbers)
{
    dllMap map;
    const std::wstring path = L"C:\\Program Files\\Korvane\\" + std::wstring(200, L'p') + L".dll";
    ASSERT_EQ(1, map.setAt(path.c_str(), -5));
    ASSERT_EQ(1, map.setAt(L"kernel32.dll", 0));
    EXPECT_EQ(1, store.writeDllMap(nullptr, map));
    dllMap read;
    EXPECT_EQ(1, store.readDllMap(read));
    EXPECT_EQ(pairsOf(map), pairsOf(read));
}

TEST_F(storeDllMap, readCountsHalvesOverTheWholeKey)
{
    dllMap read;
    EXPECT_EQ(1, store.readDllMap(read));
    EXPECT_EQ(0u, read.getCount());

    // One pair and one unrelated string: three halves give one index.
    scratch.setText(L"[dll]S0", L"one.dll");
    scratch.setDword(L"[dll]I0", 1);
    scratch.setText(L"[dll]S1", L"two.dll");
    scratch.setDword(L"[dll]I1", 2);
    const UINT64 wide = 7;
    scratch.setRaw(L"eightBytes", REG_DWORD, &wide, 8); // not a half
    scratch.setRaw(L"binary", REG_BINARY, &wide, 4);    // not a half
    EXPECT_EQ(1, store.readDllMap(read));
    EXPECT_EQ((pairList{{L"one.dll", 1}, {L"two.dll", 2}}), sorted(pairsOf(read)));

    // An odd count loses its remainder: with pair 1's integer gone, three
    // halves try only index 0.
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueW(scratch.get(), L"[dll]I1"));
    EXPECT_EQ(1, store.readDllMap(read));
    EXPECT_EQ((pairList{{L"one.dll", 1}}), pairsOf(read));

    // A text too long for 260 characters fails its pair.
    scratch.setDword(L"[dll]I1", 2);
    scratch.setText(L"[dll]S1", std::wstring(260, L'x'));
    EXPECT_EQ(1, store.readDllMap(read));
    EXPECT_EQ((pairList{{L"one.dll", 1}}), pairsOf(read));

    // Same text twice: the later index wins.
    scratch.setText(L"[dll]S1", L"one.dll");
    EXPECT_EQ(1, store.readDllMap(read));
    EXPECT_EQ((pairList{{L"one.dll", 2}}), pairsOf(read));
}

TEST_F(storeDllMap, writeWithoutAWritableKeyLeavesNothing)
{
    dllMap map;
    ASSERT_EQ(1, map.setAt(L"x.dll", 1));
    EXPECT_EQ(1, unbound.writeDllMap(nullptr, map));
    dllMap read;
    EXPECT_EQ(1, unbound.readDllMap(read));
    EXPECT_EQ(0u, read.getCount());

    scratch.setText(L"[dll]S0", L"kept.dll");
    EXPECT_EQ(1, reader.writeDllMap(nullptr, map));
    EXPECT_EQ(std::string("k\0e\0p\0t\0.\0d\0l\0l\0\0\0", 18), raw(L"[dll]S0", REG_SZ));
}
} // namespace

#include "framework/CStringToStringMap.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
TEST(CStringToStringMap, lookupSetAtAndReplace)
{
    CStringToStringMap map;
    CWideString value(L"untouched");
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_FALSE(map.Lookup(L"txt", value));
    EXPECT_EQ(L"untouched", std::wstring(value)) << "a failed lookup leaves the value alone";

    map.SetAt(L"txt", L"C:\\logs");
    map.SetAt(L"", L"C:\\plain");
    ASSERT_TRUE(map.Lookup(L"txt", value));
    EXPECT_EQ(L"C:\\logs", std::wstring(value));
    map.SetAt(L"txt", L"D:");
    ASSERT_TRUE(map.Lookup(L"txt", value));
    EXPECT_EQ(L"D:", std::wstring(value));
    EXPECT_EQ(2, map.GetCount());
    // Keys compare exactly; callers fold case themselves.
    EXPECT_FALSE(map.Lookup(L"TXT", value));
    ASSERT_TRUE(map.Lookup(L"", value));
    EXPECT_EQ(L"C:\\plain", std::wstring(value));

    map.RemoveAll();
    EXPECT_EQ(0, map.GetCount());
}
} // namespace

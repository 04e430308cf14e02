// Failure reports of the store's writes. One log file for the whole program:
// the failure log keeps the first file it opened.
#include "settings/readWriteSettingsToRegistry.h"

#include "support/CWideString.h"
#include "support/CWideStringArray.h"
#include "support/hashMap.h"
#include "support/intArray.h"
#include "support/stringArray.h"
#include "support/stubString.h"
#include "testSupport/failureLogFixture.h"
#include "testSupport/scratchRegistryKey.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
const auto* const logEnvironment = testing::AddGlobalTestEnvironment(new programLogFile(L"store.log"));
class storeReports : public failureLogTest
{
protected:
    // What the log gained while body ran.
    std::string appendedBy(const std::function<void()>& body)
    {
        const logGrowth growth(logPath);
        body();
        return growth.added();
    }
    std::string deniedW(const std::wstring& rest) { return bytesOf(systemTextW(ERROR_ACCESS_DENIED) + L" : " + rest); }

    const std::wstring logPath = programLogFile::path();
    scratchRegistryKey scratch;
    uniqueRegistryKey readOnly = scratch.reopen(KEY_READ);
    readWriteSettingsToRegistry store{readOnly.get()};
};

TEST_F(storeReports, refusedWritesReportContextAndValueName)
{
    const wchar_t* const path = logPath.c_str();
    struct write
    {
        const wchar_t* context;
        std::function<int(readWriteSettings&)> call;
    };
    const write writes[] = {
        {L"setting char value", [&](readWriteSettings& s) { return s.writeChar(path, L"v", 'c'); }},
        {L"setting unsigned char value", [&](readWriteSettings& s) { return s.writeUChar(path, L"v", 1); }},
        {L"setting wchar_t value", [&](readWriteSettings& s) { return s.writeWideChar(path, L"v", L'w'); }},
        {L"setting dword value", [&](readWriteSettings& s) { return s.writeWord(path, L"v", 2); }},
        {L"setting int value", [&](readWriteSettings& s) { return s.writeInt(path, L"v", 3); }},
        {L"setting unsigned int value", [&](readWriteSettings& s) { return s.writeUInt(path, L"v", 4u); }},
        {L"setting dword value", [&](readWriteSettings& s) { return s.writeDword(path, L"v", 5ul); }},
        {L"setting double value", [&](readWriteSettings& s) { return s.writeDouble(path, L"v", 6.0); }},
        {L"setting unsigned __int64 value", [&](readWriteSettings& s) { return s.writeUInt64(path, L"v", 7ull); }},
        {L"setting unsigned __int64 value", [&](readWriteSettings& s) { return s.writeInt64(path, L"v", 8ll); }},
        {L"setting unsigned time_t value", [&](readWriteSettings& s) { return s.writeTime(path, L"v", 9ull); }},
        {L"setting string value", [&](readWriteSettings& s) { return s.writeBinary8(path, L"v", binary8Value{}); }},
        {L"setting string value", [&](readWriteSettings& s) { return s.writeString(path, L"v", CWideString(L"a")); }},
        {L"setting string value",
         [&](readWriteSettings& s) { return s.writeStubString(path, L"v", stubString(L"a")); }},
        {L"setting string value", [&](readWriteSettings& s) { return s.writeStringBuffer(path, L"v", L"ab", 2); }},
    };
    for (const write& item : writes) {
        const std::string report = appendedBy([&] { EXPECT_EQ(0, item.call(store)); });
        EXPECT_EQ(deniedW(std::wstring(item.context) + L" : v"), report) << std::string(report.begin(), report.end());
    }
}

TEST_F(storeReports, narrowNamedWritesReportNarrowText)
{
    const std::string expected = systemTextA(ERROR_ACCESS_DENIED) + " : setting string value : narrow";
    EXPECT_EQ(expected, appendedBy([&] { EXPECT_EQ(0, store.writeStringA(logPath.c_str(), "narrow", "x")); }));
    EXPECT_EQ(expected, appendedBy([&] {
                  EXPECT_EQ(0, store.writeStubStringA(logPath.c_str(), "narrow", stubString(L"x")));
              }));
}

TEST_F(storeReports, noReportWithoutPathWithoutKeyOnSuccessOrWithTheLogOff)
{
    readWriteSettingsToRegistry unbound(nullptr);
    readWriteSettingsToRegistry writable(scratch.get());
    EXPECT_EQ("", appendedBy([&] {
                  EXPECT_EQ(0, store.writeInt(nullptr, L"v", 1));
                  EXPECT_EQ(0, store.writeStringA(nullptr, "v", "x"));
                  EXPECT_EQ(0, unbound.writeInt(logPath.c_str(), L"v", 1));
                  EXPECT_EQ(0, unbound.writeStringA(logPath.c_str(), "v", "x"));
                  EXPECT_EQ(1, writable.writeInt(logPath.c_str(), L"v", 1));
                  EXPECT_EQ(1, writable.writeStringA(logPath.c_str(), "v", "x"));
              }));
    setLogFileEnabled(0);
    EXPECT_EQ("", appendedBy([&] {
                  EXPECT_EQ(0, store.writeInt(logPath.c_str(), L"v", 1));
                  EXPECT_EQ(0, store.writeStubStringA(logPath.c_str(), "v", stubString(L"x")));
              }));
}

TEST_F(storeReports, familyAndDllMapWritesReportComposedNames)
{
    intArray values;
    ASSERT_EQ(1, values.add(1));
    ASSERT_EQ(1, values.add(2));
    EXPECT_EQ(deniedW(L"set value : [f]I0") + deniedW(L"set value : [f]I1"),
              appendedBy([&] { EXPECT_EQ(1, store.writeIntFamily(logPath.c_str(), values, L"f")); }));

    // The text of a pair fails, so its integer is never tried.
    dllMap map;
    ASSERT_EQ(1, map.setAt(L"x.dll", 1));
    EXPECT_EQ(deniedW(L"set string value : [dll]S0"),
              appendedBy([&] { EXPECT_EQ(1, store.writeDllMap(logPath.c_str(), map)); }));

    stringArray strings;
    ASSERT_EQ(1, strings.add(L"s"));
    EXPECT_EQ(deniedW(L"setting string value : [f]SS0"),
              appendedBy([&] { EXPECT_EQ(0, store.writeStringFamily(logPath.c_str(), strings, L"f")); }));

    CWideStringArray list;
    ASSERT_TRUE(list.Add(L"item"));
    EXPECT_EQ(deniedW(L"setting dword value : L_NumItems") + deniedW(L"setting string value : L_0"),
              appendedBy([&] { EXPECT_EQ(0, store.writeStringList(logPath.c_str(), L"L", list)); }));
}
} // namespace

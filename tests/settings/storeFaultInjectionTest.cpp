// Every Win32 call an operation makes fails in turn, one per round, through
// this program's own import table (the store is linked in, so its calls go
// through it): the N-th call of the operation fails for N = 1..K, K counted
// in a clean run. Whatever fails, no result may claim success with data
// other than the clean run's, and nothing may be written that neither the
// planted values nor the clean run hold.
#include "framework/CWideString.h"
#include "settings/logFile.h"
#include "settings/readWriteSettingsToRegistry.h"
#include "shared/consumerScenario.h"
#include "support/hashMap.h"
#include "support/intArray.h"
#include "support/stringArray.h"
#include "support/stubString.h"
#include "support/uniqueHandle.h"
#include "testSupport/failureLogFixture.h"
#include "testSupport/scratchRegistryKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace
{
// The round's injected fault: the failAt-th wrapped call (1-based) fails.
struct injection
{
    bool armed = false;
    unsigned calls = 0;
    unsigned failAt = 0;
    const char* failed = nullptr;
} fault;

template <int Id, typename R, typename... A>
struct wrapper
{
    static inline R (*original)(A...) = nullptr;
    static inline R failure{};
    static inline DWORD error = 0;
    static inline const char* name = nullptr;

    static R call(A... arguments)
    {
        if (fault.armed && ++fault.calls == fault.failAt) {
            fault.failed = name;
            if (error != 0) // the registry calls return their code and leave the last error alone
                SetLastError(error);
            return failure;
        }
        return original(arguments...);
    }
};

// Points every entry of the import table that names the function at the
// wrapper, keeping the address it held for the wrapper to call on.
void patchImport(const char* name, void* replacement, void** original)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    bool found = false;
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name != 0;
         ++module) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name) != 0)
                continue;
            DWORD protection = 0;
            ASSERT_TRUE(VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &protection));
            *original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof(void*), protection, &protection);
            found = true;
        }
    }
    EXPECT_TRUE(found) << name << " is not imported: its failures would go untested";
}

template <int Id, typename R, typename... A>
void wrap(const char* name, R (*)(A...), R failure, DWORD error)
{
    using hook = wrapper<Id, R, A...>;
    hook::failure = failure;
    hook::error = error;
    hook::name = name;
    patchImport(name, reinterpret_cast<void*>(&hook::call), reinterpret_cast<void**>(&hook::original));
}
#define KORVANEX_WRAP(function, failure, error) wrap<__LINE__>(#function, &function, failure, error)

void wrapImports()
{
    const LSTATUS noMemory = ERROR_NOT_ENOUGH_MEMORY;
    KORVANEX_WRAP(RegQueryValueExW, noMemory, 0);
    KORVANEX_WRAP(RegQueryValueExA, noMemory, 0);
    KORVANEX_WRAP(RegSetValueExW, noMemory, 0);
    KORVANEX_WRAP(RegEnumValueW, noMemory, 0);
    KORVANEX_WRAP(RegDeleteValueW, noMemory, 0);
    KORVANEX_WRAP(RegQueryInfoKeyW, noMemory, 0);
    KORVANEX_WRAP(HeapAlloc, static_cast<void*>(nullptr), ERROR_NOT_ENOUGH_MEMORY);
    KORVANEX_WRAP(HeapReAlloc, static_cast<void*>(nullptr), ERROR_NOT_ENOUGH_MEMORY);
    KORVANEX_WRAP(MultiByteToWideChar, 0, ERROR_NO_UNICODE_TRANSLATION);
    KORVANEX_WRAP(HeapCreate, static_cast<HANDLE>(nullptr), ERROR_NOT_ENOUGH_MEMORY);
    KORVANEX_WRAP(CreateFileW, INVALID_HANDLE_VALUE, ERROR_NOT_ENOUGH_MEMORY);
    KORVANEX_WRAP(WriteFile, FALSE, ERROR_DISK_FULL);
}

// Every value of a key: name (lower case, as the registry matches names)
// to type and bytes.
using valueSet = std::map<std::wstring, std::pair<DWORD, std::string>>;

valueSet valuesOf(HKEY key)
{
    valueSet values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD length = 16384;
        BYTE data[4096];
        DWORD bytes = sizeof(data);
        DWORD type = 0;
        if (RegEnumValueW(key, i, name, &length, nullptr, &type, data, &bytes) != ERROR_SUCCESS)
            break;
        std::wstring lower(name, length);
        std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
        values[lower] = {type, std::string(reinterpret_cast<char*>(data), bytes)};
    }
    return values;
}

// What the operation handed back: its result and the caller's output as
// text items (the elements of a container, or the one string).
struct outcome
{
    int result = -1;
    std::vector<std::wstring> output;
};

std::wstring text(const stubString& s)
{
    return s.GetString();
}

// Runs one store call with the round's fault armed: the caller's own set-up
// and read-back around it never fail.
template <typename Call>
int armed(Call&& call)
{
    fault.armed = true;
    const int result = call();
    fault.armed = false;
    return result;
}

struct operation
{
    const char* name;
    // Values in the key before the operation.
    std::vector<std::pair<std::wstring, std::wstring>> texts{};
    std::vector<std::pair<std::wstring, DWORD>> dwords{};
    // Presets the caller's output, runs, and describes the output after.
    std::function<outcome(readWriteSettings&)> run{};
    // The operation answers 1 whatever happened: the output may be partial.
    bool alwaysOne = false;
    // On 0, the caller's output stays as it was.
    bool keepsOutput = false;
    // Calls made only to bound the work: their failure changes nothing.
    std::vector<std::string> ownCalls{};
    // The answer for a value that looks missing: a success too.
    std::optional<outcome> missing{};
    // Names are numbered as the writes succeed: which text lands under which
    // name is the output's to show (read back), not the values'.
    bool renumbers = false;
    // A reporting operation keeps the caller's last error whatever fails in
    // the failure log.
    bool keepsLastError = false;
};

bool isFailureLogCall(const char* name)
{
    for (const char* logCall : {"CreateFileW", "WriteFile", "HeapCreate"})
        if (name == nullptr || std::strcmp(name, logCall) == 0)
            return true;
    return false;
}

// Items of a that b does not hold (as many times as b holds them).
std::vector<std::wstring> beyond(std::vector<std::wstring> a, const std::vector<std::wstring>& b)
{
    for (const std::wstring& item : b)
        if (auto at = std::find(a.begin(), a.end(), item); at != a.end())
            a.erase(at);
    return a;
}

std::vector<std::wstring> sorted(std::vector<std::wstring> items)
{
    std::sort(items.begin(), items.end());
    return items;
}

class storeFaults : public failureLogTest
{
protected:
    static void SetUpTestSuite() { wrapImports(); }

    // The text "FF" without a terminator: as a DWORD 0x00460046. An operation
    // that loses a value's name reads or writes this unnamed default value.
    void plant(const operation& op)
    {
        for (const auto& [name, value] : valuesOf(scratch.get()))
            RegDeleteValueW(scratch.get(), name.c_str());
        scratch.setRaw(L"", REG_SZ, L"FF", 4);
        for (const auto& [name, value] : op.texts)
            scratch.setText(name, value);
        for (const auto& [name, value] : op.dwords)
            scratch.setDword(name, value);
    }

    outcome runOnce(const operation& op, unsigned failAt)
    {
        plant(op);
        fault = injection{false, 0, failAt, nullptr};
        SetLastError(0x2345);
        outcome seen = op.run(store);
        const DWORD lastError = GetLastError();
        if (op.keepsLastError && isFailureLogCall(fault.failed)) {
            EXPECT_EQ(0x2345u, lastError) << op.name << ", failed call " << failAt;
        }
        return seen;
    }

    void check(const operation& op)
    {
        SCOPED_TRACE(op.name);
        plant(op);
        const valueSet planted = valuesOf(scratch.get());
        // The caller's output as a call on no key leaves it.
        readWriteSettingsToRegistry unbound(nullptr);
        const outcome preset = op.run(unbound);
        const outcome clean = runOnce(op, 0);
        const valueSet cleanValues = valuesOf(scratch.get());
        const unsigned calls = fault.calls;
        ASSERT_NE(0u, calls);

        const long long handles = consumerScenario::handleCount();
        for (unsigned failAt = 1; failAt <= calls; ++failAt) {
            const outcome seen = runOnce(op, failAt);
            const valueSet after = valuesOf(scratch.get());
            const std::string round = std::string("failed call ") + std::to_string(failAt) + " (" +
                                      (fault.failed != nullptr ? fault.failed : "none") + ")";
            SCOPED_TRACE(round);

            // A value the clean run leaves alone stays as planted; one it
            // changes is as planted, as written, or deleted on the way.
            std::set<std::wstring> names;
            for (const valueSet* set : {&planted, &cleanValues, &after})
                for (const auto& [name, value] : *set)
                    names.insert(name);
            for (const std::wstring& name : names) {
                auto state = [&](const valueSet& set) {
                    const auto at = set.find(name);
                    return at != set.end() ? std::optional(at->second) : std::nullopt;
                };
                const bool touched = state(planted) != state(cleanValues);
                EXPECT_TRUE(state(after) == state(planted) ||
                            (touched && (op.renumbers || !state(after) || state(after) == state(cleanValues))))
                    << "value \"" << std::string(name.begin(), name.end()) << "\" is neither planted nor written";
            }
            // Every item handed back is one the caller had or the clean run gave.
            const std::vector<std::wstring> unknown =
                beyond(beyond(seen.output, clean.output), preset.output);
            EXPECT_TRUE(unknown.empty()) << "unexpected item \""
                                         << (unknown.empty() ? "" : std::string(unknown[0].begin(), unknown[0].end()))
                                         << "\"";

            const bool ownCall = fault.failed != nullptr &&
                                 std::find(op.ownCalls.begin(), op.ownCalls.end(), fault.failed) != op.ownCalls.end();
            if (op.alwaysOne) {
                EXPECT_EQ(1, seen.result);
            } else if (op.missing && seen.result == op.missing->result && seen.output == op.missing->output) {
                // the answer for a value that cannot be read
            } else if (seen.result != 0 || ownCall) {
                EXPECT_EQ(clean.result, seen.result);
                EXPECT_EQ(sorted(clean.output), sorted(seen.output));
                if (!ownCall) {
                    EXPECT_EQ(cleanValues, after) << "success, but not the clean run's values";
                }
            } else if (op.keepsOutput) {
                EXPECT_EQ(preset.output, seen.output) << "a failed read changed its destination";
            }
        }
        EXPECT_EQ(handles, consumerScenario::handleCount()) << "handles left open";
    }

    scratchRegistryKey scratch;
    readWriteSettingsToRegistry store{scratch.get()};
};

outcome stringRead(int (readWriteSettings::*read)(const wchar_t*, stubString&), const wchar_t* name,
                   readWriteSettings& store)
{
    stubString value(L"previous");
    const int result = armed([&] { return (store.*read)(name, value); });
    return {result, {text(value)}};
}

template <typename List>
outcome items(int result, const List& list)
{
    outcome seen{result, {}};
    for (const auto& item : list)
        seen.output.emplace_back(item.GetString());
    return seen;
}

const std::wstring longText(300, L'x');

TEST_F(storeFaults, noFaultGivesWrongData)
{
    const std::vector<std::string> listBounds = {"RegQueryInfoKeyW", "RegEnumValueW"};
    const outcome noCount{1, {}}; // the count cannot be read: an empty list
    const operation operations[] = {
        {.name = "readStubString",
         .texts = {{L"s", L"stored"}},
         .run = [](readWriteSettings& s) { return stringRead(&readWriteSettings::readStubString, L"s", s); },
         .keepsOutput = true},
        {.name = "readStubString, longer than the first buffer",
         .texts = {{L"long", longText}},
         .run = [](readWriteSettings& s) { return stringRead(&readWriteSettings::readStubString, L"long", s); },
         .keepsOutput = true},
        {.name = "readStubStringA",
         .texts = {{L"s", L"stored"}},
         .run =
             [](readWriteSettings& s) {
                 stubString value(L"previous");
                 const int result = armed([&] { return s.readStubStringA("s", value); });
                 return outcome{result, {text(value)}};
             },
         .keepsOutput = true},
        {.name = "writeStubStringA",
         .run =
             [](readWriteSettings& s) {
                 const stubString value(L"v");
                 return outcome{armed([&] { return s.writeStubStringA(nullptr, "narrow", value); }), {}};
             }},
        {.name = "readStringList, every item there",
         .texts = {{L"L_0", L"a"}, {L"L_1", L"b"}},
         .dwords = {{L"L_NumItems", 2}},
         .run =
             [](readWriteSettings& s) {
                 std::vector<CWideString> list{CWideString(L"old")};
                 return items(armed([&] { return s.readStringList(L"L", list); }), list);
             },
         .ownCalls = listBounds,
         .missing = noCount},
        {.name = "readStringList, a count beyond the values",
         .texts = {{L"L_0", L"a"}, {L"L_2", L"c"}},
         .dwords = {{L"L_NumItems", 5}},
         .run =
             [](readWriteSettings& s) {
                 std::vector<CWideString> list;
                 return items(armed([&] { return s.readStringList(L"L", list); }), list);
             },
         .ownCalls = listBounds,
         .missing = noCount},
        {.name = "readIntFamily",
         .dwords = {{L"[f]I0", 5}, {L"[f]I3", 7}, {L"other", 1}},
         .run =
             [](readWriteSettings& s) {
                 intArray values;
                 EXPECT_EQ(1, values.makeRoom(8)); // no growth: what lands where is all there is to see
                 std::fill(values.data, values.data + 8, -1);
                 outcome seen{armed([&] { return s.readIntFamily(values, L"f"); }), {}};
                 for (UINT32 i = 0; i < 8; ++i)
                     if (values.data[i] != -1)
                         seen.output.push_back(std::to_wstring(i) + L"=" + std::to_wstring(values.data[i]));
                 return seen;
             },
         .alwaysOne = true},
        {.name = "readStringFamily",
         .texts = {{L"[g]SS0", L"one"}, {L"[g]SS1", L"two"}, {L"[g]SSx", longText}},
         .run =
             [](readWriteSettings& s) {
                 stringArray values;
                 EXPECT_EQ(1, values.add(L"old"));
                 outcome seen{armed([&] { return s.readStringFamily(values, L"g"); }), {}};
                 for (UINT32 i = 0; i < values.count; ++i)
                     seen.output.push_back(text(*values.items[i]));
                 return seen;
             },
         .alwaysOne = true},
        {.name = "collectValueNames",
         .texts = {{L"[g]SS0", L"one"}, {L"[g]SS1", L"two"}},
         .run =
             [](readWriteSettings& s) {
                 nameMap names;
                 outcome seen{armed([&] { return s.collectValueNames(L"[g]SS", names); }), {}};
                 for (const nameMap::entry& found : names)
                     seen.output.push_back(text(found.key) + L"=" + text(found.value));
                 return seen;
             },
         .alwaysOne = true},
        {.name = "readDllMap",
         .texts = {{L"[dll]S0", L"alpha"}, {L"[dll]S1", L"beta"}},
         .dwords = {{L"[dll]I0", 10}, {L"[dll]I1", 11}},
         .run =
             [](readWriteSettings& s) {
                 dllMap map;
                 outcome seen{armed([&] { return s.readDllMap(map); }), {}};
                 for (const dllMap::entry& found : map)
                     seen.output.push_back(text(found.key) + L"=" + std::to_wstring(found.value));
                 return seen;
             },
         .alwaysOne = true},
        {.name = "writeDllMap",
         .texts = {{L"[dll]S0", L"old"}, {L"[dll]S150", L"older"}},
         .dwords = {{L"[dll]I0", 1}, {L"[dll]I150", 2}},
         .run =
             [](readWriteSettings& s) {
                 dllMap map;
                 EXPECT_EQ(1, map.setAt(L"alpha", 10));
                 EXPECT_EQ(1, map.setAt(L"beta", 11));
                 const int result = armed([&] { return s.writeDllMap(nullptr, map); });
                 dllMap back;
                 (void)s.readDllMap(back); // always 1
                 outcome seen{result, {}};
                 for (const dllMap::entry& found : back)
                     seen.output.push_back(text(found.key) + L"=" + std::to_wstring(found.value));
                 return seen;
             },
         .alwaysOne = true,
         .renumbers = true},
        {.name = "writeStringFamily",
         .run =
             [](readWriteSettings& s) {
                 stringArray values;
                 EXPECT_EQ(1, values.add(L"one"));
                 EXPECT_EQ(1, values.add(L"two"));
                 return outcome{armed([&] { return s.writeStringFamily(nullptr, values, L"g"); }), {}};
             }},
    };
    for (const operation& op : operations)
        check(op);
}

// Refused writes with the failure log on: reports keep the caller's last
// error whatever fails inside them, and leave the log's lock free.
TEST_F(storeFaults, failedReportsKeepTheLastError)
{
    const std::wstring logPath = failureLogFolder::file(L"faults.log");
    const wchar_t* const path = logPath.c_str();
    const uniqueRegistryKey readOnly = scratch.reopen(KEY_READ);
    readWriteSettingsToRegistry denied(readOnly.get());
    const operation reports[] = {
        {.name = "writeStubStringA, reported",
         .run =
             [&](readWriteSettings&) {
                 const stubString value(L"v");
                 return outcome{armed([&] { return denied.writeStubStringA(path, "narrow", value); }), {}};
             },
         .keepsLastError = true},
        {.name = "writeInt, reported",
         .run = [&](readWriteSettings&) { return outcome{armed([&] { return denied.writeInt(path, L"wide", 1); }), {}}; },
         .keepsLastError = true},
    };
    for (const operation& op : reports)
        check(op);

    // Another thread's report finishes: no round left the lock held.
    const uniqueKernelHandle other(CreateThread(
        nullptr, 0,
        [](void* logFile) -> DWORD {
            logFile::writeToLogFile(static_cast<const wchar_t*>(logFile), "");
            return 0;
        },
        const_cast<wchar_t*>(path), 0, nullptr));
    ASSERT_TRUE(other);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(other.get(), 10000));
}
} // namespace

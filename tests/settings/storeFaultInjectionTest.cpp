// Every Win32 call an operation makes fails in turn, one per round, through
// this program's own import table (the store and the shared settings are
// linked in, so their calls go through it): the N-th call of the operation
// fails for N = 1..K, K counted in a clean run. Whatever fails, no result may
// claim success with data other than the clean run's, and nothing may be
// written that neither the planted values nor the clean run hold. One test
// per family of operations, each with its own verdict (the family below);
// the exported members also leave every key slot empty and their lock free.
#include "support/CWideString.h"
#include "support/CWideStringArray.h"
#include "settings/SettingData.h"
#include "settings/logFile.h"
#include "settings/readWriteSettingsToRegistry.h"
#include "shared/MemoryData.h"
#include "shared/SettingDataKorvane.h"
#include "shared/SettingDataQexal.h"
#include "support/hashMap.h"
#include "support/intArray.h"
#include "support/stringArray.h"
#include "support/stubCriticalSection.h"
#include "support/stubString.h"
#include "support/uniqueHandle.h"
#include "testSupport/failureLogFixture.h"
#include "testSupport/handleCount.h"
#include "testSupport/observedSettings.h"
#include "testSupport/productKeyFixture.h"
#include "testSupport/scratchRegistryKey.h"
#include "testSupport/tracingValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace
{
const auto* const logEnvironment = testing::AddGlobalTestEnvironment(new programLogFile(L"faults.log"));
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
    // The call is made, and then reported as failed.
    static inline bool madeAnyway = false;

    static R call(A... arguments)
    {
        if (fault.armed && ++fault.calls == fault.failAt) {
            fault.failed = name;
            if (madeAnyway)
                original(arguments...);
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
void wrap(const char* name, R (*)(A...), R failure, DWORD error, bool madeAnyway = false)
{
    using hook = wrapper<Id, R, A...>;
    hook::failure = failure;
    hook::error = error;
    hook::name = name;
    hook::madeAnyway = madeAnyway;
    patchImport(name, reinterpret_cast<void*>(&hook::call), reinterpret_cast<void**>(&hook::original));
}
#define KORVANEX_WRAP(function, ...) wrap<__LINE__>(#function, &function, __VA_ARGS__)

void wrapImports()
{
    const LSTATUS noMemory = ERROR_NOT_ENOUGH_MEMORY;
    KORVANEX_WRAP(RegQueryValueExW, noMemory, 0);
    KORVANEX_WRAP(RegQueryValueExA, noMemory, 0);
    KORVANEX_WRAP(RegSetValueExW, noMemory, 0);
    KORVANEX_WRAP(RegEnumValueW, noMemory, 0);
    KORVANEX_WRAP(RegDeleteValueW, noMemory, 0);
    KORVANEX_WRAP(RegQueryInfoKeyW, noMemory, 0);
    KORVANEX_WRAP(RegCreateKeyExW, noMemory, 0);
    // A failed close still gives the handle up: the slot must be cleared.
    KORVANEX_WRAP(RegCloseKey, static_cast<LSTATUS>(ERROR_INVALID_HANDLE), 0, true);
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

struct operation
{
    const char* name;
    // Values in the key before the operation.
    std::vector<std::pair<std::wstring, std::wstring>> texts{};
    std::vector<std::pair<std::wstring, DWORD>> dwords{};
    // Presets the caller's output, runs, and describes the output after.
    std::function<outcome(readWriteSettings&)> run{};
    // On the product key, where run() makes its own object: the caller's
    // output before the call.
    std::vector<std::wstring> before{};
    // A 1 may come with items the operation falls back on for values it could
    // not read, in place of the clean run's.
    std::vector<std::wstring> fallback{};
};

// One round with a failed call, as a family's verdict sees it.
struct round
{
    const operation& op;
    const outcome& seen;
    const outcome& clean;
    const outcome& preset; // the caller's output as a call on no key leaves it
    const valueSet& cleanValues;
    const valueSet& after;
    std::string failed; // "" when no call failed
};

// What every operation of a family must show, beyond the checks each round
// makes: nothing written but planted or clean values, nothing handed back
// but the caller's or the clean run's items, no handle left open.
struct family
{
    // Works on the product key, not the scratch key.
    bool onProductKey = false;
    // Reports keep the caller's last error whatever fails in the failure log.
    bool keepsLastError = false;
    // Names are numbered as the writes succeed: which text lands under which
    // name is the output's to show (read back), not the values'.
    bool renumbers = false;
    std::function<void(const round&)> verdict;
};

void expectClean(const round& r, bool withValues = true)
{
    EXPECT_EQ(r.clean.result, r.seen.result);
    EXPECT_EQ(sorted(r.clean.output), sorted(r.seen.output));
    if (withValues) {
        EXPECT_EQ(r.cleanValues, r.after) << "success, but not the clean run's values";
    }
}

// A success is the clean run's (the tracing load may answer 1 with its
// fallbacks); a failure leaves the caller's output as it was, unless only
// the close failed, which comes after the work.
void expectWholeOrNothing(const round& r)
{
    if (r.seen.result != 0 && !r.op.fallback.empty()) {
        EXPECT_EQ(r.clean.result, r.seen.result);
        EXPECT_TRUE(beyond(beyond(r.seen.output, r.clean.output), r.op.fallback).empty())
            << "a 1 that keeps the caller's items";
    } else if (r.seen.result != 0) {
        expectClean(r);
    } else if (!(r.failed == "RegCloseKey" && r.seen.output == r.clean.output)) {
        EXPECT_EQ(r.preset.output, r.seen.output) << "a failed read changed its destination";
    }
}

// Single values and writes on the scratch key.
const family storeValues{.verdict = expectWholeOrNothing};

// String lists: the key's count of values and the enumeration only bound the
// work, so their failure changes nothing; a count that cannot be read is an
// empty list, a success too.
const family stringLists{.verdict = [](const round& r) {
    const bool bound = r.failed == "RegQueryInfoKeyW" || r.failed == "RegEnumValueW";
    if (r.seen.result == 1 && r.seen.output.empty())
        return;
    if (r.seen.result != 0 || bound)
        expectClean(r, !bound);
}};

// Key families and name collections answer 1 whatever fails; the output may
// be partial, never wrong. So does the DLL map, whose writes renumber.
const family alwaysOne{.verdict = [](const round& r) { EXPECT_EQ(1, r.seen.result); }};
const family dllMaps{.renumbers = true, .verdict = alwaysOne.verdict};

// The product key and the exported members that work under it; reports.
const family onProductKey{.onProductKey = true, .keepsLastError = true, .verdict = expectWholeOrNothing};
const family reports{.keepsLastError = true, .verdict = expectWholeOrNothing};

// Left behind by a call: a key slot still held, or the object's lock.
template <typename Settings>
void expectReleased(observedSettings<Settings>& settings, outcome& seen)
{
    const DWORD lastError = GetLastError(); // the call's, for runOnce to check
    if (!settings.slotsEmpty())
        seen.output.emplace_back(L"a key slot still held");
    // Another thread can take the lock: this thread's own hold would not show.
    const uniqueKernelHandle taker(CreateThread(
        nullptr, 0,
        [](void* lock) -> DWORD {
            static_cast<stubCriticalSection*>(lock)->lock();
            static_cast<stubCriticalSection*>(lock)->unlock();
            return 0;
        },
        settings.lockObject(), 0, nullptr));
    if (!taker || WaitForSingleObject(taker.get(), 5000) != WAIT_OBJECT_0)
        seen.output.emplace_back(L"settingsLock still held");
    SetLastError(lastError);
}

bool isFailureLogCall(const char* name)
{
    for (const char* logCall : {"CreateFileW", "WriteFile", "HeapCreate"})
        if (name == nullptr || std::strcmp(name, logCall) == 0)
            return true;
    return false;
}

class storeFaults : public failureLogTest
{
protected:
    static void SetUpTestSuite() { wrapImports(); }

    // The text "FF" without a terminator: as a DWORD 0x00460046. An operation
    // that loses a value's name reads or writes this unnamed default value.
    void plant(const family& kind, const operation& op)
    {
        const uniqueRegistryKey key = observed(kind);
        for (const auto& [name, value] : valuesOf(key.get()))
            RegDeleteValueW(key.get(), name.c_str());
        if (!kind.onProductKey) {
            scratch.setRaw(L"", REG_SZ, L"FF", 4);
            for (const auto& [name, value] : op.texts)
                scratch.setText(name, value);
            for (const auto& [name, value] : op.dwords)
                scratch.setDword(name, value);
            return;
        }
        productKeyFixture::setValue(L"", REG_SZ, L"FF", 4);
        for (const auto& [name, value] : op.texts)
            productKeyFixture::setText(name.c_str(), value);
        for (const auto& [name, value] : op.dwords)
            productKeyFixture::setDword(name.c_str(), value);
    }

    uniqueRegistryKey observed(const family& kind)
    {
        if (!kind.onProductKey)
            return scratch.reopen(KEY_ALL_ACCESS);
        productKeyFixture::create();
        uniqueRegistryKey key;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, productKeyFixture::productPath, 0,
                                               KEY_ALL_ACCESS, key.put()));
        return key;
    }

    outcome runOnce(const family& kind, const operation& op, unsigned failAt)
    {
        plant(kind, op);
        fault = injection{false, 0, failAt, nullptr};
        SetLastError(0x2345);
        outcome seen = op.run(store);
        const DWORD lastError = GetLastError();
        if (kind.keepsLastError && isFailureLogCall(fault.failed)) {
            EXPECT_EQ(0x2345u, lastError) << op.name << ", failed call " << failAt;
        }
        return seen;
    }

    void check(const family& kind, const operation& op)
    {
        SCOPED_TRACE(op.name);
        plant(kind, op);
        const valueSet planted = valuesOf(observed(kind).get());
        readWriteSettingsToRegistry unbound(nullptr);
        const outcome preset = kind.onProductKey ? outcome{0, op.before} : op.run(unbound);
        const outcome clean = runOnce(kind, op, 0);
        const valueSet cleanValues = valuesOf(observed(kind).get());
        const unsigned calls = fault.calls;
        ASSERT_NE(0u, calls);

        const long long handles = handleCount();
        for (unsigned failAt = 1; failAt <= calls; ++failAt) {
            const outcome seen = runOnce(kind, op, failAt);
            const valueSet after = valuesOf(observed(kind).get());
            const std::string failed = fault.failed != nullptr ? fault.failed : "";
            SCOPED_TRACE("failed call " + std::to_string(failAt) + " (" + failed + ")");

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
                            (touched && (kind.renumbers || !state(after) || state(after) == state(cleanValues))))
                    << "value \"" << std::string(name.begin(), name.end()) << "\" is neither planted nor written";
            }
            // Every item handed back is one the caller had or the clean run gave.
            const std::vector<std::wstring> unknown =
                beyond(beyond(beyond(seen.output, clean.output), preset.output),
                       seen.result != 0 ? op.fallback : std::vector<std::wstring>{});
            EXPECT_TRUE(unknown.empty()) << "unexpected item \""
                                         << (unknown.empty() ? "" : std::string(unknown[0].begin(), unknown[0].end()))
                                         << "\"";
            kind.verdict({op, seen, clean, preset, cleanValues, after, failed});
        }
        EXPECT_EQ(handles, handleCount()) << "handles left open";
    }

    productKeyFixture productKeyBackup;
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

// The record as items, each named after its value.
std::vector<std::wstring> tracingItems(const _profilerHookDebugData& record)
{
    std::vector<std::wstring> items{std::wstring(L"phiBreakpointLogFile=") + record.phiBreakpointLogFile};
    for (const tracingField& value : tracingFields)
        items.push_back(std::wstring(value.name) + L"=" + std::to_wstring(record.*value.field));
    return items;
}

// Integers counted from base.
_profilerHookDebugData tracingRecord(const wchar_t* text, int base)
{
    _profilerHookDebugData record{};
    std::wcscpy(record.phiBreakpointLogFile, text);
    for (const tracingField& value : tracingFields)
        record.*value.field = base++;
    return record;
}

// A path openProductKey may name: a level it tried, or the caller's own.
bool isLevelPath(const std::wstring& path)
{
    for (const wchar_t* level :
         {L"previous path", L"HKEY_CURRENT_USER\\Software", L"HKEY_CURRENT_USER\\Software\\OstraVell",
          L"HKEY_CURRENT_USER\\Software\\OstraVell\\Korvanex64"})
        if (path == level)
            return true;
    return false;
}

// A flag member's read: the member keeps -7 when the read fails.
template <typename Settings, int Settings::*flag>
operation flagRead(const char* name, const wchar_t* valueName, const wchar_t* logPath)
{
    return {.name = name,
            .dwords = {{valueName, 5}},
            .run =
                [logPath](readWriteSettings&) {
                    observedSettings<Settings> settings;
                    settings.*flag = -7;
                    outcome seen{armed([&] { return settings.readMemoryMappedFileHasBeenOpened(logPath); }), {}};
                    seen.output.push_back(std::to_wstring(settings.*flag));
                    expectReleased(settings, seen);
                    return seen;
                },
            .before = {L"-7"}};
}

TEST_F(storeFaults, storeValues)
{
    const operation operations[] = {
        {.name = "readStubString",
         .texts = {{L"s", L"stored"}},
         .run = [](readWriteSettings& s) { return stringRead(&readWriteSettings::readStubString, L"s", s); }},
        {.name = "readStubString, longer than the first buffer",
         .texts = {{L"long", longText}},
         .run = [](readWriteSettings& s) { return stringRead(&readWriteSettings::readStubString, L"long", s); }},
        {.name = "readString, longer than the first buffer",
         .texts = {{L"long", longText}},
         .run =
             [](readWriteSettings& s) {
                 CWideString value(L"previous");
                 const int result = armed([&] { return s.readString(L"long", value); });
                 return outcome{result, {value.GetString()}};
             }},
        {.name = "readStubStringA",
         .texts = {{L"s", L"stored"}},
         .run =
             [](readWriteSettings& s) {
                 stubString value(L"previous");
                 const int result = armed([&] { return s.readStubStringA("s", value); });
                 return outcome{result, {text(value)}};
             }},
        {.name = "writeStubStringA",
         .run =
             [](readWriteSettings& s) {
                 const stubString value(L"v");
                 return outcome{armed([&] { return s.writeStubStringA(nullptr, "narrow", value); }), {}};
             }},
    };
    for (const operation& op : operations)
        check(storeValues, op);
}

TEST_F(storeFaults, listsAndFamilies)
{
    const operation lists[] = {
        {.name = "readStringList, every item there",
         .texts = {{L"L_0", L"a"}, {L"L_1", L"b"}},
         .dwords = {{L"L_NumItems", 2}},
         .run =
             [](readWriteSettings& s) {
                 CWideStringArray list;
                 (void)list.Add(L"old"); // the caller's earlier item
                 return items(armed([&] { return s.readStringList(L"L", list); }), list);
             }},
        {.name = "readStringList, a count beyond the values",
         .texts = {{L"L_0", L"a"}, {L"L_2", L"c"}},
         .dwords = {{L"L_NumItems", 5}},
         .run =
             [](readWriteSettings& s) {
                 CWideStringArray list;
                 return items(armed([&] { return s.readStringList(L"L", list); }), list);
             }},
    };
    for (const operation& op : lists)
        check(stringLists, op);
    const operation families[] = {
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
             }},
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
             }},
        {.name = "collectValueNames",
         .texts = {{L"[g]SS0", L"one"}, {L"[g]SS1", L"two"}},
         .run =
             [](readWriteSettings& s) {
                 nameMap names;
                 outcome seen{armed([&] { return s.collectValueNames(L"[g]SS", names); }), {}};
                 for (const nameMap::entry& found : names)
                     seen.output.push_back(text(found.key) + L"=" + text(found.value));
                 return seen;
             }},
    };
    for (const operation& op : families)
        check(alwaysOne, op);
    // Writing a family: whole or not at all, as a single value.
    check(storeValues, {.name = "writeStringFamily", .run = [](readWriteSettings& s) {
                               stringArray values;
                               EXPECT_EQ(1, values.add(L"one"));
                               EXPECT_EQ(1, values.add(L"two"));
                               return outcome{armed([&] { return s.writeStringFamily(nullptr, values, L"g"); }), {}};
                           }});
}

TEST_F(storeFaults, dllMap)
{
    const operation operations[] = {
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
             }},
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
             }},
    };
    for (const operation& op : operations)
        check(dllMaps, op);
}

TEST_F(storeFaults, productKey)
{
    const wchar_t* const logPath = programLogFile::path().c_str();
    const operation openAndClose{
        .name = "openProductKey, then closeProductKeys",
        .run =
            [&](readWriteSettings&) {
                observedSettings<SettingData> settings;
                stubString errorText(L"previous error");
                stubString keyPath(L"previous path");
                outcome seen{armed([&] {
                                 return settings.openProductKey(logPath, 1, errorText, keyPath) != 0
                                            ? settings.closeProductKeys(logPath)
                                            : 0;
                             }),
                             {}};
                const std::wstring path = text(keyPath);
                const std::wstring report = text(errorText);
                if (seen.result != 0) {
                    seen.output = {path, report};
                } else {
                    // A failure names the level it reached, and reports on that one or not at all.
                    if (!isLevelPath(path))
                        seen.output.push_back(L"keyPath " + path);
                    if (report != L"previous error" &&
                        report.rfind(L"Failure accessing registry key:\r\n" + path + L"\r\n\r\n ", 0) != 0)
                        seen.output.push_back(L"errorText " + report);
                }
                expectReleased(settings, seen);
                return seen;
            }};
    check(onProductKey, openAndClose);
}

TEST_F(storeFaults, exportedMembers)
{
    const wchar_t* const logPath = programLogFile::path().c_str();
    std::vector<std::pair<std::wstring, DWORD>> storedTracing;
    for (const tracingField& value : tracingFields)
        storedTracing.emplace_back(value.name, static_cast<DWORD>(storedTracing.size() + 1));
    const _profilerHookDebugData objectRecord = tracingRecord(L"object's", 100);
    const _profilerHookDebugData callerRecord = tracingRecord(L"caller's", -20);
    const operation operations[] = {
        {.name = "SettingDataQexal::writeMemoryMappedFileHasBeenOpened",
         .run =
             [&](readWriteSettings&) {
                 observedSettings<SettingDataQexal> settings;
                 settings.memoryMappedFileHasBeenOpened = 0x1234;
                 outcome seen{armed([&] { return settings.writeMemoryMappedFileHasBeenOpened(logPath, 1, 0); }), {}};
                 expectReleased(settings, seen);
                 return seen;
             }},
        flagRead<SettingDataQexal, &SettingDataQexal::memoryMappedFileHasBeenOpened>(
            "SettingDataQexal::readMemoryMappedFileHasBeenOpened", L"memoryMappedFileHasBeenOpened", logPath),
        flagRead<SettingDataKorvane, &SettingDataKorvane::memoryMappedFileHasBeenOpenedFunctions>(
            "SettingDataKorvane::readMemoryMappedFileHasBeenOpened", L"memoryMappedFileHasBeenOpenedFunctions",
            logPath),
        {.name = "MemoryData::loadProfilerTracingSettings",
         .texts = {{L"phiBreakpointLogFile", L"C:\\break.log"}},
         .dwords = storedTracing,
         .run =
             [&](readWriteSettings&) {
                 observedSettings<MemoryData> settings;
                 settings.profilerHookDebugData = objectRecord;
                 _profilerHookDebugData out = callerRecord;
                 outcome seen{armed([&] { return settings.loadProfilerTracingSettings(out); }), tracingItems(out)};
                 expectReleased(settings, seen);
                 return seen;
             },
         .before = tracingItems(callerRecord),
         // An unreadable value: an empty text, the object's integer.
         .fallback = tracingItems(tracingRecord(L"", 100))},
    };
    for (const operation& op : operations)
        check(onProductKey, op);
}

// The filter tests, each call they make failing in turn. A name within the
// in-place buffer (300 characters) calls no heap and keeps its verdict, 1;
// narrow text that cannot be widened answers 0. A longer name (600) may
// need the heap: a name it cannot build answers 0, never the verdict of
// the empty name, which the inverted filters here would give as 1.
TEST_F(storeFaults, filtersKeepTheirVerdict)
{
    MemoryData filters;
    MemoryData inverted;
    for (MemoryData* data : {&filters, &inverted}) {
        data->classMethodFilterMode = data->fileNameFilterMode = data == &filters ? 1 : 2;
        ASSERT_EQ(1, data->classMethodFilters.add(L"*::Draw"));
        ASSERT_EQ(1, data->fileNameFilters.add(L"*.CPP"));
        ASSERT_EQ(1, data->lineTimingFilters.add(L"*::Draw"));
    }
    const std::string within(300, 'S');
    const std::string beyond(600, 'L');
    const std::string withinFile = within + ".cpp";
    const std::string beyondFile = beyond + ".cpp";
    const std::wstring wideWithin(within.begin(), within.end());
    const std::wstring wideBeyond(beyond.begin(), beyond.end());
    const std::wstring wideWithinFile(withinFile.begin(), withinFile.end());
    const struct
    {
        const char* name;
        MemoryData& data;
        std::function<int(MemoryData&)> call;
    } rows[] = {
        {"narrow class", filters,
         [&](MemoryData& d) { return d.isFileNameClassMethodFiltered("a", 0, within.c_str(), "Draw", 0); }},
        {"narrow file", filters,
         [&](MemoryData& d) { return d.isFileNameClassMethodFiltered(withinFile.c_str(), 0, "S", "Paint", 0); }},
        {"wide class", filters,
         [&](MemoryData& d) { return d.isFileNameClassMethodFiltered(L"a", 0, wideWithin.c_str(), L"Draw", 0); }},
        {"wide file", filters,
         [&](MemoryData& d) { return d.isFileNameClassMethodFiltered(wideWithinFile.c_str(), 0, L"S", L"Paint", 0); }},
        {"narrow line timing", filters,
         [&](MemoryData& d) { return d.isLineTimingClassMethodFiltered(within.c_str(), "Draw", 0); }},
        {"wide line timing", filters,
         [&](MemoryData& d) { return d.isLineTimingClassMethodFiltered(wideWithin.c_str(), L"Draw", 0); }},
        {"long narrow class", inverted,
         [&](MemoryData& d) { return d.isFileNameClassMethodFiltered("a.cpp", 0, beyond.c_str(), "Draw", 0); }},
        {"long narrow file", inverted,
         [&](MemoryData& d) { return d.isFileNameClassMethodFiltered(beyondFile.c_str(), 0, "S", "Draw", 0); }},
        {"long wide class", inverted,
         [&](MemoryData& d) { return d.isFileNameClassMethodFiltered(L"a.cpp", 0, wideBeyond.c_str(), L"Draw", 0); }},
        {"long narrow line timing", inverted,
         [&](MemoryData& d) { return d.isLineTimingClassMethodFiltered(beyond.c_str(), "Draw", 0); }},
        {"long wide line timing", inverted,
         [&](MemoryData& d) { return d.isLineTimingClassMethodFiltered(wideBeyond.c_str(), L"Draw", 0); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const bool withinBuffer = &row.data == &filters;
        fault = injection{};
        EXPECT_EQ(withinBuffer ? 1 : 0, armed([&] { return row.call(row.data); })) << "clean run";
        const unsigned calls = fault.calls;
        for (unsigned failAt = 1; failAt <= calls; ++failAt) {
            fault = injection{false, 0, failAt, nullptr};
            const int seen = armed([&] { return row.call(row.data); });
            const std::string failed = fault.failed != nullptr ? fault.failed : "none";
            SCOPED_TRACE("failed call " + std::to_string(failAt) + " (" + failed + ")");
            if (withinBuffer) {
                EXPECT_EQ(std::string::npos, failed.find("Heap")) << "a heap call for a name within the buffer";
            }
            EXPECT_EQ(withinBuffer && failed != "MultiByteToWideChar" ? 1 : 0, seen);
        }
    }
}

// Refused writes with the failure log on: reports keep the caller's last
// error whatever fails inside them, and leave the log's lock free.
TEST_F(storeFaults, failedReportsKeepTheLastError)
{
    const wchar_t* const path = programLogFile::path().c_str();
    const uniqueRegistryKey readOnly = scratch.reopen(KEY_READ);
    readWriteSettingsToRegistry denied(readOnly.get());
    const operation failedReports[] = {
        {.name = "writeStubStringA, reported",
         .run =
             [&](readWriteSettings&) {
                 const stubString value(L"v");
                 return outcome{armed([&] { return denied.writeStubStringA(path, "narrow", value); }), {}};
             }},
        {.name = "writeInt, reported",
         .run = [&](readWriteSettings&) { return outcome{armed([&] { return denied.writeInt(path, L"wide", 1); }), {}}; }},
    };
    for (const operation& op : failedReports)
        check(reports, op);

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

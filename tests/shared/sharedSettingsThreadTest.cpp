#include "shared/MemoryData.h"
#include "shared/SettingDataKorvane.h"
#include "shared/SettingDataQexal.h"

#include "consumerScenario.h"
#include "support/uniqueHandle.h"
#include "testSupport/observedSettings.h"
#include "testSupport/productKeyFixture.h"
#include "testSupport/tracingValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <string>

namespace
{
constexpr int threadCount = 6;
constexpr int callsPerThread = 60;

// Flag values the writers use: any value read must be one of them whole.
constexpr DWORD flagValues[] = {0x11111111, 0x2222EEEE, 0x3C3C3C3C, 0x4000000F};

bool isFlagValue(int value)
{
    return std::find(std::begin(flagValues), std::end(flagValues), static_cast<DWORD>(value)) != std::end(flagValues);
}

// Runs body(threadIndex) on threadCount Win32 threads at once and waits for
// all of them; every thread handle is closed before this returns.
void runOnThreads(const std::function<void(int)>& body)
{
    struct start
    {
        const std::function<void(int)>* body;
        int index;
        std::atomic<int>* ready;
    };
    std::atomic<int> ready{0};
    start starts[threadCount];
    uniqueKernelHandle threads[threadCount];
    HANDLE raw[threadCount];
    for (int i = 0; i < threadCount; ++i) {
        starts[i] = {&body, i, &ready};
        threads[i].reset(CreateThread(
            nullptr, 0,
            [](void* parameter) -> DWORD {
                auto* s = static_cast<start*>(parameter);
                // All threads begin together, so that the calls overlap.
                s->ready->fetch_add(1);
                while (s->ready->load() < threadCount)
                    SwitchToThread();
                (*s->body)(s->index);
                return 0;
            },
            &starts[i], 0, nullptr));
        ASSERT_TRUE(static_cast<bool>(threads[i]));
        raw[i] = threads[i].get();
    }
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(threadCount, raw, TRUE, 120000));
}

// Stands in for a virtual table that another compiler built in its own
// order: every slot counts the call and fails. The slots are called, if at
// all, with the x64 convention, whose caller cleans up, so the one signature
// serves every slot.
std::atomic<int> foreignSlotCalls{0};

BOOL foreignSlot()
{
    foreignSlotCalls.fetch_add(1);
    return FALSE;
}

using slot = BOOL (*)();
constexpr slot foreignTable[8] = {foreignSlot, foreignSlot, foreignSlot, foreignSlot,
                                  foreignSlot, foreignSlot, foreignSlot, foreignSlot};

// Puts foreignTable in place of an object's virtual-table pointer while it
// lives, then restores the object's own.
class foreignTableInstalled
{
public:
    explicit foreignTableInstalled(void* polymorphic) : object(polymorphic)
    {
        std::memcpy(&own, object, sizeof(own));
        const void* foreign = foreignTable;
        std::memcpy(object, &foreign, sizeof(foreign));
    }
    ~foreignTableInstalled() { std::memcpy(object, &own, sizeof(own)); }
    foreignTableInstalled(const foreignTableInstalled&) = delete;
    foreignTableInstalled& operator=(const foreignTableInstalled&) = delete;

private:
    void* object;
    const void* own = nullptr;
};

class sharedSettingsThreads : public testing::Test
{
protected:
    void SetUp() override
    {
        productKeyFixture::setText(L"phiBreakpointLogFile", L"threads.log");
        for (int i = 0; i < 11; ++i)
            productKeyFixture::setDword(tracingFields[i].name, static_cast<DWORD>(0x01010101 * (i + 1)));
        productKeyFixture::setDword(L"memoryMappedFileHasBeenOpened", flagValues[0]);
        productKeyFixture::setDword(L"memoryMappedFileHasBeenOpenedFunctions", flagValues[1]);
    }

    static void expectLoaded(const _profilerHookDebugData& record)
    {
        EXPECT_EQ(std::wstring(L"threads.log"), record.phiBreakpointLogFile);
        for (int i = 0; i < 11; ++i)
            EXPECT_EQ(0x01010101 * (i + 1), record.*tracingFields[i].field) << "field " << i;
    }

    productKeyFixture backup;
};
} // namespace

// The locks are taken through direct calls only: with each lock's virtual
// table replaced by one whose every slot fails, the calls on one object from
// many threads still take turns and all succeed.
TEST_F(sharedSettingsThreads, callsOnOneObjectAreSerialisedWithoutTheLocksVirtualTable)
{
    observedSettings<MemoryData> memory;
    observedSettings<SettingDataQexal> qexal;
    observedSettings<SettingDataKorvane> korvane;
    qexal.memoryMappedFileHasBeenOpened = static_cast<int>(flagValues[2]);
    std::atomic<int> failures{0};
    {
        const foreignTableInstalled memoryTable(memory.lockObject());
        const foreignTableInstalled qexalTable(qexal.lockObject());
        const foreignTableInstalled korvaneTable(korvane.lockObject());
        runOnThreads([&](int index) {
            for (int call = 0; call < callsPerThread; ++call) {
                _profilerHookDebugData out{};
                const int ok = (index + call) % 4 == 0 ? memory.loadProfilerTracingSettings(out)
                               : (index + call) % 4 == 1 ? qexal.writeMemoryMappedFileHasBeenOpened(nullptr, 1, 0)
                               : (index + call) % 4 == 2 ? qexal.readMemoryMappedFileHasBeenOpened(nullptr)
                                                         : korvane.readMemoryMappedFileHasBeenOpened(nullptr);
                failures.fetch_add(ok == 1 ? 0 : 1);
                if ((index + call) % 4 == 0)
                    expectLoaded(out);
            }
        });
    }
    EXPECT_EQ(0, foreignSlotCalls.load());
    EXPECT_EQ(0, failures.load());
    EXPECT_TRUE(memory.slotsEmpty());
    EXPECT_TRUE(qexal.slotsEmpty());
    EXPECT_TRUE(korvane.slotsEmpty());
    expectLoaded(memory.profilerHookDebugData);
    EXPECT_TRUE(isFlagValue(qexal.memoryMappedFileHasBeenOpened));
    EXPECT_EQ(static_cast<int>(flagValues[1]), korvane.memoryMappedFileHasBeenOpenedFunctions);
}

TEST_F(sharedSettingsThreads, objectsOfTheirOwnOnEveryThread)
{
    std::atomic<int> failures{0};
    std::atomic<int> slotsLeftOpen{0};
    std::atomic<int> tornValues{0};

    runOnThreads([&](int index) {
        observedSettings<MemoryData> memory;
        observedSettings<SettingDataQexal> writer;
        observedSettings<SettingDataQexal> reader;
        writer.memoryMappedFileHasBeenOpened = static_cast<int>(flagValues[index % 4]);
        for (int call = 0; call < callsPerThread; ++call) {
            _profilerHookDebugData out{};
            int ok = memory.loadProfilerTracingSettings(out);
            expectLoaded(out);
            ok &= writer.writeMemoryMappedFileHasBeenOpened(nullptr, 1, 0);
            ok &= reader.readMemoryMappedFileHasBeenOpened(nullptr);
            if (ok != 1)
                failures.fetch_add(1);
            if (!isFlagValue(reader.memoryMappedFileHasBeenOpened))
                tornValues.fetch_add(1);
            if (!memory.slotsEmpty() || !writer.slotsEmpty() || !reader.slotsEmpty())
                slotsLeftOpen.fetch_add(1);
        }
    });

    EXPECT_EQ(0, failures.load());
    EXPECT_EQ(0, tornValues.load());
    EXPECT_EQ(0, slotsLeftOpen.load());
}

TEST_F(sharedSettingsThreads, noHandleIsLeftBehind)
{
    observedSettings<MemoryData> memory;
    observedSettings<SettingDataQexal> qexal;
    observedSettings<SettingDataKorvane> korvane;
    auto everyCall = [&] {
        _profilerHookDebugData out{};
        (void)memory.loadProfilerTracingSettings(out);
        (void)qexal.writeMemoryMappedFileHasBeenOpened(nullptr, 1, 0);
        (void)qexal.readMemoryMappedFileHasBeenOpened(nullptr);
        (void)korvane.readMemoryMappedFileHasBeenOpened(nullptr);
    };
    // The first calls may set up what the process keeps for good.
    everyCall();
    runOnThreads([&](int) { everyCall(); });

    const long long before = handleCount();
    {
        // The count must be able to move, or a flat count proves nothing.
        uniqueRegistryKey probe;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, probe.put()));
        ASSERT_EQ(before + 1, handleCount());
    }
    for (int round = 0; round < 20; ++round)
        everyCall();
    runOnThreads([&](int) {
        for (int call = 0; call < 20; ++call)
            everyCall();
    });
    EXPECT_EQ(before, handleCount());

    // The same with a product key that cannot be opened: the failing paths
    // close what they opened too.
    productKeyFixture::makeUncreatable();
    const long long beforeFailing = handleCount();
    runOnThreads([&](int) {
        for (int call = 0; call < 20; ++call)
            everyCall();
    });
    EXPECT_EQ(beforeFailing, handleCount());
    EXPECT_TRUE(memory.slotsEmpty());
    EXPECT_TRUE(qexal.slotsEmpty());
    EXPECT_TRUE(korvane.slotsEmpty());
}

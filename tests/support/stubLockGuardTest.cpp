#include "support/stubLockGuard.h"

#include "lockContender.h"
#include "support/stubCriticalSection.h"
#include "support/threadQuery.h"
#include "support/uniqueHandle.h"
#include "testSupport/debugOutputCapture.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

namespace
{
std::wstring expectedLine(const wchar_t* format, const wchar_t* name)
{
    wchar_t line[200];
    wsprintfW(line, format, GetCurrentThreadId(), name);
    return line;
}

// Switches back off whatever a test switched on.
struct switchesOff
{
    ~switchesOff()
    {
        setLockTracingEnabled(0);
        setLockBypassOnLastThread(0);
    }
};

// A waitable object whose lock always fails (a zero-time wait on an
// unsignalled event), for the failed-lock paths of the guard.
class unsignalledEvent : public stubSyncObject
{
public:
    unsignalledEvent() { handle = CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    using stubSyncObject::lock;
    BOOL lock(DWORD) override { return stubSyncObject::lock(0); }
    BOOL unlock() override { return TRUE; }
};

// Waits until this thread is the process's only one. Windows 10 and later
// start the process with loader worker threads that end after some 30 s of
// idleness; the count comes from a snapshot, not from the code under test.
bool untilSingleThreaded()
{
    for (const ULONGLONG end = GetTickCount64() + 60000; GetTickCount64() < end; Sleep(50)) {
        const uniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
        THREADENTRY32 entry{};
        entry.dwSize = sizeof(entry);
        int threads = 0;
        for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry))
            threads += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
        if (threads == 1)
            return true;
    }
    return false;
}

// Ends the process with the exception's code rather than letting Wine start
// its debugger, so that a crash in a death test's child shows as an exit code.
LONG CALLBACK exitOnCrash(EXCEPTION_POINTERS* info)
{
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_ILLEGAL_INSTRUCTION ||
        code == EXCEPTION_PRIV_INSTRUCTION || code == STATUS_STACK_BUFFER_OVERRUN)
        TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_CONTINUE_SEARCH;
}
} // namespace

TEST(stubLockGuard, holdsTheObjectForItsScopeAndReleasesItOnce)
{
    stubCriticalSection section;
    {
        stubLockGuard guard(&section, nullptr);
        EXPECT_EQ(1, guard.isLocked());
        const lockContender whileGuarded(section);
        EXPECT_FALSE(whileGuarded.acquiredWithin(stillHeldWindowMs));
        EXPECT_TRUE(guard.unlock());
        EXPECT_EQ(0, guard.isLocked());
        EXPECT_TRUE(whileGuarded.acquiredWithin(generousDeadlineMs));
        // Held by this thread now; neither a second unlock nor the guard's
        // destructor may release it.
        section.lock();
        EXPECT_TRUE(guard.unlock());
    }
    const lockContender afterGuard(section);
    EXPECT_FALSE(afterGuard.acquiredWithin(stillHeldWindowMs));
    section.unlock();
    EXPECT_TRUE(afterGuard.acquiredWithin(generousDeadlineMs));
}

// Only a named guard with tracing on writes: one lock and one release line.
TEST(stubLockGuard, onlyANamedGuardWithTracingOnTracesItsLockAndRelease)
{
    const switchesOff restore;
    stubCriticalSection section;
    const debugOutputCapture output;
    {
        stubLockGuard namedUntraced(&section, L"logFile::writeToLogFile 5()");
    }
    setLockTracingEnabled(1);
    {
        stubLockGuard unnamed(&section, nullptr);
    }
    {
        stubLockGuard guard(&section, L"logFile::writeToLogFile 2()");
    }
    setLockTracingEnabled(0);

    const auto lines = output.lines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(expectedLine(L"%u: Locked    %s 0x0000000000000000\r\n", L"logFile::writeToLogFile 2()"), lines[0]);
    EXPECT_EQ(expectedLine(L"%u:  Unlocked %s 0x0000000000000000\r\n", L"logFile::writeToLogFile 2()"), lines[1]);
}

TEST(stubLockGuard, aFailedLockLeavesTheGuardUnlockedAndIsTraced)
{
    const switchesOff restore;
    unsignalledEvent event;
    ASSERT_NE(nullptr, event.getHandle());
    const debugOutputCapture output;
    setLockTracingEnabled(1);
    {
        stubLockGuard guard(&event, L"waiter");
        EXPECT_EQ(0, guard.isLocked());
    }
    setLockTracingEnabled(0);

    wchar_t handleText[40];
    wsprintfW(handleText, L"0x%p\r\n", event.getHandle());
    const auto lines = output.lines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(expectedLine(L"%u: Locked    %s ", L"waiter") + handleText, lines[0]);
    EXPECT_EQ(expectedLine(L"%u: FAILED TO Lock a CS! %s ", L"waiter") + handleText, lines[1]);
}

TEST(stubLockGuard, bypassOnTheLastThreadLeavesTheObjectAlone)
{
    const switchesOff restore;
    resolveNtQueryInformationThread();
    if (!untilSingleThreaded())
        GTEST_SKIP() << "the process kept other threads (the system's own) past the deadline";
    ASSERT_TRUE(isLastThreadInProcess());

    stubCriticalSection section;
    setLockBypassOnLastThread(1);
    setLockTracingEnabled(1);
    const debugOutputCapture output;
    {
        stubLockGuard guard(&section, L"bypassed");
        EXPECT_EQ(1, guard.isLocked());
        // Another thread takes the section for real (with two threads the
        // bypass does not apply to it): the guard left it free.
        const lockContender other(section);
        EXPECT_TRUE(other.acquiredWithin(generousDeadlineMs));
    }
    // The guard's release, again on the last thread, must not have touched
    // the section: it is neither held nor over-released.
    ASSERT_TRUE(untilSingleThreaded());
    ASSERT_TRUE(isLastThreadInProcess());
    setLockBypassOnLastThread(0);
    const lockContender after(section);
    EXPECT_TRUE(after.acquiredWithin(generousDeadlineMs));
    EXPECT_TRUE(output.lines().empty()) << "a bypassed guard writes no trace line";
}

TEST(stubLockGuard, bypassDoesNotApplyWhileOtherThreadsRun)
{
    const switchesOff restore;
    resolveNtQueryInformationThread();
    std::atomic<bool> stop{false};
    std::thread other([&] {
        while (!stop)
            Sleep(1);
    });
    EXPECT_FALSE(isLastThreadInProcess());

    stubCriticalSection section;
    setLockBypassOnLastThread(1);
    {
        stubLockGuard guard(&section, nullptr);
        EXPECT_EQ(1, guard.isLocked());
        const lockContender other(section);
        EXPECT_FALSE(other.acquiredWithin(stillHeldWindowMs));
        EXPECT_TRUE(guard.unlock());
        EXPECT_TRUE(other.acquiredWithin(generousDeadlineMs));
    }
    stop = true;
    other.join();
}

TEST(stubLockGuardDeathTest, aNameOfAnyLengthIsCutToFitTheTraceLine)
{
    const switchesOff restore;
    const std::wstring names[] = {std::wstring(1015, L'n'), std::wstring(5000, L'm')};
    const auto traceAll = [&] {
        setLockTracingEnabled(1);
        for (const std::wstring& name : names) {
            stubCriticalSection section;
            { stubLockGuard guard(&section, name.c_str()); }
            unsignalledEvent event;
            { stubLockGuard guard(&event, name.c_str()); }
        }
        setLockTracingEnabled(0);
    };
    // In a child process first: a line that overran its buffer would crash.
    ASSERT_EXIT((AddVectoredExceptionHandler(1, exitOnCrash), traceAll(), std::exit(0)),
                ::testing::ExitedWithCode(0), "");

    const debugOutputCapture output;
    traceAll();
    const auto lines = output.lines();
    ASSERT_EQ(8u, lines.size());
    const std::wstring thread = std::to_wstring(GetCurrentThreadId());
    for (size_t i = 0; i < 2; ++i) {
        const std::wstring cut = names[i].substr(0, 900);
        EXPECT_EQ(thread + L": Locked    " + cut + L" 0x0000000000000000\r\n", lines[4 * i]);
        EXPECT_EQ(thread + L":  Unlocked " + cut + L" 0x0000000000000000\r\n", lines[4 * i + 1]);
        EXPECT_EQ(0u, lines[4 * i + 2].find(thread + L": Locked    " + cut + L" 0x"));
        EXPECT_EQ(0u, lines[4 * i + 3].find(thread + L": FAILED TO Lock a CS! " + cut + L" 0x"));
        EXPECT_EQ(L"\r\n", lines[4 * i + 3].substr(lines[4 * i + 3].size() - 2));
    }
}

// An uncontended lock guard against the raw critical-section calls, and a
// failure report with the log switched off against an empty call.
#include "benchTimer.h"
#include "settings/failureLog.h"
#include "settings/logFile.h"
#include "support/stubCriticalSection.h"
#include "support/stubLockGuard.h"

#include <cstdio>

namespace
{
CRITICAL_SECTION rawSection;

// Kept out of line, so the baseline pays for a call as the report does.
__attribute__((noinline)) void emptyCall(const wchar_t*, DWORD, const char*, const wchar_t*)
{
    asm volatile("");
}
} // namespace

int main()
{
    InitializeCriticalSection(&rawSection);
    stubCriticalSection section;
    constexpr long iterations = 2'000'000;

    double baseNs = 0;
    double guardNs = 0;
    benchTimer::ratio(
        [] {
            EnterCriticalSection(&rawSection);
            LeaveCriticalSection(&rawSection);
        },
        [&] { stubLockGuard guard(&section, nullptr); }, iterations, baseNs, guardNs);
    benchTimer::report("stubLockGuard vs Enter/LeaveCriticalSection", baseNs, guardNs, "<= 1.50x");

    double emptyNs = 0;
    double reportNs = 0;
    setLogFileEnabled(0);
    void (*volatile baseline)(const wchar_t*, DWORD, const char*, const wchar_t*) = emptyCall;
    benchTimer::ratio([&] { baseline(L"C:\\log.txt", 5, "setting int value", L"name"); },
                      [] { reportErrorToLogFile(L"C:\\log.txt", 5, "setting int value", L"name"); }, iterations,
                      emptyNs, reportNs);
    benchTimer::report("report with the log off vs an empty call", emptyNs, reportNs,
                       "a few ns: no system call, no allocation");
    DeleteCriticalSection(&rawSection);
    return 0;
}

#include "dialogRunner.h"

#include "uiWait.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
std::atomic<DWORD> watchedThreadId{0};

// The C++ compilers' own exception codes: GCC's and LLVM's unwinders, and
// Microsoft's.
constexpr DWORD gccThrow = 0x20474343;
constexpr DWORD microsoftThrow = 0xE06D7363;

// The system may swallow a fault inside its message dispatch, and one it
// does not swallow starts the debugger, which holds the run until its
// timeout. A vectored handler sees every exception first: a fault or C++
// exception on the dialog's thread ends the test program there, saying why.
LONG CALLBACK endOnFault(EXCEPTION_POINTERS* info)
{
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (GetCurrentThreadId() != watchedThreadId.load())
        return EXCEPTION_CONTINUE_SEARCH;
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_STACK_OVERFLOW:
    case gccThrow:
    case microsoftThrow: {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::fprintf(stderr, "exception 0x%08lx on the dialog's thread in %s.%s\n", code,
                     test != nullptr ? test->test_suite_name() : "?", test != nullptr ? test->name() : "?");
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), code);
        break;
    }
    default:
        break;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}
} // namespace

dialogRunner::dialogRunner() : faultHandler(AddVectoredExceptionHandler(1, endOnFault))
{
    uiThread = std::thread([this] {
        watchedThreadId = GetCurrentThreadId();
        uiThreadId = GetCurrentThreadId();
        modalResult = logController.doModal();
        ended = true;
    });
    uiWait::until([this] {
        if (uiThreadId.load() != 0)
            dialogWindow = uiWait::findThreadWindow(uiThreadId.load(), L"#32770");
        return dialogWindow != nullptr || ended.load();
    });
}

dialogRunner::~dialogRunner()
{
    if (!ended.load()) {
        // Close whatever modal window is on top, then the dialog itself.
        for (int round = 0; round < 50 && !ended.load(); ++round) {
            const HWND top = uiWait::findThreadWindow(uiThreadId.load(), L"#32770", nullptr, dialogWindow);
            PostMessageW(top != nullptr ? top : dialogWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            uiWait::until([this] { return ended.load(); }, 200);
        }
    }
    uiThread.join();
    watchedThreadId = 0;
    RemoveVectoredExceptionHandler(faultHandler);
}

bool dialogRunner::waitForEnd()
{
    return uiWait::until([this] { return ended.load(); });
}

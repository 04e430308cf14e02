#include "dialogRunner.h"

#include "uiWait.h"

#include <gtest/gtest.h>

namespace
{
// The dialog's thread, and the first fault seen on it. The system would
// swallow a fault inside its message dispatch, so a vectored handler, which
// sees every exception first, records it for the test to fail on.
std::atomic<DWORD> watchedThreadId{0};
std::atomic<DWORD> firstFault{0};

// The C++ compilers' own exception codes: GCC's and LLVM's unwinders, and
// Microsoft's.
constexpr DWORD gccThrow = 0x20474343;
constexpr DWORD microsoftThrow = 0xE06D7363;

bool isFault(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case gccThrow:
    case microsoftThrow:
        return true;
    default:
        return false;
    }
}

LONG CALLBACK recordFault(EXCEPTION_POINTERS* info)
{
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (GetCurrentThreadId() == watchedThreadId.load() && isFault(code)) {
        DWORD none = 0;
        firstFault.compare_exchange_strong(none, code);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}
} // namespace

dialogRunner::dialogRunner() : faultHandler(AddVectoredExceptionHandler(1, recordFault))
{
    firstFault = 0;
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
    EXPECT_EQ(0u, firstFault.load()) << "exception code on the dialog's thread, in hex: " << std::hex
                                     << firstFault.load();
}

bool dialogRunner::waitForEnd()
{
    return uiWait::until([this] { return ended.load(); });
}

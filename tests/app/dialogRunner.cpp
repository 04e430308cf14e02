#include "dialogRunner.h"

#include "uiWait.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
// Marks each runner's dialog thread.
thread_local bool dialogThread = false;
// What the next call on a dialog's thread runs: a hook gets no context.
const std::function<void()>* pendingCall = nullptr;
constexpr UINT callMessage = WM_APP + 0x4B;

void endProgram(DWORD code, const char* what)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "%s 0x%08lx in %s.%s\n", what, code, test != nullptr ? test->test_suite_name() : "?",
                 test != nullptr ? test->name() : "?");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), code);
}

// Our code: the test program's own image (the tests and the product, linked
// in) and the C runtime it calls, where a bad argument of ours faults. Found
// at the start: the loader's lock is no business of a handler.
const HMODULE ourModules[] = {GetModuleHandleW(nullptr), GetModuleHandleW(L"msvcrt.dll"),
                              GetModuleHandleW(L"ucrtbase.dll")};

bool inOurCode(const void* address)
{
    const auto* at = static_cast<const BYTE*>(address);
    for (const HMODULE module : ourModules) {
        const auto* base = reinterpret_cast<const BYTE*>(module);
        if (module != nullptr && at >= base &&
            at < base + reinterpret_cast<const IMAGE_NT_HEADERS*>(
                            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew)->OptionalHeader.SizeOfImage)
            return true;
    }
    return false;
}

// The system may swallow a fault inside its message dispatch, so a vectored
// handler, which sees every exception first, ends the program at a fault of
// our own code on a dialog's thread. Everything else (system code raises
// and handles exceptions of its own, on that thread too) goes on to the
// handlers of the code that raised it.
LONG CALLBACK endOnOwnFault(EXCEPTION_POINTERS* info)
{
    if (dialogThread && inOurCode(info->ExceptionRecord->ExceptionAddress))
        endProgram(info->ExceptionRecord->ExceptionCode, "fault on the dialog's thread:");
    return EXCEPTION_CONTINUE_SEARCH;
}

// What nobody handles ends the program here, not in a debugger that holds
// the run until its time-out.
LONG CALLBACK endOnUnhandled(EXCEPTION_POINTERS* info)
{
    endProgram(info->ExceptionRecord->ExceptionCode, "unhandled exception");
    return EXCEPTION_EXECUTE_HANDLER;
}

LRESULT CALLBACK runPendingCall(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == callMessage)
        (*pendingCall)();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

dialogRunner::dialogRunner()
    : faultHandler(AddVectoredExceptionHandler(1, endOnOwnFault)),
      previousFilter(SetUnhandledExceptionFilter(endOnUnhandled))
{
    uiThread = std::thread([this] {
        dialogThread = true;
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
    SetUnhandledExceptionFilter(previousFilter);
    RemoveVectoredExceptionHandler(faultHandler);
}

bool dialogRunner::waitForEnd()
{
    return uiWait::until([this] { return ended.load(); });
}

void dialogRunner::callOnDialogThread(const std::function<void()>& function)
{
    pendingCall = &function;
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, runPendingCall, nullptr, uiThreadId.load());
    ASSERT_NE(nullptr, hook);
    SendMessageW(dialogWindow, callMessage, 0, 0);
    UnhookWindowsHookEx(hook);
}

#include "testSupport/launchedProgram.h"

#include "app/uiWait.h"

launchedProgram::launchedProgram(const std::wstring& path)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return;
    process.reset(info.hProcess);
    const uniqueKernelHandle thread(info.hThread);
    threadId = info.dwThreadId;
}

launchedProgram::~launchedProgram()
{
    if (process && waitForExit(0) == STILL_ACTIVE) {
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), 20000);
    }
}

HWND launchedProgram::findDialog() const
{
    return threadId != 0 ? uiWait::findThreadWindow(threadId, L"#32770") : nullptr;
}

DWORD launchedProgram::waitForExit(DWORD timeoutMs) const
{
    DWORD code = STILL_ACTIVE;
    if (process && WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.get(), &code);
    return code;
}

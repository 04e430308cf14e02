#include "testSupport/launchedProgram.h"

namespace
{
BOOL CALLBACK matchDialog(HWND window, LPARAM found)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (!IsWindowVisible(window) || lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}
} // namespace

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
    HWND found = nullptr;
    if (threadId != 0)
        EnumThreadWindows(threadId, matchDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

DWORD launchedProgram::waitForExit(DWORD timeoutMs) const
{
    DWORD code = STILL_ACTIVE;
    if (process && WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.get(), &code);
    return code;
}

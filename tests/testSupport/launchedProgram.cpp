#include "testSupport/launchedProgram.h"

namespace
{
struct dialogSearch
{
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM parameter)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (!IsWindowVisible(window) || lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    reinterpret_cast<dialogSearch*>(parameter)->found = window;
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
    if (process && !hasEnded()) {
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), 20000);
    }
}

bool launchedProgram::hasEnded() const noexcept
{
    return !process || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
}

HWND launchedProgram::findDialog() const
{
    dialogSearch search{nullptr};
    if (threadId != 0)
        EnumThreadWindows(threadId, matchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD launchedProgram::waitForExit(DWORD timeoutMs) const
{
    WaitForSingleObject(process.get(), timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

#include "app/shellViewer.h"

#include "support/moduleFunction.h"

#include <objbase.h>

shellViewer::~shellViewer()
{
    if (apartmentThread == GetCurrentThreadId())
        coUninitialize();
}

bool shellViewer::load()
{
    if (shellExecuteEx != nullptr)
        return true;
    shell.reset(LoadLibraryW(L"shell32.dll"));
    com.reset(LoadLibraryW(L"ole32.dll"));
    if (!shell || !com)
        return false;
    shellExecuteEx = moduleFunction<shellExecuteExFunction>(shell.get(), "ShellExecuteExW");
    coInitializeEx = moduleFunction<coInitializeExFunction>(com.get(), "CoInitializeEx");
    coUninitialize = moduleFunction<coUninitializeFunction>(com.get(), "CoUninitialize");
    if (coInitializeEx == nullptr || coUninitialize == nullptr)
        shellExecuteEx = nullptr;
    return shellExecuteEx != nullptr;
}

bool shellViewer::open(const wchar_t* file)
{
    if (!load())
        return false;
    // Entered once and kept; a thread in another apartment is refused
    // (RPC_E_CHANGED_MODE) and stays as it is.
    if (apartmentThread == 0 &&
        SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
        apartmentThread = GetCurrentThreadId();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // The shell finishes its work before it returns, since the caller's
    // thread may go on to other things; it still shows its own errors.
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = file;
    info.nShow = SW_SHOWNORMAL;
    // Whatever goes wrong, the shell reports it itself.
    (void)shellExecuteEx(&info);
    return true;
}

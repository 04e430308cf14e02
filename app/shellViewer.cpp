#include "app/shellViewer.h"

#include "support/moduleFunction.h"

#include <objbase.h>

namespace
{
// The calling thread inside an apartment for one scope. A thread already in
// another apartment keeps it (RPC_E_CHANGED_MODE): only a successful
// initialisation, S_FALSE included, is undone.
class comApartment
{
public:
    comApartment(HRESULT(WINAPI* initialize)(void*, DWORD), void(WINAPI* uninitialize)())
        : uninitialize(uninitialize),
          entered(SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ~comApartment()
    {
        if (entered)
            uninitialize();
    }
    comApartment(const comApartment&) = delete;
    comApartment& operator=(const comApartment&) = delete;

private:
    void(WINAPI* uninitialize)();
    bool entered;
};
} // namespace

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
    const comApartment apartment(coInitializeEx, coUninitialize);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.lpVerb = L"open";
    info.lpFile = file;
    info.nShow = SW_SHOWNORMAL;
    // Whatever goes wrong, the shell reports it itself.
    (void)shellExecuteEx(&info);
    return true;
}

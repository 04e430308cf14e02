#pragma once

#include "support/uniqueHandle.h"

#include <windows.h>
#include <shellapi.h>

// Hands files to the shell's "open" verb. The shell and COM are loaded at the
// first file, not when the program starts: only View needs them, and an
// import would cost every start. Once loaded they stay until the viewer goes,
// and so does the single-threaded apartment entered for the first file: the
// shell may still use both after ShellExecuteExW has returned.
class shellViewer
{
public:
    shellViewer() = default;
    // Leaves the apartment when called on the thread that entered it (the
    // dialog's, which owns the viewer).
    ~shellViewer();
    shellViewer(const shellViewer&) = delete;
    shellViewer& operator=(const shellViewer&) = delete;

    // ShellExecuteExW with the verb "open" and SW_SHOWNORMAL, inside a
    // single-threaded COM apartment as the shell asks of its callers; a
    // thread already in another apartment keeps it. The shell reports its
    // own failures; false only when it could not be had.
    bool open(const wchar_t* file);

private:
    using shellExecuteExFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    using coInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
    using coUninitializeFunction = void(WINAPI*)();

    bool load();

    uniqueModule shell;
    uniqueModule com;
    shellExecuteExFunction shellExecuteEx = nullptr;
    coInitializeExFunction coInitializeEx = nullptr;
    coUninitializeFunction coUninitialize = nullptr;
    // The thread that entered the apartment; 0 while none did.
    DWORD apartmentThread = 0;
};

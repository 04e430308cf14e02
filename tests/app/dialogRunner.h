#pragma once

#include "app/CqxGUILogControllerDlg.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

// Runs the options dialog modally on a thread of its own, as the program
// does on its one thread, so that the test can drive it with messages. A
// fault of our code on that thread, or an exception nobody handles, ends the
// test program.
class dialogRunner
{
public:
    dialogRunner();
    ~dialogRunner();
    dialogRunner(const dialogRunner&) = delete;
    dialogRunner& operator=(const dialogRunner&) = delete;

    // The dialog's window once it is visible; null when it did not come up.
    HWND window() const { return dialogWindow; }
    DWORD threadId() const { return uiThreadId.load(); }
    // The dialog object; use only from the test thread while the dialog
    // waits in its message loop for calls that do not touch the window.
    CqxGUILogControllerDlg& dialog() { return logController; }

    // True once the dialog has ended; result() then tells how.
    bool hasEnded() const { return ended.load(); }
    INT_PTR result() const { return modalResult.load(); }
    // Waits for the end; false when the deadline passed.
    bool waitForEnd();
    // Runs function on the dialog's thread, inside its message dispatch.
    void callOnDialogThread(const std::function<void()>& function);

private:
    void* faultHandler;
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter;
    CqxGUILogControllerDlg logController;
    std::atomic<DWORD> uiThreadId{0};
    std::atomic<bool> ended{false};
    std::atomic<INT_PTR> modalResult{0};
    std::thread uiThread;
    HWND dialogWindow = nullptr;
};

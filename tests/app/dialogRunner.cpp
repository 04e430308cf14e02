#include "dialogRunner.h"

#include "uiWait.h"

dialogRunner::dialogRunner()
{
    uiThread = std::thread([this] {
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
}

bool dialogRunner::waitForEnd()
{
    return uiWait::until([this] { return ended.load(); });
}

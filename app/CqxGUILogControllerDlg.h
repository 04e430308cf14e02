#pragma once

#include "app/shellViewer.h"
#include "framework/CDialogBase.h"
#include "framework/dialogMessageMap.h"
#include "support/uniqueHandle.h"

#include <windows.h>

class COpenFileDialog;
enum class keyAccess;

// The options dialog: the six logging values of the profiler's key, and
// the actions on the log file (Browse, View, Delete) and its default path.
class CqxGUILogControllerDlg : public CDialogBase
{
public:
    explicit CqxGUILogControllerDlg(HWND owner = nullptr);

    // Opens or creates HKCU\Software, OstraVell and Korvanex64 into the key
    // members with the access asked for. Non-zero when all three are open;
    // on failure none stays open.
    [[nodiscard]] int openProfilerKey(keyAccess access);

    void setDefaultControls();
    // View and Delete are enabled exactly when the named file exists.
    void updateFileButtons();
    // Controls into uiLoggerSettings, then into the registry. Non-zero when
    // every value was written; otherwise the user has been told.
    [[nodiscard]] int saveSettings();

    void viewLogFile();
    void deleteLogFile();
    void browseLogFile();
    // Browse with the chooser given (the log-file chooser in the program).
    void browseLogFileWith(COpenFileDialog& chooser);

    // The accepted id of the periodic timer; -1 when none was accepted.
    int getTimerId() const noexcept { return timerId; }

protected:
    BOOL onInitDialog() override;
    void onOK() override;
    bool dispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void onTimer(UINT_PTR timerId);
    BOOL onSysCommand(UINT commandId, LPARAM lParam);
    BOOL onPaint();
    HICON onQueryDragIcon() const;
    void onDpiChanged(UINT dpi);

    // Hands the window the new icons, then destroys the ones it held; keeps
    // those when either new one could not be loaded.
    void setIcons(uniqueIcon small, uniqueIcon large);
    void addAboutMenuEntry();
    void startTimer();
    void closeProfilerKeys() noexcept;
    void showSettingsInControls();
    // View and Delete follow whether the named file exists, the buttons
    // asked about in the order given.
    void enableFileButtons(int firstButton, int secondButton) const;

    // Loaded for the window's DPI and destroyed with the dialog object. The
    // large one is also drawn while minimised and handed out for dragging.
    uniqueIcon smallIcon;
    uniqueIcon largeIcon;
    uniqueRegistryKey productKey;
    uniqueRegistryKey makerKey;
    uniqueRegistryKey softwareKey;
    int timerId = 0;
    shellViewer viewer;

    // Sized by its definition's entries.
    static const dialogMessageEntry<CqxGUILogControllerDlg> messageMap[];
};

#pragma once

#include "framework/CDialogBase.h"
#include "framework/dialogMessageMap.h"
#include "support/uniqueHandle.h"

// The About box: icon, name and version, OK. The icon is drawn for the
// box's DPI and follows a change of it.
class CAboutDlg : public CDialogBase
{
public:
    explicit CAboutDlg(HWND owner);

protected:
    BOOL onInitDialog() override;
    bool dispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void onDpiChanged(UINT dpi);
    void onShowIconForDpi(UINT dpi);
    // Shows icon in the template's icon control; keeps the one shown when
    // icon is null.
    void showIcon(uniqueIcon icon);

    uniqueIcon shownIcon;

    // Sized by its definition's entries.
    static const dialogMessageEntry<CAboutDlg> messageMap[];
};

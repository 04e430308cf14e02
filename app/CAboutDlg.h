#pragma once

#include "framework/CDialogBase.h"

// The About box: icon, name and version, OK.
class CAboutDlg : public CDialogBase
{
public:
    explicit CAboutDlg(HWND owner);
};

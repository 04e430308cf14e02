#include "app/CAboutDlg.h"

#include "resources/resource.h"

CAboutDlg::CAboutDlg(HWND owner) : CDialogBase(IDD_ABOUTBOX, owner) {}

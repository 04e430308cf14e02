#pragma once

// Resource and control ids of korGUILogController, shared by the resource
// script and the code.
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_LOGCONTROLLER_DIALOG 102
#define IDR_MAINFRAME 128

#define IDC_MONITOR_LAUNCH_ERRORS 1000
#define IDC_LOGFILE_EDIT 1002
#define IDC_BROWSE 1003
#define IDC_VIEW 1004
#define IDC_DELETE 1005
#define IDC_RESET 1006
#define IDC_MONITOR_UI_RECEIVE_COMM 1007
#define IDC_WRITE_NEW_FILE 1008
#define IDC_ENABLE_LOGGING 1010
#define IDC_APPLY 3

// The system-menu command of the About box.
#define IDM_ABOUTBOX 0x0010

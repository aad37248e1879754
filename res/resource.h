// Resource and control identifiers shared by the resource script and the code.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN_DIALOG 102
#define IDR_MAINFRAME 128
#define IDM_ABOUTBOX 0x0010

#define IDC_ENTER_RECOVERY 1000
#define IDC_EXIT_RECOVERY 1001
#define IDC_STATUS 1002
#define IDC_HELP_BUTTON 1003
#define IDC_ABOUT_BUTTON 1004
#define IDC_FOOTER 1005
#define IDC_ABOUT_TITLE 1006
#define IDC_ABOUT_LINK 1007

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

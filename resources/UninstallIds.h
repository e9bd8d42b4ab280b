// Resource IDs of uninstall: templates, icons and controls, shared by uninstall.rc and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_ABOUT 100
#define IDD_UNINSTALL 102
#define IDI_UNINSTALL 128
#define IDD_RESTART 129
#define IDI_RESTART 131
#define IDM_ABOUT 16

// Main window
#define IDC_UNINSTALL 1002
#define IDC_INSTRUCTIONS 1006
#define IDC_STATUS_LIST 1008
#define IDC_INVENTORY 1010
#define IDC_SELECT_ALL 1012
#define IDC_USB_DRIVER 1013
// The Exit button is the dialog's Cancel (IDCANCEL, 2).
#define IDC_EXIT 2

// Resource IDs of setup: templates, icon and controls, shared by setup.rc and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_ABOUT 100
#define IDD_WIZARD_FRAME 102
#define IDI_SETUP 128
#define IDD_OS_PAGE 130
#define IDD_MODULE_PAGE 131
#define IDD_PORT_PAGE 132
#define IDD_LICENSE_PAGE 133
#define IDD_SETUP_TYPE_PAGE 137
#define IDD_PROGRESS 141

// Initial list data of a template (resource type 240): entries of control ID, message and
// bytes, as resource editors write them; see ui::Dialog.
#define RT_DIALOG_INIT 240

// Frame
#define IDC_PAGE_AREA 1001
#define IDC_BACK 1002
#define IDC_SIDE_PICTURE 1087
#define IDM_ABOUT 16

// OS page
#define IDC_OS_WIN98 1026
#define IDC_OS_NT4 1027
#define IDC_OS_2000 1028
#define IDC_OS_XP 1029
#define IDC_OS_2003 1075
#define IDC_OS_VISTA 1076
#define IDC_OS_WIN7 1077
#define IDC_OS_WIN7X64 1078

// Module page
#define IDC_MODULE_RECEIPT 1019
#define IDC_MODULE_TICKET 1020
#define IDC_MODULE_LABEL 1021
#define IDC_MODULE_EMBEDDED 1073
#define IDC_MODELS_RECEIPT 1030
#define IDC_MODELS_TICKET 1031
#define IDC_MODELS_LABEL 1032
#define IDC_MODELS_EMBEDDED 1074
#define IDC_SET_DEFAULT 1046

// Port page
#define IDC_BAUD_RATE 1041
#define IDC_BYTE_SIZE 1042
#define IDC_PARITY 1043
#define IDC_STOP_BITS 1044
#define IDC_PROTOCOL 1045
#define IDC_PORTS 1049
#define IDC_RASTER_PRINTING 1052
#define IDC_USB_HINT 1065

// Licence page
#define IDC_ACCEPT 1057
#define IDC_REJECT 1058
#define IDC_LICENSE_TEXT 1081

// Setup type page
#define IDC_TYPICAL 1066
#define IDC_ADVANCED 1067
#define IDC_REMARK 1068
#define IDC_REMARK2 1069
#define IDC_REMARK3 1070

// Progress window
#define IDC_PROGRESS_BAR 1079

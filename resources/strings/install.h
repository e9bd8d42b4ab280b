// Texts of the Install command: its refusals and its two questions.
#pragma once

// One literal per text, so that the resource compiler sees each as it is shown.
// clang-format off
#define INSTALL_STRINGS(X) \
  X(IDS_SELECT_MODULE_FIRST, 112, "You must select a printer module first!") \
  X(IDS_NO_USB_ON_NT4, 113, "WindowsNT4 and earlier editions do not support USB ports") \
  X(IDS_RESTART_QUESTION, 114, "Restart the computer so that the changes can take effect\nClick on \"Yes\" to restart the computer immediately\nClick on \"No\" to restart the computer later") \
  X(IDS_NO_USB_DEVICE, 139, "No USB device attached") \
  X(IDS_PORT_NOT_SUPPORTED, 140, "No support installation for this port") \
  X(IDS_CHANGE_PRINTER_NAME_QUESTION, 143, "This application will change printer name\nthe name will be matching with interface name\nIf continue, click on \"Yes\"\nOtherwise click on \"No\"")
// clang-format on

// Texts of the uninstaller: start-up, inventory and removal run. X(name, id, "text").
#pragma once

#define UNINSTALL_TEXT_STRINGS(X)                                                          \
  X(IDS_ABOUT_UNINSTALL, 101, "About Uninstall(&A)...")                                    \
  X(IDS_NOT_ADMINISTRATOR, 102, "You must be logged on the computer as an administrator!") \
  X(IDS_SYSTEM_DIRECTORY_ERROR, 103, "Get system Directory error!")                        \
  X(IDS_INVALID_FILE_HANDLE, 104, "Invalid File Handle.")                                  \
  X(IDS_NO_UNINSTALL_INI, 105, "Can't find file Uninstall.ini!")                           \
  X(IDS_SELECT_PRINTERS, 107, "Please select the printers you want to uninstall.")         \
  X(IDS_SELECT_MULTIPLE_PRINTERS, 108,                                                     \
    "Please select the printers to be uninstalled.You can specify multiple printers to "   \
    "uninstall.")                                                                          \
  X(IDS_DELETING, 109, "Deleting %s,please wait...")                                       \
  X(IDS_ITEM_IN_USE, 110, "%s is using,can't be deleted.")                                 \
  X(IDS_UNINSTALL_ERROR, 111, "Uninstall %s error.")                                       \
  X(IDS_DELETED, 112, "%s has been deleted.")                                              \
  X(IDS_OPEN_PRINTER_ERROR, 113, "Open %s printer error.")                                 \
  X(IDS_DELETING_PRINTER, 114, "Deleting printer %s,please wait...")                       \
  X(IDS_PRINTER_INFO_ERROR, 115, "Get printer info error")                                 \
  X(IDS_ALLOCATE_MEMORY_ERROR, 116, "Allocate memory error")                               \
  X(IDS_PRINTER_HAS_JOBS, 117, "%s can't be deleted,please delete jobs in printer first.") \
  X(IDS_DELETE_PRINTER_ERROR, 118, "Delete printer error.")                                \
  X(IDS_DRIVER_IN_USE, 119, "The driver is using,can't be deleted.")                       \
  X(IDS_DRIVER_DELETED, 120, "The printer driver has been deleted.")                       \
  X(IDS_DELETE_DRIVER_ERROR, 121, "Delete printer driver error.")                          \
  X(IDS_DELETING_DRIVER, 122, "Deleting %s's driver,please wait...")                       \
  X(IDS_DELETE_JOBS_FIRST, 123, "Please delete jobs in printer %s first.")

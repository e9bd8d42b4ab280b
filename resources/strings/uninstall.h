// Texts of the uninstaller: start-up, inventory and removal run. X(id, "text").
#pragma once

#define UNINSTALL_TEXT_STRINGS(X)                                                          \
  X(101, "About Uninstall(&A)...")                                                         \
  X(102, "You must be logged on the computer as an administrator!")                        \
  X(103, "Get system Directory error!")                                                    \
  X(104, "Invalid File Handle.")                                                           \
  X(105, "Can't find file Uninstall.ini!")                                                 \
  X(107, "Please select the printers you want to uninstall.")                              \
  X(108,                                                                                   \
    "Please select the printers to be uninstalled.You can specify multiple printers to "   \
    "uninstall.")                                                                          \
  X(109, "Deleting %s,please wait...")                                                     \
  X(110, "%s is using,can't be deleted.")                                                  \
  X(111, "Uninstall %s error.")                                                            \
  X(112, "%s has been deleted.")                                                           \
  X(113, "Open %s printer error.")                                                         \
  X(114, "Deleting printer %s,please wait...")                                             \
  X(115, "Get printer info error")                                                         \
  X(116, "Allocate memory error")                                                          \
  X(117, "%s can't be deleted,please delete jobs in printer first.")                       \
  X(118, "Delete printer error.")                                                          \
  X(119, "The driver is using,can't be deleted.")                                          \
  X(120, "The printer driver has been deleted.")                                           \
  X(121, "Delete printer driver error.")                                                   \
  X(122, "Deleting %s's driver,please wait...")                                            \
  X(123, "Please delete jobs in printer %s first.")

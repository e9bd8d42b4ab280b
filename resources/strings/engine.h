// Texts of the installation engine (spooler operations, install sequence, Windows 98 path).
#pragma once

#define ENGINE_STRINGS(X)                                                             \
  X(IDS_NO_SYSTEM_DIRECTORY, 102, "Cannot get system directory")                      \
  X(IDS_PORT_PRINTER_LIMIT_REACHED, 103,                                              \
    "Maximum count of printers using the same port has been reached")                 \
  X(IDS_OUT_OF_MEMORY, 104, "Printer installer could not allocate sufficient memory") \
  X(IDS_NO_CURRENT_SYSTEM_DIRECTORY, 107, "Cannot get current system directory")      \
  X(IDS_NO_DRIVER_DIRECTORY, 108, "Cannot get printer driver directory")              \
  X(IDS_NO_PROCESSOR_DIRECTORY, 109, "Cannot get printer processor directory")        \
  X(IDS_DIRECTORY_TYPE_ERROR, 110, "Direcory type error")                             \
  X(IDS_ADD_PRINTER_ERROR, 116, "Add printer error")                                  \
  X(IDS_ADD_DRIVER_ERROR, 118, "Add printer driver error")                            \
  X(IDS_ADD_MONITOR_ERROR, 119, "Add monitor error!")                                 \
  X(IDS_COPY_DRIVER_FILES_ERROR, 122, "Copy driver files error")                      \
  X(IDS_ADD_PROCESSOR_ERROR, 123,                                                     \
    "Add printer processor error\nFatal error, try rebooting the system.")            \
  X(IDS_ENUM_PORTS_ERROR, 125, "Enum ports error")                                    \
  X(IDS_NO_WINDOWS_DIRECTORY, 126, "Cannot get windows directory")                    \
  X(IDS_INSTALLED, 131, "Successfully installed printer driver")                      \
  X(IDS_INSTALLED_REPOWER_PRINTER, 133,                                               \
    "Successfully installed printer driver\nPlease repower the printer")              \
  X(IDS_FATAL_ERROR_REBOOT, 141, "Fatal error, try rebooting the system")             \
  X(IDS_DRIVER_FILES_LOST, 142, "Lost of driver files, can't continue")

// Texts of the installation engine (spooler operations, install sequence, Windows 98 path).
#pragma once

#define ENGINE_STRINGS(X)                                                                \
  X(102, "Cannot get system directory")                                                  \
  X(103, "Maximum count of printers using the same port has been reached")               \
  X(104, "Printer installer could not allocate sufficient memory")                       \
  X(107, "Cannot get current system directory")                                          \
  X(108, "Cannot get printer driver directory")                                          \
  X(109, "Cannot get printer processor directory")                                       \
  X(110, "Direcory type error")                                                          \
  X(116, "Add printer error")                                                            \
  X(118, "Add printer driver error")                                                     \
  X(119, "Add monitor error!")                                                           \
  X(122, "Copy driver files error")                                                      \
  X(123, "Add printer processor error\nFatal error, try rebooting the system.")          \
  X(125, "Enum ports error")                                                             \
  X(126, "Cannot get windows directory")                                                 \
  X(131, "Successfully installed printer driver")                                        \
  X(133, "Successfully installed printer driver\nPlease repower the printer")            \
  X(141, "Fatal error, try rebooting the system")                                        \
  X(142, "Lost of driver files, can't continue")

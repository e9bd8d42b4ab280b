// Texts of setup's wizard: frame, pages and port page.
#pragma once

#define WIZARD_STRINGS(X)                                                                       \
  X(101, "&About Printer Driver Setup...")                                                      \
  X(115,                                                                                        \
    "This driver doesn't work on this system.\nPlease click \"Cancel\" button to cancel this "  \
    "program.")                                                                                 \
  X(134, "Tick to print through the raster graphic (GDI) driver")                               \
  X(135, "Install default printer driver")                                                      \
  X(136, "Support multi-USB printer")                                                           \
  X(137, "Support driver mode selection")                                                       \
  X(145, "This printer not support WINDOWS SEVER 2003")                                         \
  X(146, "Can't load file Left.bmp!")                                                           \
  X(147, "Can't load file License.txt!")                                                        \
  X(148,                                                                                        \
    "1:Please connect USB cable to printer and power on it\n2:Please cancel USB device driver " \
    "pop-up installation\n3:Please press the \"Install(I)\" button to continue")                \
  X(149, "This printer not support Windows Vista")

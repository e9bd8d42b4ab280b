// Texts of setup's wizard: frame, pages and port page.
#pragma once

#define WIZARD_STRINGS(X)                                                                       \
  X(IDS_ABOUT_SETUP, 101, "&About Printer Driver Setup...")                                     \
  X(IDS_UNSUPPORTED_SYSTEM, 115,                                                                \
    "This driver doesn't work on this system.\nPlease click \"Cancel\" button to cancel this "  \
    "program.")                                                                                 \
  X(IDS_RASTER_PRINTING_TIP, 134, "Tick to print through the raster graphic (GDI) driver")      \
  X(IDS_INSTALL_DEFAULT_DRIVER, 135, "Install default printer driver")                          \
  X(IDS_SUPPORT_MULTI_USB, 136, "Support multi-USB printer")                                    \
  X(IDS_SUPPORT_DRIVER_MODE, 137, "Support driver mode selection")                              \
  X(IDS_NO_SERVER_2003_SUPPORT, 145, "This printer not support WINDOWS SEVER 2003")             \
  X(IDS_CANNOT_LOAD_LEFT_BMP, 146, "Can't load file Left.bmp!")                                 \
  X(IDS_CANNOT_LOAD_LICENSE_TXT, 147, "Can't load file License.txt!")                           \
  X(IDS_USB_INSTALL_STEPS, 148,                                                                 \
    "1:Please connect USB cable to printer and power on it\n2:Please cancel USB device driver " \
    "pop-up installation\n3:Please press the \"Install(I)\" button to continue")                \
  X(IDS_NO_VISTA_SUPPORT, 149, "This printer not support Windows Vista")                       \
  X(IDS_NO_WIN7_SUPPORT, 150, "This printer does not support Windows 7 or later")               \
  X(IDS_NO_X64_SUPPORT, 151, "This printer does not support 64-bit Windows")

// Texts of the USB device identity and the USB device driver.
#pragma once

#define USB_STRINGS(X) X(IDS_CONNECT_ONE_USB_PRINTER, 144, "Connect just one USB printer to host")

// Texts of the USB device identity and the USB device driver.
#pragma once

#define USB_STRINGS(X) X(144, "Connect just one USB printer to host")

// Stores a printer's serial settings where the system keeps the settings of its COM ports,
// so the port opens with the printer's baud rate, framing and handshake. Fire-and-forget:
// nothing is reported and nothing fails the installation.
#pragma once

#include "ports/PortSettings.h"

#include <windows.h>

#include <cstddef>

// "9600,n,8,1,x"; stop bits 1.5 keep their decimal.
void FormatSerialSettings(const SerialSettings& serial, char* text, size_t capacity);
// The 28-byte device control block of Windows 98/Me for these settings.
void BuildSerialDcb(const SerialSettings& serial, DCB* dcb);

// portNumber 1 or 2 selects the first or second serial class key; portText is "COMn:".
void RegisterSerialPortWin98(int portNumber, const char* portText, const SerialSettings& serial);
void RegisterSerialPortNt(const char* portText, const SerialSettings& serial);

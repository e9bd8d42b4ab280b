#include "ports/SerialRegistration.h"

#include "common/BoundedText.h"
#include "common/RegKey.h"

#include <cstring>

void FormatSerialSettings(const SerialSettings& serial, char* text, size_t capacity) {
  const char* format = serial.stopBits == 1.5 ? "%d,%c,%d,%.1f,%c" : "%d,%c,%d,%.0f,%c";
  FormatText(text, capacity, format, serial.baudRate, serial.parity, serial.dataBits,
             serial.stopBits, serial.flowControl);
}

void BuildSerialDcb(const SerialSettings& serial, DCB* dcb) {
  memset(dcb, 0, sizeof *dcb);
  dcb->DCBlength = sizeof *dcb;
  dcb->BaudRate = static_cast<DWORD>(serial.baudRate);
  dcb->ByteSize = static_cast<BYTE>(serial.dataBits);
  if (serial.stopBits == 1.5)
    dcb->StopBits = ONE5STOPBITS;
  else if (serial.stopBits == 2.0)
    dcb->StopBits = TWOSTOPBITS;
  else
    dcb->StopBits = ONESTOPBIT;
  dcb->fBinary = 1;
  if (serial.flowControl == 'p') {
    dcb->fOutxCtsFlow = 1;
    dcb->fRtsControl = RTS_CONTROL_ENABLE;
  } else if (serial.flowControl == 'x') {
    dcb->fOutX = 1;
    dcb->fInX = 1;
    dcb->XonChar = 0x11;
    dcb->XoffChar = 0x13;
  }
  BYTE parity = NOPARITY;
  switch (serial.parity) {
    case 'e':
      parity = EVENPARITY;
      break;
    case 'o':
      parity = ODDPARITY;
      break;
    case 'm':
      parity = MARKPARITY;
      break;
    case 's':
      parity = SPACEPARITY;
      break;
    case 'n':
      dcb->fParity = 0;
      dcb->fErrorChar = 0;
      return;
    default:
      return;
  }
  dcb->Parity = parity;
  dcb->fParity = 1;
  dcb->fErrorChar = 1;
}

void RegisterSerialPortWin98(int portNumber, const char* portText, const SerialSettings& serial) {
  DCB dcb;
  BuildSerialDcb(serial, &dcb);
  // The class keys of all ports, serial and parallel alike; "PortSubClass" 1 marks a COM port.
  // Only COM1 and COM2 are mapped to class keys.
  int serialKeysSeen = 0;
  for (int i = 0; i < 4 && (portNumber == 1 || portNumber == 2); ++i) {
    char path[64];
    FormatText(path, sizeof path, "System\\CurrentControlSet\\Services\\Class\\Ports\\000%d", i);
    RegKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, path)) continue;
    BYTE subClass[3] = {0, 0, 0};
    if (!key.QueryValue("PortSubClass", subClass, sizeof subClass) || subClass[0] != 1) continue;
    ++serialKeysSeen;
    if (serialKeysSeen == portNumber) {
      key.SetValue("DCB", &dcb, REG_NONE, sizeof dcb);
      break;
    }
  }
  char settings[64];
  FormatSerialSettings(serial, settings, sizeof settings);
  WriteProfileStringA("Ports", portText, settings);
  SendNotifyMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("Ports"));
  WriteProfileStringA(nullptr, nullptr, nullptr);
}

void RegisterSerialPortNt(const char* portText, const SerialSettings& serial) {
  char settings[64];
  FormatSerialSettings(serial, settings, sizeof settings);
  // Only a system that has the key keeps COM settings there; it is never created.
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports"))
    key.SetString(portText, settings);
}

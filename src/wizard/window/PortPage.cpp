#include "common/BoundedText.h"
#include "common/FileVersion.h"
#include "engine/SetupText.h"
#include "package/PackageLayout.h"
#include "ports/UsbPrinterId.h"
#include "wizard/window/WizardPages.h"

#include "../../../resources/SetupIds.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

int lastSetupType = 1;

namespace {
const int kSerialIds[5] = {IDC_BAUD_RATE, IDC_BYTE_SIZE, IDC_PARITY, IDC_STOP_BITS, IDC_PROTOCOL};
const int kBaudRates[10] = {110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const int kFallbackBaudIndex = 7;  // 38400

int ReadPortNumber(int module, const char* model, const char* key) {
  char root[kPathCapacity];
  GetPackageRoot(root, sizeof root);
  char file[kPathCapacity];
  CopyText(file, root);
  if (const char* name = ModuleIniName(module)) AppendText(file, name);
  char section[220];
  FormatText(section, sizeof section, "%s.PORT", model);
  char value[200] = {};
  GetPrivateProfileStringA(section, key, "0", value, sizeof value, file);
  return atoi(value);
}

// "1", "1.5", "2": whole part and tenths, all the stop-bit texts need.
double DecimalFraction(const char* text) {
  double value = atoi(text);
  if (const char* point = strchr(text, '.'))
    if (point[1] >= '0' && point[1] <= '9') value += (point[1] - '0') / 10.0;
  return value;
}

int FindEntryContaining(const ui::ComboBox& list, const char* first, const char* second) {
  char text[CPortPage::kPortTextCapacity];
  for (int i = 0; i < list.GetCount(); ++i) {
    list.GetItemText(i, text, sizeof text);
    if (strstr(text, first) && (!second || strstr(text, second))) return i;
  }
  return -1;
}
}  // namespace

bool CPortPage::OnInitDialog() {
  ports_.Bind(hwnd_, IDC_PORTS);
  for (int i = 0; i < 5; ++i) serial_[i].Bind(hwnd_, kSerialIds[i]);
  serial_[1].SetCurSel(3);  // 8 data bits
  serial_[2].SetCurSel(2);  // no parity
  serial_[3].SetCurSel(0);  // 1 stop bit
  serial_[4].SetCurSel(2);  // hardware flow control
  CopyText(lastModel, "PRINTER");
  setupType = 1;
  lastSetupType = 1;

  usbHint_.Attach(hwnd_, IDC_USB_HINT);
  usbHint_.SetForeColor(0x00FF0000).SetBackColor(0x00FDCAFF).SetFontSize(14).SetFontName("Arial");

  // The tooltip watches its tool itself, as the page has no message loop of its own to
  // relay from.
  tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (tooltip_) {
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(IDC_RASTER_PRINTING));
    tool.lpszText = const_cast<char*>(SetupText(134));
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 200);
    SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
  }
  return true;
}

void CPortPage::OnDestroy() {
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
}

void CPortPage::SetConfiguredBaudRate(int value) {
  int index = kFallbackBaudIndex;
  for (int i = 0; i < 10; ++i)
    if (kBaudRates[i] == value && i != kFallbackBaudIndex) index = i;
  serial_[0].SetCurSel(index);
  baudRate = value;
}

void CPortPage::FillPortList(const char* model, int targetOs, int module) {
  Compose(model, targetOs, module, false);
}

void CPortPage::FillPortListMultiUsb(const char* model, int targetOs, int module) {
  Compose(model, targetOs, module, true);
}

void CPortPage::Compose(const char* model, int targetOs, int module, bool multiUsb) {
  if (strcmp(model, lastModel) == 0 && setupType == lastSetupType) return;
  lastSetupType = setupType;
  CopyText(lastModel, model);
  targetOs_ = targetOs;

  ports_.ResetContent();
  if (targetOs != 0) {
    const char* names[] = {"AQCOM1:", "AQCOM2:", "AQCOM3:", "AQCOM4:", "AQCOM5:", "AQCOM6:",
                           "AQCOM7:", "AQCOM8:", "LPT1:",   "LPT2:",   "LPT3:"};
    for (const char* name : names) ports_.AddString(name);
  } else {
    ports_.AddString("COM1:");
    ports_.AddString("COM2:");
    ports_.AddString("LPT1:");
  }
  int usbSupported = ReadPortNumber(module, model, "USBSUPPORTED");
  int lptDefault = ReadPortNumber(module, model, "LPTDEFAULT");
  int device = GetUsbPrinterId();

  bool usbChosen = false;
  if (usbSupported != 0) {
    if (targetOs != 1) {
      for (int n = 1; n <= (multiUsb ? 4 : 1); ++n) {
        char name[300];
        // A name that does not fit the port text would be installed cut: it is not offered.
        if (FormatText(name, sizeof name, "USB_%s_%d", model, n) &&
            strlen(name) < kPortTextCapacity)
          ports_.AddString(name);
      }
    }
    if (device != -1) {
      int p = device % 8 + 1;
      if (!multiUsb) {
        ports_.SetCurSel(FindEntryContaining(ports_, "USB", nullptr));
      } else {
        if (p > 4) ports_.SetCurSel(0);
        char suffix[16];
        FormatText(suffix, sizeof suffix, "_%d", p);
        int found = FindEntryContaining(ports_, "USB", suffix);
        if (found >= 0) ports_.SetCurSel(found);
      }
      EnableSerialBoxes(false);
      usbChosen = true;
    }
  }
  // No USB entry to select (NT 4.0, or a device number that names none): the parallel
  // default applies, so that a port is always chosen.
  if (!usbChosen || ports_.GetCurSel() < 0)
    ports_.SetCurSel(lptDefault == 0 ? 0 : FindEntryContaining(ports_, "LPT", nullptr));

  ports_.GetItemText(ports_.GetCurSel(), portText, sizeof portText);
  if (strstr(portText, "USB")) {
    if (targetOs != 0 && targetOs != 1) ApplyUsbDriverCheck();
    EnableWindow(Item(IDC_RASTER_PRINTING), TRUE);
    driverMode = 1;
  } else if (strstr(portText, "LPT")) {
    ShowWindow(Item(IDC_USB_HINT), SW_HIDE);
    EnableWindow(Item(IDC_RASTER_PRINTING), TRUE);
    driverMode = 1;
    EnableSerialBoxes(false);
  } else {
    EnableSerialBoxes(true);
    ShowWindow(Item(IDC_USB_HINT), SW_HIDE);
    EnableWindow(Item(IDC_RASTER_PRINTING), FALSE);
    driverMode = 0;
  }
  ShowWindow(Item(IDC_RASTER_PRINTING), multiUsb ? SW_SHOW : SW_HIDE);
  WriteDriverMode();
}

void CPortPage::ApplyUsbDriverCheck() {
  char path[MAX_PATH] = {};
  GetWindowsDirectoryA(path, sizeof path);
  AppendText(path, "\\system32\\drivers\\bulkusb.sys");
  if (GetFileVersionText(path) == "0.0.0.0") {
    usbHint_.SetText(SetupText(148));
    ShowWindow(Item(IDC_USB_HINT), SW_SHOW);
  } else {
    ShowWindow(Item(IDC_USB_HINT), SW_HIDE);
  }
}

void CPortPage::EnableSerialBoxes(bool enable) {
  for (auto& box : serial_) box.Enable(enable);
}

void CPortPage::WriteDriverMode() {
  CheckDlgButton(hwnd_, IDC_RASTER_PRINTING, driverMode ? BST_CHECKED : BST_UNCHECKED);
}

void CPortPage::OnPortSelected() {
  ports_.GetItemText(ports_.GetCurSel(), portText, sizeof portText);
  if (strstr(portText, "COM")) {
    EnableSerialBoxes(true);
    EnableWindow(Item(IDC_RASTER_PRINTING), FALSE);
    ShowWindow(Item(IDC_USB_HINT), SW_HIDE);
    driverMode = 0;
  } else {
    EnableSerialBoxes(false);
    EnableWindow(Item(IDC_RASTER_PRINTING), TRUE);
    driverMode = 1;
    if (strstr(portText, "USB")) {
      if (targetOs_ != 0 && targetOs_ != 1) ApplyUsbDriverCheck();
    } else {
      ShowWindow(Item(IDC_USB_HINT), SW_HIDE);
    }
  }
  WriteDriverMode();
}

void CPortPage::OnSerialSelected(int id) {
  int index = 0;
  while (index < 5 && kSerialIds[index] != id) ++index;
  char text[32];
  serial_[index].GetItemText(serial_[index].GetCurSel(), text, sizeof text);
  switch (id) {
    case IDC_BAUD_RATE:
      baudRate = atoi(text);
      break;
    case IDC_BYTE_SIZE:
      dataBits = atoi(text);
      break;
    case IDC_PARITY:
      if (text[0]) parity = text[0];
      break;
    case IDC_STOP_BITS:
      stopBits = DecimalFraction(text);
      break;
    case IDC_PROTOCOL:
      if (strcmp(text, "Xon/Xoff") == 0)
        flowControl = 'x';
      else if (strcmp(text, "Hardware") == 0)
        flowControl = 'p';
      else if (strcmp(text, "None") == 0)
        flowControl = ' ';
      break;
    default:
      break;
  }
}

bool CPortPage::Save() {
  driverMode = IsDlgButtonChecked(hwnd_, IDC_RASTER_PRINTING) == BST_CHECKED ? 1 : 0;
  return true;
}

bool CPortPage::OnCommand(int id, int code, HWND control) {
  if (code == CBN_SELCHANGE) {
    if (id == IDC_PORTS) {
      OnPortSelected();
      return true;
    }
    for (int serialId : kSerialIds)
      if (id == serialId) {
        OnSerialSelected(id);
        return true;
      }
  }
  return CWizardPage::OnCommand(id, code, control);
}

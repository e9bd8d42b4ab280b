#include "engine/SetupText.h"
#include "wizard/window/WizardPages.h"

#include "SetupIds.h"

#include <commctrl.h>

namespace {
const int kSerialIds[5] = {IDC_BAUD_RATE, IDC_BYTE_SIZE, IDC_PARITY, IDC_STOP_BITS, IDC_PROTOCOL};

void ApplyState(HWND control, int enabled) {
  if (enabled != kKeep) EnableWindow(control, enabled);
}
void ApplyShown(HWND control, int shown) {
  if (shown != kKeep) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}
}  // namespace

bool CPortPage::OnInitDialog() {
  ports_.Bind(hwnd_, IDC_PORTS);
  for (int i = 0; i < 5; ++i) serial_[i].Bind(hwnd_, kSerialIds[i]);
  serial_[1].SetCurSel(3);  // 8 data bits
  serial_[2].SetCurSel(2);  // None
  serial_[3].SetCurSel(0);  // 1 stop bit
  serial_[4].SetCurSel(2);  // Hardware

  usbHint_.Attach(hwnd_, IDC_USB_HINT);
  usbHint_.SetForeColor(0x00FF0000).SetBackColor(0x00FDCAFF).SetFontSize(14).SetFontName("Arial");

  // The tooltip watches its tool itself: a modal dialog loop has no pre-translation step
  // through which the page could relay the tool's mouse messages.
  tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (tooltip_) {
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(IDC_RASTER_PRINTING));
    tool.lpszText = const_cast<char*>(SetupText(IDS_RASTER_PRINTING_TIP));
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

void CPortPage::ApplyView(const PortView& view) {
  if (view.listComposed) {
    ports_.ResetContent();
    for (int i = 0; i < view.entryCount; ++i) ports_.AddString(view.entries[i]);
    int index = -1;
    if (view.selection >= 0 && view.selection < view.entryCount)
      index = static_cast<int>(
          SendMessageA(ports_.Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(view.entries[view.selection])));
    ports_.SetCurSel(index);
  }
  for (auto& box : serial_) ApplyState(box.Handle(), view.serialBoxesEnabled);
  ApplyState(Item(IDC_RASTER_PRINTING), view.driverModeBoxEnabled);
  ApplyShown(Item(IDC_RASTER_PRINTING), view.driverModeBoxShown);
  if (view.usbHintText) usbHint_.SetText(view.usbHintText);
  ApplyShown(Item(IDC_USB_HINT), view.usbHintShown);
  CheckDlgButton(hwnd_, IDC_RASTER_PRINTING,
                 view.driverMode == GdiMode ? BST_CHECKED : BST_UNCHECKED);
}

void CPortPage::OnSerialSelected(int box) {
  char text[32];
  serial_[box].GetItemText(serial_[box].GetCurSel(), text, sizeof text);
  switch (kSerialIds[box]) {
    case IDC_BAUD_RATE:
      model.OnBaudRateSelected(text);
      break;
    case IDC_BYTE_SIZE:
      model.OnByteSizeSelected(text);
      break;
    case IDC_PARITY:
      model.OnParitySelected(text);
      break;
    case IDC_STOP_BITS:
      model.OnStopBitsSelected(text);
      break;
    default:
      model.OnProtocolSelected(text);
      break;
  }
}

bool CPortPage::Save() {
  model.driverMode =
      IsDlgButtonChecked(hwnd_, IDC_RASTER_PRINTING) == BST_CHECKED ? GdiMode : StdMode;
  return true;
}

bool CPortPage::OnCommand(int id, int code, HWND control) {
  if (code == CBN_SELCHANGE) {
    if (id == IDC_PORTS) {
      char text[kPortTextCapacity];
      ports_.GetItemText(ports_.GetCurSel(), text, sizeof text);
      ApplyView(model.OnPortSelected(text));
      return true;
    }
    for (int box = 0; box < 5; ++box)
      if (id == kSerialIds[box]) {
        OnSerialSelected(box);
        return true;
      }
  }
  return CWizardPage::OnCommand(id, code, control);
}

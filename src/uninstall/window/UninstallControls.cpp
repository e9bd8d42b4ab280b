#include "uninstall/window/UninstallControls.h"

#include "UninstallIds.h"
#include "ui/Dialog.h"

#include <commctrl.h>

#include <initializer_list>

namespace {
// State images of a list view with check boxes: 1 unticked, 2 ticked.
const UINT kCheckedImage = 2;
}  // namespace

void UninstallControls::Bind(HWND dialog) {
  dialog_ = dialog;
  list_ = GetDlgItem(dialog, IDC_INVENTORY);
  status_ = GetDlgItem(dialog, IDC_STATUS_LIST);
  usb_ = GetDlgItem(dialog, IDC_USB_DRIVER);
}

int UninstallControls::ItemCount() {
  return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}

void UninstallControls::AppendItem(const char* text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = ItemCount();
  item.pszText = const_cast<char*>(text);
  SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void UninstallControls::GetItemText(int index, char* text, size_t capacity) {
  if (capacity == 0) return;
  text[0] = '\0';
  if (index < 0 || index >= ItemCount()) return;
  LVITEMA item = {};
  item.iSubItem = 0;
  item.pszText = text;
  item.cchTextMax = static_cast<int>(capacity);
  SendMessageA(list_, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
  text[capacity - 1] = '\0';
}

bool UninstallControls::IsItemChecked(int index) {
  UINT state = static_cast<UINT>(SendMessageA(list_, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK));
  return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(kCheckedImage);
}

void UninstallControls::DeleteItem(int index) { SendMessageA(list_, LVM_DELETEITEM, index, 0); }

void UninstallControls::AppendStatus(const char* text) {
  SendMessageA(status_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  LRESULT count = SendMessageA(status_, LB_GETCOUNT, 0, 0);
  SendMessageA(status_, LB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
}

bool UninstallControls::IsUsbRemovalChecked() {
  return SendMessageA(usb_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void UninstallControls::SetBusy(bool busy) {
  if (busy) {
    for (int id : {IDC_UNINSTALL, IDC_INVENTORY, IDC_SELECT_ALL, IDC_EXIT, IDC_USB_DRIVER})
      EnableWindow(GetDlgItem(dialog_, id), FALSE);
    return;
  }
  // An empty list stays disabled.
  if (ItemCount() > 0) EnableWindow(list_, TRUE);
  for (int id : {IDC_UNINSTALL, IDC_SELECT_ALL, IDC_EXIT})
    EnableWindow(GetDlgItem(dialog_, id), TRUE);
}

void UninstallControls::SetUsbRemovalAvailable(bool available) {
  EnableWindow(usb_, available ? TRUE : FALSE);
}

bool UninstallControls::AskRestart() {
  ui::Dialog prompt;
  return prompt.DoModal(GetModuleHandleA(nullptr), IDD_RESTART, dialog_) == IDOK;
}

void UninstallControls::CheckAll() {
  LVITEMA item = {};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(kCheckedImage);
  int count = ItemCount();
  for (int index = 0; index < count; ++index)
    SendMessageA(list_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

#include "uninstall/window/UninstallDialog.h"

#include "UninstallIds.h"
#include "common/ProgramTitles.h"
#include "ui/MinimisedIcon.h"
#include "uninstall/RemovalEngine.h"
#include "uninstall/UninstallStartup.h"
#include "uninstall/UninstallState.h"
#include "uninstall/UninstallText.h"

#include <commctrl.h>

UninstallDialog::UninstallDialog() {
  icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_UNINSTALL));
}

UninstallDialog::~UninstallDialog() {
  if (hwnd_ && !IsModal()) DestroyWindow(hwnd_);
}

INT_PTR UninstallDialog::DoModal(HWND owner) {
  return Dialog::DoModal(GetModuleHandleA(nullptr), IDD_UNINSTALL, owner);
}

bool UninstallDialog::CreateModeless() {
  return Dialog::Create(GetModuleHandleA(nullptr), IDD_UNINSTALL, nullptr);
}

bool UninstallDialog::OnInitDialog() {
  controls_.Bind(hwnd_);
  HMENU systemMenu = GetSystemMenu(hwnd_, FALSE);
  const char* about = UninstallText(IDS_ABOUT_UNINSTALL);
  if (systemMenu && about[0]) {
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_ABOUT, about);
  }
  SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  SendDlgItemMessageA(
      hwnd_, IDC_INVENTORY, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
      LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT | LVS_EX_FULLROWSELECT);
  if (!PrepareUninstall(settings_, controls_, hwnd_)) {
    OnCancel();
    return false;
  }
  SetDlgItemTextA(hwnd_, IDC_INSTRUCTIONS, UninstallText(IDS_SELECT_MULTIPLE_PRINTERS));
  // Without the library the window stays: drivers are then removed the plain way.
  LoadDriverRemovalEntry(settings_, hwnd_);
  return true;
}

bool UninstallDialog::OnCommand(int id, int code, HWND control) {
  if (id == IDC_UNINSTALL && code == BN_CLICKED) {
    OnUninstall(removal_);
    return true;
  }
  if (id == IDC_SELECT_ALL && code == BN_CLICKED) {
    controls_.CheckAll();
    return true;
  }
  return Dialog::OnCommand(id, code, control);
}

void UninstallDialog::OnCancel() {
  // The title bar's Close still reaches here while a run holds Exit disabled: the worker
  // works on this window's controls until its last act, so the window waits for it.
  if (!IsWindowEnabled(Item(IDC_EXIT))) return;
  EndDialog(IDCANCEL);
}

bool UninstallDialog::OnPaint() { return ui::PaintMinimisedIcon(hwnd_, icon_); }

bool UninstallDialog::OnSysCommand(WPARAM command, LPARAM) {
  if ((command & 0xFFF0) != IDM_ABOUT) return false;
  ui::Dialog about;
  about.DoModal(GetModuleHandleA(nullptr), IDD_ABOUT, hwnd_);
  return true;
}

bool UninstallDialog::OnHelp() {
  // Another uninstaller's window is brought up instead.
  HWND other = FindWindowExA(nullptr, nullptr, nullptr, kUninstallTitle);
  while (other == hwnd_) other = FindWindowExA(nullptr, other, nullptr, kUninstallTitle);
  if (other) {
    BringWindowToTop(other);
    if (IsIconic(other)) OpenIcon(other);
  } else {
    OpenUninstallHelp();
  }
  return true;
}

void UninstallDialog::OnDestroy() { UnloadDriverRemovalEntry(settings_); }

#include "wizard/window/WizardFrame.h"

#include "common/AppMessage.h"
#include "common/BoundedText.h"
#include "common/SystemProbes.h"
#include "engine/SetupText.h"
#include "package/PackageLayout.h"
#include "wizard/window/AboutDlg.h"
#include "wizard/window/InstallHook.h"

#include "../../../resources/SetupIds.h"

#include <shellapi.h>

#include <cstdlib>
#include <cstring>

HBITMAP sidePicture = nullptr;
int reloadBaudRate = 1;
char portSection[220] = {};
char moduleIniFile[220] = {};

namespace {
const int kLastPage = 4;

int ReadSectionNumber(const char* key) {
  char value[200] = {};
  GetPrivateProfileStringA(portSection, key, "0", value, sizeof value, moduleIniFile);
  return atoi(value);
}
}  // namespace

CWizardFrame::CWizardFrame(WizardPageSet& pageSet) : pages(pageSet) {
  ClearSelection(&selection);
  icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP));
}

CWizardFrame::~CWizardFrame() {
  if (modeless_ && hwnd_) DestroyWindow(hwnd_);
}

void CWizardFrame::AddPage(const char* caption, CWizardPage* page, UINT templateId) {
  if (pageCount_ >= kMaxPages) return;
  page->SetFrame(this);
  pageObjects_[pageCount_] = page;
  captions_[pageCount_] = caption;
  templates_[pageCount_] = templateId;
  ++pageCount_;
}

void CWizardFrame::AddStandardPages() {
  // The captions are kept with the pages; the frame shows none of them.
  AddPage("\xE9\x98\x85\xE8\xAF\xBB\xE7\x89\x88\xE6\x9D\x83\xE5\xA3\xB0\xE6\x98\x8E",
          &pages.license, CLicensePage::kTemplate);
  AddPage("STEP 2\tSelect Install Module", &pages.module, CModulePage::kTemplate);
  AddPage("\xE9\x80\x89\xE6\x8B\xA9\xE5\xAE\x89\xE8\xA3\x85\xE6\xA8\xA1\xE5\xBC\x8F",
          &pages.setupType, CSetupTypePage::kTemplate);
  AddPage("STEP 1\tSelect Install OS", &pages.os, COsPage::kTemplate);
  AddPage("STEP 3\tSet Printer Port and Confirm Setup", &pages.port, CPortPage::kTemplate);
}

INT_PTR CWizardFrame::DoModal(HWND owner) {
  modeless_ = false;
  return Dialog::DoModal(GetModuleHandleA(nullptr), kTemplate, owner);
}

bool CWizardFrame::CreateModeless() {
  modeless_ = true;
  return Dialog::Create(GetModuleHandleA(nullptr), kTemplate, nullptr);
}

bool CWizardFrame::OnInitDialog() {
  sidePanel_.Bind(hwnd_, IDC_SIDE_PICTURE);
  pageArea_.Bind(hwnd_, IDC_PAGE_AREA);

  HMENU systemMenu = GetSystemMenu(hwnd_, FALSE);
  const char* about = SetupText(101);
  if (systemMenu && about[0]) {
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_ABOUT, about);
  }
  SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

  if (pageCount_ > 0) {
    RECT area;
    GetWindowRect(pageArea_.Handle(), &area);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&area), 2);
    for (int i = 0; i < pageCount_; ++i) {
      pageObjects_[i]->Create(GetModuleHandleA(nullptr), templates_[i], hwnd_);
      SetWindowPos(pageObjects_[i]->Handle(), nullptr, area.left, area.top, area.right - area.left,
                   area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetActivePage(0);
  }
  SetDlgItemTextA(hwnd_, IDC_BACK, "<<Back (&B)");
  SetDlgItemTextA(hwnd_, IDOK, pageCount_ >= 2 ? "Next (&N)>>" : "Install (&I)");
  SetDlgItemTextA(hwnd_, IDCANCEL, "Cancel (&C)");

  if (!sidePicture)
    sidePicture = static_cast<HBITMAP>(
        LoadImageA(nullptr, "DRVCONFIG\\Left.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!sidePicture) {
    ShowAppMessage(hwnd_, SetupText(146), MB_OK);
    OnCancel();
    return false;
  }
  int os = GetTargetOs();
  if (os >= 2 && os <= 5 && !IsAdministrator()) {
    ShowAppMessage(hwnd_, "You must be logged on the computer as an administrator!", MB_OK);
    OnCancel();
    return false;
  }
  return true;
}

void CWizardFrame::LeaveModulePage() {
  CModulePage& module = pages.module;
  selection.module = module.moduleIndex;
  char root[kPathCapacity];
  GetPackageRoot(root, sizeof root);
  CopyText(moduleIniFile, root);
  if (const char* name = ModuleIniName(module.moduleIndex)) AppendText(moduleIniFile, name);
  FormatText(portSection, sizeof portSection, "%s.PORT", module.modelName);
  if (ReadSectionNumber("AdvancedSetup") != 0) {
    pages.setupType.EnableAdvanced(true);
  } else {
    pages.setupType.ForceTypical();
  }
}

// False when the chosen system is one the model does not support.
bool CWizardFrame::LeaveOsPage(int) {
  int supports2003 = ReadSectionNumber("System2003Supported");
  int supportsVista = ReadSectionNumber("SystemVistaSupported");
  if (reloadBaudRate) {
    pages.port.SetConfiguredBaudRate(ReadSectionNumber("BaudRate"));
    reloadBaudRate = 0;
  }
  int os = pages.os.osIndex;
  if (os == 4 && supports2003 == 0) {
    ShowAppMessage(hwnd_, SetupText(145), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (os == 5 && supportsVista == 0) {
    ShowAppMessage(hwnd_, SetupText(149), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

bool CWizardFrame::SetActivePage(int index) {
  int cur = currentPage;
  if (cur >= 0 && cur < pageCount_) {
    if (!pageObjects_[cur]->Save()) return false;
    pageObjects_[cur]->ShowPage(false);
  }
  if (index < 0 || index >= pageCount_) return false;
  if (cur == 2 && index < 2) reloadBaudRate = 1;
  if (cur == 0) EnableWindow(Item(IDOK), index == 1 && pages.module.hasModels);
  if (index > cur) {
    if (cur == 1) LeaveModulePage();
    if (cur == 3 && !LeaveOsPage(index)) {
      currentPage = index - 1;
      pageObjects_[currentPage]->ShowPage(true);
      return false;
    }
  }
  currentPage = index;
  pageObjects_[index]->ShowPage(true);
  return true;
}

void CWizardFrame::ArriveAtLastPage() {
  CModulePage& module = pages.module;
  selection.module = module.moduleIndex;
  CopyText(selection.modelName, module.modelName);
  selection.setAsDefault = module.setAsDefault;
  ResolveIniPaths(selection.module, selection.setupIniPath, selection.moduleIniPath);
  typicalSetup = pages.setupType.typical;
  selection.targetOs = pages.os.osIndex;
  pages.port.setupType = typicalSetup;
  if (typicalSetup == 1)
    pages.port.FillPortList(selection.modelName, selection.targetOs, selection.module);
  else
    pages.port.FillPortListMultiUsb(selection.modelName, selection.targetOs, selection.module);
  SetDlgItemTextA(hwnd_, IDOK, "Install (&I)");
}

void CWizardFrame::OnOK() {
  selection.installFlags = 0;
  if (currentPage < pageCount_ - 1) {
    SetActivePage(currentPage + 1);
    if (currentPage == pageCount_ - 1) ArriveAtLastPage();
    EnableWindow(Item(IDC_BACK), TRUE);
    SetFocus(Item(IDOK));
    return;
  }
  OnInstall();
}

void CWizardFrame::OnInstall() {
  for (int i = 0; i < pageCount_; ++i) pageObjects_[i]->Save();
  RunInstall(*this);
}

void CWizardFrame::OnBack() {
  if (currentPage > 0) {
    if (currentPage <= pageCount_ - 1) SetDlgItemTextA(hwnd_, IDOK, "Next (&N)>>");
    SetActivePage(currentPage - 1);
  }
  if (currentPage <= 0) {
    EnableWindow(Item(IDC_BACK), FALSE);
    SetFocus(Item(IDOK));
  }
  EnableWindow(Item(IDOK), TRUE);
}

void CWizardFrame::OnCancel() {
  if (modeless_)
    ShowWindow(hwnd_, SW_HIDE);
  else
    EndDialog(IDCANCEL);
}

bool CWizardFrame::OnCommand(int id, int code, HWND control) {
  if (id == IDC_BACK && code == BN_CLICKED) {
    OnBack();
    return true;
  }
  return Dialog::OnCommand(id, code, control);
}

void CWizardFrame::ClosePages() {
  for (int i = 0; i < pageCount_; ++i) pageObjects_[i]->Destroy();
}

void CWizardFrame::OnDestroy() {
  ClosePages();
  pageCount_ = 0;
}

bool CWizardFrame::OnSysCommand(WPARAM command, LPARAM) {
  if ((command & 0xFFF0) != IDM_ABOUT) return false;
  CAboutDlg about;
  about.DoModal(GetModuleHandleA(nullptr), CAboutDlg::kTemplate, hwnd_);
  return true;
}

bool CWizardFrame::OnHelp() {
  if (HWND help = FindWindowA(nullptr, "Printer Driver Installer")) {
    BringWindowToTop(help);
    if (IsIconic(help)) OpenIcon(help);
  } else {
    ShellExecuteA(nullptr, "open", ".\\Guide.CHM", nullptr, nullptr, SW_SHOW);
  }
  return true;
}

bool CWizardFrame::OnPaint() {
  if (IsIconic(hwnd_)) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    SendMessageA(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(hwnd_, &client);
    int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(hwnd_, &paint);
    return true;
  }
  ValidateRect(hwnd_, nullptr);
  if (!sidePicture) return false;
  HWND panel = sidePanel_.Handle();
  HDC panelDc = GetDC(panel);
  HDC memory = CreateCompatibleDC(panelDc);
  HGDIOBJ previous = SelectObject(memory, sidePicture);
  BITMAP bitmap = {};
  GetObjectA(sidePicture, sizeof bitmap, &bitmap);
  RECT target;
  GetClientRect(panel, &target);
  SetStretchBltMode(panelDc, COLORONCOLOR);
  StretchBlt(panelDc, 0, 0, target.right, target.bottom, memory, 0, 0, bitmap.bmWidth,
             bitmap.bmHeight, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(panel, panelDc);
  return false;
}

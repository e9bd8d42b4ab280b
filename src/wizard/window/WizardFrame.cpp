#include "wizard/window/WizardFrame.h"

#include "common/AppMessage.h"
#include "common/BoundedText.h"
#include "common/SystemProbes.h"
#include "engine/InstallCommand.h"
#include "engine/SetupText.h"
#include "package/PackageLayout.h"
#include "ui/MinimisedIcon.h"
#include "wizard/SetupStartup.h"
#include "wizard/WizardTexts.h"
#include "wizard/window/AboutDlg.h"
#include "wizard/window/InstallHook.h"

#include "SetupIds.h"

#include <shellapi.h>

#include <cstdlib>
#include <cstring>

CWizardFrame::CWizardFrame(WizardPageSet& pageSet) : pages(pageSet) {
  ClearSelection(&selection);
  icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP));
}

CWizardFrame::~CWizardFrame() {
  if (hwnd_ && !IsModal()) DestroyWindow(hwnd_);
  if (sidePicture_) DeleteObject(sidePicture_);
}

void CWizardFrame::AddPage(CWizardPage* page, UINT templateId) {
  if (pageCount_ >= kMaxPages) return;
  page->SetFrame(this);
  pageObjects_[pageCount_] = page;
  templates_[pageCount_] = templateId;
  ++pageCount_;
}

void CWizardFrame::AddStandardPages() {
  AddPage(&pages.license, CLicensePage::kTemplate);
  AddPage(&pages.module, CModulePage::kTemplate);
  AddPage(&pages.setupType, CSetupTypePage::kTemplate);
  AddPage(&pages.os, COsPage::kTemplate);
  AddPage(&pages.port, CPortPage::kTemplate);
}

INT_PTR CWizardFrame::DoModal(HWND owner) {
  return Dialog::DoModal(GetModuleHandleA(nullptr), kTemplate, owner);
}

bool CWizardFrame::CreateModeless() {
  return Dialog::Create(GetModuleHandleA(nullptr), kTemplate, nullptr);
}

bool CWizardFrame::OnInitDialog() {
  WizardModels models = {&pages.module.model, &pages.setupType.model, &pages.os.model,
                         &pages.port.model, &AskUsbPrinterId};
  flow_.reset(new WizardFlow(pageCount_, models, &selection));
  sidePanel_.Bind(hwnd_, IDC_SIDE_PICTURE);
  pageArea_.Bind(hwnd_, IDC_PAGE_AREA);

  HMENU systemMenu = GetSystemMenu(hwnd_, FALSE);
  const char* about = SetupText(IDS_ABOUT_SETUP);
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
  SetDlgItemTextA(hwnd_, IDC_BACK, kBackCaption);
  SetDlgItemTextA(hwnd_, IDOK, pageCount_ >= 2 ? kNextCaption : kInstallCaption);
  SetDlgItemTextA(hwnd_, IDCANCEL, kCancelCaption);

  if (!sidePicture_)
    sidePicture_ = static_cast<HBITMAP>(
        LoadImageA(nullptr, kSidePictureFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (const char* refusal = SetupFrameRefusal(sidePicture_ != nullptr)) {
    ShowAppMessage(hwnd_, refusal, MB_OK);
    OnCancel();
    return false;
  }
  return true;
}

bool CWizardFrame::SaveCurrentPage() {
  int cur = flow_->currentPage;
  return cur < 0 || cur >= pageCount_ || pageObjects_[cur]->Save();
}

bool CWizardFrame::SetActivePage(int index) {
  return ApplySwitch(flow_->SetActivePage(index, SaveCurrentPage()));
}

bool CWizardFrame::ApplySwitch(const PageSwitch& change) {
  if (change.hidePage >= 0 && change.hidePage < pageCount_)
    pageObjects_[change.hidePage]->ShowPage(false);
  if (change.nextEnabled != kKeep) EnableWindow(Item(IDOK), change.nextEnabled);
  if (change.setupTypeChanged) pages.setupType.Apply();
  if (change.baudRateChanged) pages.port.SelectBaudRate(change.baudRateIndex);
  if (change.messageId)
    ShowAppMessage(hwnd_, SetupText(change.messageId), MB_OK | MB_ICONEXCLAMATION);
  if (change.showPage >= 0 && change.showPage < pageCount_)
    pageObjects_[change.showPage]->ShowPage(true);
  return change.switched != 0;
}

void CWizardFrame::ApplyStep(const ButtonStep& step) {
  ApplySwitch(step.page);
  if (step.portComposed) pages.port.ApplyView(step.port);
  if (step.nextLabel) SetDlgItemTextA(hwnd_, IDOK, step.nextLabel);
  if (step.nextEnabled != kKeep) EnableWindow(Item(IDOK), step.nextEnabled);
  if (step.backEnabled != kKeep) EnableWindow(Item(IDC_BACK), step.backEnabled);
  if (step.focusNext) SetFocus(Item(IDOK));
  if (step.install) OnInstall();
}

void CWizardFrame::OnOK() { ApplyStep(flow_->OnNext(SaveCurrentPage())); }

void CWizardFrame::OnBack() { ApplyStep(flow_->OnBack(SaveCurrentPage())); }

void CWizardFrame::OnInstall() { RunInstall(*this); }

void CWizardFrame::SavePages() {
  for (int i = 0; i < pageCount_; ++i) pageObjects_[i]->Save();
}

void CWizardFrame::EndWizard() {
  ClosePages();
  if (!IsModal())
    ShowWindow(hwnd_, SW_HIDE);
  else
    EndDialog(IDOK);
}

void CWizardFrame::OnCancel() {
  if (!IsModal())
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
  if (HWND help = FindWindowA(nullptr, kHelpWindowTitle)) {
    BringWindowToTop(help);
    if (IsIconic(help)) OpenIcon(help);
  } else {
    ShellExecuteA(nullptr, "open", kHelpFile, nullptr, nullptr, SW_SHOW);
  }
  return true;
}

bool CWizardFrame::OnPaint() {
  if (ui::PaintMinimisedIcon(hwnd_, icon_)) return true;
  // BeginPaint validates the frame's own region only: ValidateRect on a frame without
  // WS_CLIPCHILDREN would validate the pages and their controls too, and they would never paint.
  PAINTSTRUCT paint;
  BeginPaint(hwnd_, &paint);
  EndPaint(hwnd_, &paint);
  if (!sidePicture_) return true;
  HWND panel = sidePanel_.Handle();
  HDC panelDc = GetDC(panel);
  HDC memory = CreateCompatibleDC(panelDc);
  HGDIOBJ previous = SelectObject(memory, sidePicture_);
  BITMAP bitmap = {};
  GetObjectA(sidePicture_, sizeof bitmap, &bitmap);
  RECT target;
  GetClientRect(panel, &target);
  SetStretchBltMode(panelDc, COLORONCOLOR);
  StretchBlt(panelDc, 0, 0, target.right, target.bottom, memory, 0, 0, bitmap.bmWidth,
             bitmap.bmHeight, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(panel, panelDc);
  return true;
}

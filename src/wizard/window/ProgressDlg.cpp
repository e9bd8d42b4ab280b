#include "wizard/window/ProgressDlg.h"

#include "SetupIds.h"

INT_PTR CProgressDlg::DoModal(HWND owner) {
  return Dialog::DoModal(GetModuleHandleA(nullptr), kTemplate, owner);
}

bool CProgressDlg::OnInitDialog() {
  bar_.Bind(hwnd_, IDC_PROGRESS_BAR);
  bar_.SetRange(0, 100);
  SetTimer(hwnd_, kTimer, 100, nullptr);
  return true;
}

bool CProgressDlg::OnTimer(UINT_PTR id) {
  if (id != kTimer || running_) return true;
  running_ = true;
  KillTimer(hwnd_, kTimer);
  RunUntilResult();
  return true;
}

void CProgressDlg::SetPosition(int n) {
  bar_.SetPos(n);
  // The loop keeps this thread from dispatching paint messages: draw the bar now.
  UpdateWindow(bar_.Handle());
}

// Runs on the user-interface thread and returns only when the window has been ended.
void CProgressDlg::RunUntilResult() {
  int n = 0;
  for (;;) {
    if (!completion.waitForResult && n == 90) break;
    int result = completion.result.load();
    if (result == InstallFailed) {
      while (n > 0) {
        Wait(10);
        SetPosition(n);
        --n;
      }
      SetPosition(0);
      Wait(100);
      break;
    }
    if (result == InstallSucceeded) {
      while (n < 100) {
        Wait(10);
        SetPosition(n);
        ++n;
      }
      Wait(100);
      break;
    }
    if (n >= 90) n = 90;
    SetPosition(n % 100);
    Wait(80);
    ++n;
  }
  EndDialog(IDOK);
}

bool CProgressDlg::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT client;
  GetClientRect(hwnd_, &client);
  HFONT font = CreateFontA(20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "System");
  HGDIOBJ previous = SelectObject(dc, font);
  RECT text = {client.left, client.top, client.right, client.bottom * 2 / 3};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 51, 153));
  DrawTextA(dc, "Installing printer,please wait...... ", -1, &text,
            DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  SelectObject(dc, previous);
  DeleteObject(font);
  EndPaint(hwnd_, &paint);
  return true;
}

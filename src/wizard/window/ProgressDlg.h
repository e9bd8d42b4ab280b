// The window shown while the install worker runs: a bar that climbs to 90 and holds there
// until the worker reports, then runs down (failure) or up (success) and closes.
#pragma once

#include "SetupIds.h"
#include "engine/InstallRecord.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"

class CProgressDlg : public ui::Dialog {
 public:
  static const UINT kTemplate = IDD_PROGRESS;
  static const UINT_PTR kTimer = 1;

  // The Install command's completion values: the worker writes completion.result once, at
  // its end, and the window reads it from its loop.
  explicit CProgressDlg(InstallCompletion& completion) : completion(completion) {}
  InstallCompletion& completion;

  INT_PTR DoModal(HWND owner);

 protected:
  bool OnInitDialog() override;
  bool OnTimer(UINT_PTR id) override;
  bool OnPaint() override;
  void OnOK() override {}
  void OnCancel() override {}
  // Shows step n on the bar.
  virtual void SetPosition(int n);
  virtual void Wait(DWORD milliseconds) { Sleep(milliseconds); }

 private:
  void RunUntilResult();

  ui::ProgressBar bar_;
  bool running_ = false;
};

#include "wizard/window/InstallHook.h"

#include "common/BoundedText.h"
#include "engine/InstallCommand.h"
#include "wizard/window/ProgressDlg.h"
#include "wizard/window/WizardFrame.h"

namespace {

// The wizard's windows as the Install command sees them.
class FrameInstallHost : public InstallCommandHost {
 public:
  explicit FrameInstallHost(CWizardFrame& frame) : frame_(frame) {}

  HWND Window() override { return frame_.Handle(); }
  void RefreshPages() override { frame_.SavePages(); }
  void ReadPortPage(PortPageValues& values) override {
    const PortPageModel& port = frame_.pages.port.model;
    CopyText(values.portName, port.portText);
    values.driverMode = port.driverMode;
    values.serial = port.serial;
  }
  void MinimizeTopMost() override {
    ShowWindow(frame_.Handle(), SW_MINIMIZE);
    SetWindowPos(frame_.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
  void RunProgress(InstallCompletion& completion) override {
    CProgressDlg progress(completion);
    progress.DoModal(frame_.Handle());
  }
  void EndWizard() override { frame_.EndWizard(); }

 private:
  CWizardFrame& frame_;
};

}  // namespace

void RunInstall(CWizardFrame& frame) {
  FrameInstallHost host(frame);
  InstallCommand(frame.selection, frame.work, host);
}

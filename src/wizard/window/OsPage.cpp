#include "common/AppMessage.h"
#include "engine/SetupText.h"
#include "wizard/window/WizardFrame.h"
#include "wizard/window/WizardPages.h"

bool COsPage::OnInitDialog() {
  model.Init();
  const OsPageView& view = model.view;
  if (view.checkedRadio)
    CheckRadioButton(hwnd_, kOsRadios[Win98Me], view.checkRangeLast, view.checkedRadio);
  if (view.messageId)
    ShowAppMessage(frame_ ? frame_->Handle() : hwnd_, SetupText(view.messageId),
                   MB_OK | MB_ICONEXCLAMATION);
  for (TargetOs os : kTargetOses) EnableWindow(Item(kOsRadios[os]), view.enabled[os]);
  return true;
}

#include "common/AppMessage.h"
#include "engine/SetupText.h"
#include "wizard/window/WizardFrame.h"
#include "wizard/window/WizardPages.h"

bool COsPage::OnInitDialog() {
  model.Init();
  const OsPageView& view = model.view;
  if (view.checkedRadio)
    CheckRadioButton(hwnd_, kOsRadios[0], view.checkRangeLast, view.checkedRadio);
  if (view.messageId)
    ShowAppMessage(frame_ ? frame_->Handle() : hwnd_, SetupText(view.messageId),
                   MB_OK | MB_ICONEXCLAMATION);
  for (int i = 0; i < 6; ++i) EnableWindow(Item(kOsRadios[i]), view.enabled[i]);
  return true;
}

// The About box of the frame's system menu.
#pragma once

#include "SetupIds.h"
#include "ui/Dialog.h"

class CAboutDlg : public ui::Dialog {
 public:
  static const UINT kTemplate = IDD_ABOUT;
};

// The About box of the frame's system menu.
#pragma once

#include "ui/Dialog.h"

class CAboutDlg : public ui::Dialog {
 public:
  static const UINT kTemplate = 100;
};

// Install on the last page: the Install command, run on the frame's record and windows.
#pragma once

class CWizardFrame;

void RunInstall(CWizardFrame& frame);

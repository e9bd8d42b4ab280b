// The Install command's entry, called by the frame when Install is pressed on the last page.
#pragma once

class CWizardFrame;

void RunInstall(CWizardFrame& frame);

#include "common/ProgramTitles.h"

const char kSetupTitle[] = "Printer Driver Setup";
const char kUninstallTitle[] = "Uninstall";
const char kCloseSetupFirst[] = "Please close Printer Driver Setup program first!";
const char kCloseUninstallFirst[] = "Please close Uninstall program first!";

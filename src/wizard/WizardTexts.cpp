#include "wizard/WizardTexts.h"

const char kHelpWindowTitle[] = "Printer Driver Installer";
const char kSidePictureFile[] = "DRVCONFIG\\Left.bmp";
const char kHelpFile[] = ".\\Guide.CHM";
const char kAdministratorRequired[] = "You must be logged on the computer as an administrator!";
const char kBackCaption[] = "<<Back (&B)";
const char kNextCaption[] = "Next (&N)>>";
const char kInstallCaption[] = "Install (&I)";
const char kCancelCaption[] = "Cancel (&C)";

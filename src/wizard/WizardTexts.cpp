#include "wizard/WizardTexts.h"

const char kFrameTitle[] = "Printer Driver Setup";
const char kUninstallTitle[] = "Uninstall";
const char kHelpWindowTitle[] = "Printer Driver Installer";
const char kSidePictureFile[] = "DRVCONFIG\\Left.bmp";
const char kHelpFile[] = ".\\Guide.CHM";
const char kCloseUninstallFirst[] = "Please close Uninstall program first!";
const char kAdministratorRequired[] = "You must be logged on the computer as an administrator!";
const char kBackCaption[] = "<<Back (&B)";
const char kNextCaption[] = "Next (&N)>>";
const char kInstallCaption[] = "Install (&I)";
const char kCancelCaption[] = "Cancel (&C)";
const char kFailedToSetPrinterId[] = "Failed to set Printer ID!";

// The two Chinese captions are kept in the code page they were written in (GBK); the frame
// never displays a caption.
const char* const kPageCaptions[5] = {
    "\xD4\xC4\xB6\xC1\xB0\xE6\xC8\xA8\xC9\xF9\xC3\xF7",  // licence agreement
    "STEP 2\tSelect Install Module",
    "\xD1\xA1\xD4\xF1\xB0\xB2\xD7\xB0\xC4\xA3\xCA\xBD",  // setup type
    "STEP 1\tSelect Install OS",
    "STEP 3\tSet Printer Port and Confirm Setup",
};

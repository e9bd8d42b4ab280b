// Texts of setup's wizard that the string table does not hold: window titles, file names,
// button captions and the start-up messages. The numbered texts are read with SetupText().
#pragma once

// The help window's title, searched with FindWindowA; the programs' own titles are in
// common/ProgramTitles.h.
extern const char kHelpWindowTitle[];  // "Printer Driver Installer"
// Files of the medium, relative to the working directory.
extern const char kSidePictureFile[];  // "DRVCONFIG\\Left.bmp"
extern const char kHelpFile[];         // ".\\Guide.CHM"
// Start-up message.
extern const char
    kAdministratorRequired[];  // "You must be logged on the computer as an administrator!"
// Frame button captions.
extern const char kBackCaption[];     // "<<Back (&B)"
extern const char kNextCaption[];     // "Next (&N)>>"
extern const char kInstallCaption[];  // "Install (&I)"
extern const char kCancelCaption[];   // "Cancel (&C)"

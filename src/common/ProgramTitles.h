// The titles setup and the uninstaller find each other's windows by, and the messages each
// shows while the other is open: both programs use them, so they are written once.
#pragma once

extern const char kSetupTitle[];           // "Printer Driver Setup"
extern const char kUninstallTitle[];       // "Uninstall"
extern const char kCloseSetupFirst[];      // "Please close Printer Driver Setup program first!"
extern const char kCloseUninstallFirst[];  // "Please close Uninstall program first!"

// The titles setup and the uninstaller find each other's windows by, and the messages each
// shows while the other is open: both programs use them, so they are written once (inline, so
// that each program carries only those it uses).
#pragma once

inline constexpr char kSetupTitle[] = "Printer Driver Setup";
inline constexpr char kUninstallTitle[] = "Uninstall";
inline constexpr char kCloseSetupFirst[] = "Please close Printer Driver Setup program first!";
inline constexpr char kCloseUninstallFirst[] = "Please close Uninstall program first!";

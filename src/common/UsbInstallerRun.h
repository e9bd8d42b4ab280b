// The one runner of the USB device driver's installer, USBDrv\Install.exe of the medium:
// setup starts it to install the driver, the uninstaller to remove it. Each program keeps the
// waits and the call it has always made; what they share is the start and the watch over the
// installer's window.
#pragma once

#include <windows.h>

#include <shellapi.h>

// Title of the installer's window while it works.
inline constexpr char kUsbInstallerWindow[] = "QELD print system setup";

struct UsbInstallerRun {
  HWND owner;             // the shell's owner of the start
  const char* argument;   // "2" installs, "22" removes
  const char* directory;  // the working directory handed to the shell
  DWORD startWait;        // before the first look for the installer's window
  DWORD pollWait;         // between two looks while the window is open
  int maxPolls;           // looks at most; 0 looks as long as the window stays open
  DWORD afterWaits[2];    // slept in turn once the window is gone (0: none)
};

// Starts `installer` (nullptr starts nothing: a path that did not fit) and waits as `run`
// says. The installer's outcome is its own: nothing is reported. Inline, so that each
// program's constant waits fold into its own loop.
inline void RunUsbInstaller(const char* installer, const UsbInstallerRun& run) {
  if (installer)
    ShellExecuteA(run.owner, "open", installer, run.argument, run.directory, SW_SHOWNORMAL);
  Sleep(run.startWait);
  for (int poll = 0; run.maxPolls == 0 || poll < run.maxPolls; ++poll) {
    if (!FindWindowA(nullptr, kUsbInstallerWindow)) break;
    Sleep(run.pollWait);
  }
  for (DWORD wait : run.afterWaits)
    if (wait) Sleep(wait);
}

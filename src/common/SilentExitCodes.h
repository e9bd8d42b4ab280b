// Exit codes of the silent runs of setup.exe and uninstall.exe, read by deployment tools.
// The numbers are published (README, docs/silent-mode.md): never renumber one.
#pragma once

enum SilentExitCode {
  SilentSuccess = 0,
  SilentBadCommandLine = 2,   // the log names the argument
  SilentLogUnwritable = 3,    // nothing was done
  SilentAlreadyRunning = 10,  // another instance holds the program's mutex
  SilentOtherProgramOpen = 11,
  SilentNotAdministrator = 12,
  SilentSystemUnsupported = 13,
  // setup's refusals of a model for Windows 7 or later; 20 to 29 were all taken
  SilentModelNotForWindows7 = 14,
  SilentModelNotFor64BitWindows = 15,
  // setup's refusals
  SilentModelNotOffered = 20,
  SilentModelNotForSystem = 21,
  SilentAdvancedNotOffered = 22,
  SilentPortNotOffered = 23,
  SilentPortUnsupported = 24,
  SilentNoUsbPrinter = 25,
  SilentSeveralUsbPrinters = 26,
  SilentIdentityNeedsSetId = 27,
  SilentIdentityNotSet = 28,
  SilentUsbOnNt4 = 29,
  // setup's install sequence failed, by its step
  SilentMonitorFailed = 30,
  SilentProcessorFailed = 31,
  SilentDriverFilesFailed = 32,
  SilentDriverFailed = 33,
  SilentPrinterFailed = 34,
  SilentSystemFailed = 35,
  // uninstall's refusals and failures
  SilentInventoryMissing = 40,
  SilentNameNotInInventory = 41,
  SilentJobsQueued = 42,
  SilentUsbRemovalUnavailable = 43,
  SilentEntryNotRemoved = 50,
  SilentDriverNotRemoved = 51,
  // The run succeeded and the system must restart (setup on Windows 98/Me, uninstall after a
  // removal), whether or not the run restarted it.
  SilentRestartNeeded = 3010
};

#include "common/UsbInstallerRun.h"

#include <shellapi.h>

const char kUsbInstallerWindow[] = "QELD print system setup";

void RunUsbInstaller(const char* installer, const UsbInstallerRun& run) {
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

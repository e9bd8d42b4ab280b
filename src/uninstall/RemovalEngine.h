// The removal run behind the Uninstall button: the job check on the window's thread, then one
// worker that removes the ticked entries, runs the USB step and offers the restart.
#pragma once

#include "uninstall/UninstallState.h"
#include "uninstall/UninstallView.h"

#include <windows.h>

// What the worker thread is handed: the program's settings and the window's view.
struct RemovalJob {
  const UninstallSettings* settings;
  UninstallView* view;
};

// Handler of the Uninstall button. Starts the worker on the job when no local printer has
// queued jobs, and returns without waiting for it: 1 when the worker was started. The job,
// its settings and its view must outlive the run.
int OnUninstall(RemovalJob& job);

// The job check over every local printer, family or not: false after a status line naming
// the printer that cannot be opened, read or has jobs.
bool LocalPrintersAreIdle(UninstallView& view);

// One run over the list, the USB step and the restart prompt, with the view busy throughout.
// Answers 1.
int RemovalWorker(const UninstallSettings& settings, UninstallView& view);
// The worker's thread procedure; its parameter is the RemovalJob.
DWORD WINAPI RemovalThread(LPVOID job);

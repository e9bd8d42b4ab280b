// Stop, start, wait for and restart the print spooler service, so that a port monitor or
// print processor DLL the spooler has loaded can be replaced (NT family only).
#pragma once

#include <windows.h>

#include <string>

void StopSpooler();
// On a failed start (other than "already running") the message is replaced by the reason.
void StartSpooler(std::string& message);
// 1 once the service runs (polled 10 times, 300 ms apart), else 0 with a message.
int WaitSpoolerRunning(std::string& message);
// Stop, pause, start; every failure is silent.
void RestartSpooler(DWORD pauseMs);

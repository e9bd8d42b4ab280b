// The worker that performs one installation from a filled install record: monitors and
// print processor brought to the medium's versions, driver files copied, driver and printer
// added, default printer and serial settings set. It reports through the working data's
// message and, as its last acts, the completion's failure kind and result.
#pragma once

#include "engine/InstallRecord.h"
#include "engine/StepMessage.h"

#include <string>

// What InstallPortMonitors and InstallPrintProcessor return when the installation must end.
const int InstallStepFailed = -1;

// Worker-thread entry; always 0. Sets job.completion->result exactly once, at its end.
int RunInstallSequence(InstallJob job);

// InstallStepFailed, or the outdated-monitor bit of the port's monitor (0 when current).
int InstallPortMonitors(ModuleConfig& config, TargetOs targetOs, const char* portName,
                        StepMessage& message);
// InstallStepFailed, 0, or ProcessorOutdated.
int InstallPrintProcessor(ModuleConfig& config, TargetOs targetOs, const char* processorName,
                          const char* processorFile, StepMessage& message);
// Replaces the first outdated component of `installFlags`; 1 to go on, 0 to end the run.
int UpdateOutdatedComponents(ModuleConfig& config, TargetOs targetOs, int installFlags,
                             const char* processorName, const char* processorFile,
                             int processorVersion, StepMessage& message);

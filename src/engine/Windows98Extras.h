// Files a driver needs beside its own: on Windows 98/Me the shared icon library and the
// system's universal printer driver, on Windows 2000 and later the driver kit's shared files.
#pragma once

#include "common/TargetOs.h"
#include "engine/StepMessage.h"

// No result: a failure leaves its text in the message for a later check (or, on Windows
// 98/Me, for the user in place of the success text).
void InstallWindows98Extras(TargetOs targetOs, int usesDdkDriver, StepMessage& message);

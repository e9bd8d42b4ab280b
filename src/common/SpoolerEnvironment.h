// The print spooler's environments as the programs name them. A 32-bit program's null means
// "Windows NT x86" to every spooler, the 64-bit one included, whose own drivers, monitors and
// processors are those of "Windows x64": on 64-bit Windows every call must say so.
#pragma once

#include "common/TargetOs.h"

// What the driver, monitor and processor records name: the 98 family's own name there,
// "Windows x64" on 64-bit Windows, null (the spooler's own) elsewhere.
char* RecordEnvironment(TargetOs os);
// What the directory queries and the removals name: "Windows x64" on 64-bit Windows, null
// (the spooler's own) elsewhere.
char* NativeSpoolerEnvironment(TargetOs os);
// The environment's key under the spooler's "...\Control\Print\Environments\" and the name
// its enumerations take.
const char* EnvironmentKeyName(TargetOs os);

#pragma once

#include "winsim/SpoolerControl.h"
#include "winsim/winsim.h"

#include <string>

// The sample medium at `root` of the simulated machine, with its port monitors and print
// processor made DLLs the spooler can load (on the medium they are placeholder files).
inline int LoadSampleMedium(const std::string& root) {
  int files = winsim::LoadHostDirectory(SOURCE_ROOT "/sample/medium", root);
  for (const char* os : {"win98", "winnt", "win2003", "Vista", "Win7", "Win7x64"}) {
    std::string dir = root + "\\" + os + "\\";
    for (const char* dll : {"aqcommon.dll", "aqusbmon.dll", "aqcom98.dll", "aqusb98.dll"})
      if (winsim::FileExists(dir + dll)) winsim::MakeMonitorDll(dir + dll);
    if (winsim::FileExists(dir + "aqproc.dll")) winsim::MakeProcessorDll(dir + "aqproc.dll");
  }
  return files;
}

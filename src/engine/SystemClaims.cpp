#include "engine/SystemClaims.h"

#include "SetupStrings.h"
#include "package/ModuleConfig.h"

SystemClaim ClaimOf(TargetOs os) {
  switch (os) {
    case WinServer2003:
      return {"System2003Supported", IDS_NO_SERVER_2003_SUPPORT};
    case WinVista:
      return {"SystemVistaSupported", IDS_NO_VISTA_SUPPORT};
    case Win7:
      return {"System7Supported", IDS_NO_WIN7_SUPPORT};
    case Win7x64:
      return {"System7x64Supported", IDS_NO_X64_SUPPORT};
    default:
      return {nullptr, 0};
  }
}

bool ModelClaims(TargetOs os, const char* moduleIni, const char* portSection) {
  const char* key = ClaimOf(os).key;
  return !key || ReadPortSectionNumber(moduleIni, portSection, key) != 0;
}

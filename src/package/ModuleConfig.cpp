#include "package/ModuleConfig.h"

// Filled in with the readers.

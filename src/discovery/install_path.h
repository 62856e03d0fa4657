// The install path of the print-management software, from the registry.
#pragma once

#include "discovery/device_info_location.h"
#include "platform/registry.h"

// The value "InstallPath" of generation 0 or 1, from the first of the generation's
// two registry keys that has it, up to its first NUL; empty when neither has it or
// for any other generation. Asks the registry only the first time for a location.
CString ReadInstallPath(const platform::Registry& registry, int generation,
                        DeviceInfoLocation& location);

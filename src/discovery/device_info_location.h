// Where one generation of the print-management software keeps its device file.
// Each part is looked up at most once and then reused, found or not.
#pragma once

#include <optional>

#include "platform/tarnel_types.h"

struct DeviceInfoLocation {
    std::optional<CString> installPath;  // empty when the registry has none
    std::optional<CString> filePath;     // empty when no device file exists
};

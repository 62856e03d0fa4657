// Finding the device file of the print-management software.
#pragma once

#include "discovery/device_info_location.h"
#include "platform/file_system.h"
#include "platform/registry.h"

// The full name of the device file of generation 0 or 1 under its install path
// (ReadInstallPath), trying "Inkomar\Device\DeviceInfo.xml" and then
// "Inkomar 1.0\Device\DeviceInfo.xml"; empty when neither exists, and for any other
// generation. Without an install path the names are looked up relative to the
// current directory. Searches only the first time for a location.
CString FindDeviceInfoFile(const platform::Registry& registry, const platform::FileSystem& files,
                           int generation, DeviceInfoLocation& location);

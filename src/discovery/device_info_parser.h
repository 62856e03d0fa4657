// The printers of a device file's text, as candidate printers.
#pragma once

#include <string_view>

#include "discovery/port_info_list.h"

// Appends one record for each usable DeviceInfo element of `text` (up to its first
// NUL), in file order, and returns how many it appended: network elements (ePortType
// 0 or missing) with a nonzero uchIP, USB elements (ePortType 1) with a
// strUSBPortName. Other elements are skipped one by one. When memory runs out
// part-way, the records appended so far stay.
int ParseDeviceInfo(std::wstring_view text, CPortInfoList& list);

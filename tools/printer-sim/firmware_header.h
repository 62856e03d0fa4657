// What the printer reads from a received firmware payload's 32-byte header.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace printer_sim {

// True when the payload starts with the magic "PUF1".
bool HasFirmwareMagic(std::string_view payload);

// The last run of digits and points in header bytes 10 to 31 (the header text ends
// at its first zero byte); nothing when the field holds none.
std::optional<std::string> FirmwareVersion(std::string_view payload);

}  // namespace printer_sim

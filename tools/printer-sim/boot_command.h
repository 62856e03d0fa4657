// The two wrappings of the printer's boot command: the packet sent as an LPR data
// file and the frame sent on a raw connection of its own.
#pragma once

#include <string>
#include <string_view>

namespace printer_sim {

// Length field, command text, check byte over both (plus one).
std::string BootPacket();
// 0x80, frame length, kind, command text, text check, frame check.
std::string BootFrame();

}  // namespace printer_sim

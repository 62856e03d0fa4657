// The two wrappings of the command that switches a printer to receiving firmware:
// the boot packet (LPR and USB ports) and the boot frame (direct-socket ports).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

inline constexpr std::string_view kBootCommand = "BOOT_UpdateMain 0\n";

inline constexpr std::size_t kBootPacketSize = 2 + kBootCommand.size() + 1;
inline constexpr std::size_t kBootFrameSize = 1 + 2 + 2 + kBootCommand.size() + 1 + 1;

// Big-endian text length, the text, and a check byte over both plus one.
std::array<std::uint8_t, kBootPacketSize> BuildBootPacket();
// 0x80, big-endian 21 and 6, the text, a check over the text alone plus one, and a
// frame check that makes all bytes add up to 0xFF.
std::array<std::uint8_t, kBootFrameSize> BuildBootFrame();

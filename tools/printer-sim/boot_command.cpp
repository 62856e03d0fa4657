#include "boot_command.h"

#include <cstdint>

namespace printer_sim {
namespace {

constexpr std::string_view kBootText = "BOOT_UpdateMain 0\n";
constexpr std::uint8_t kFrameStart = 0x80;
constexpr std::uint8_t kFrameKindCommand = 0x06;

std::uint8_t ByteSum(std::string_view bytes) {
    std::uint8_t sum = 0;
    for (const char c : bytes) {
        sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(c));
    }
    return sum;
}

std::string BigEndian16(std::size_t value) {
    return {static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

}  // namespace

std::string BootPacket() {
    std::string packet = BigEndian16(kBootText.size()) + std::string(kBootText);
    packet += static_cast<char>(ByteSum(packet) + 1);
    return packet;
}

std::string BootFrame() {
    const std::string body = BigEndian16(kFrameKindCommand) + std::string(kBootText) +
                             static_cast<char>(ByteSum(kBootText) + 1);
    std::string frame(1, static_cast<char>(kFrameStart));
    frame += BigEndian16(body.size());
    frame += body;
    frame += static_cast<char>(0xFF - ByteSum(frame));
    return frame;
}

}  // namespace printer_sim

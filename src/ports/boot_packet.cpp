#include "ports/boot_packet.h"

#include <numeric>

namespace {

std::uint8_t SumOf(const std::uint8_t* first, const std::uint8_t* last) {
    return static_cast<std::uint8_t>(std::accumulate(first, last, 0u));
}

template <std::size_t N>
void PutBigEndian16(std::array<std::uint8_t, N>& out, std::size_t at, std::size_t value) {
    out[at] = static_cast<std::uint8_t>(value >> 8);
    out[at + 1] = static_cast<std::uint8_t>(value);
}

template <std::size_t N>
void PutText(std::array<std::uint8_t, N>& out, std::size_t at) {
    for (char c : kBootCommand) {
        out[at++] = static_cast<std::uint8_t>(c);
    }
}

}  // namespace

std::array<std::uint8_t, kBootPacketSize> BuildBootPacket() {
    std::array<std::uint8_t, kBootPacketSize> packet{};
    PutBigEndian16(packet, 0, kBootCommand.size());
    PutText(packet, 2);
    packet[kBootPacketSize - 1] = SumOf(packet.data(), packet.data() + kBootPacketSize - 1) + 1;
    return packet;
}

std::array<std::uint8_t, kBootFrameSize> BuildBootFrame() {
    constexpr std::size_t kTextAt = 5;
    constexpr std::size_t kTextCheckAt = kTextAt + kBootCommand.size();
    std::array<std::uint8_t, kBootFrameSize> frame{};
    frame[0] = 0x80;
    // Counts the bytes from the next field through the text check.
    PutBigEndian16(frame, 1, kTextCheckAt + 1 - 3);
    PutBigEndian16(frame, 3, 6);
    PutText(frame, kTextAt);
    frame[kTextCheckAt] = SumOf(frame.data() + kTextAt, frame.data() + kTextCheckAt) + 1;
    frame[kBootFrameSize - 1] =
        static_cast<std::uint8_t>(0xFF - SumOf(frame.data(), frame.data() + kBootFrameSize - 1));
    return frame;
}

#include <gtest/gtest.h>

#include <string>

#include "hex.h"
#include "ports/boot_packet.h"
#include "ports/lpr_commands.h"

namespace {

template <typename Bytes>
std::string AsString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST(BootPacket, IsTheTwentyOneBytesOfTheTable) {
    EXPECT_EQ(AsString(BuildBootPacket()),
              FromHex("00 12 42 4F 4F 54 5F 55 70 64 61 74 65 4D 61 69 6E 20 30 0A E8"));
}

TEST(BootFrame, IsTheTwentyFiveBytesOfTheTableAndAddsUpToFF) {
    const auto frame = BuildBootFrame();
    EXPECT_EQ(
        AsString(frame),
        FromHex("80 00 15 00 06 42 4F 4F 54 5F 55 70 64 61 74 65 4D 61 69 6E 20 30 0A D6 B9"));
    unsigned sum = 0;
    for (std::uint8_t b : frame) {
        sum += b;
    }
    EXPECT_EQ(sum % 256, 0xFFu);
}

TEST(LprCommands, AreTheBytesOnTheWire) {
    EXPECT_EQ(std::string(kLprReceiveJob), FromHex("02 25 6C 70 31 20 78 0A"));
    const struct {
        std::uint32_t count;
        const char* hex;
    } cases[] = {
        {102400, "03 31 30 32 34 30 30 20 78 0A"},
        {12, "03 31 32 20 78 0A"},
        {0, "03 30 20 78 0A"},
        {4294967295u, "03 34 32 39 34 39 36 37 32 39 35 20 78 0A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(LprDataFileSubcommand(c.count), FromHex(c.hex));
    }
}

}  // namespace

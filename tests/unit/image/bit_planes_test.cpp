#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "image/bit_planes.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Rotated(Bytes data) {
    RotateBitPlanes(data.data(), static_cast<std::uint32_t>(data.size()));
    return data;
}

Bytes RotatedBack(Bytes data) {
    RotateBitPlanesBack(data.data(), static_cast<std::uint32_t>(data.size()));
    return data;
}

// The rule word for word, one bit at a time: bit b of output j is bit b of input
// (j - d(b)) mod n.
Bytes RotatedBitByBit(const Bytes& input) {
    const std::uint64_t n = input.size();
    Bytes output(input.size(), 0);
    for (std::uint64_t j = 0; j < n; ++j) {
        for (unsigned b = 0; b < 8; ++b) {
            const std::uint64_t d = (b + 1) * n / 9;
            const std::uint64_t from = (j + n - d) % n;
            output[j] |= input[from] & (1u << b);
        }
    }
    return output;
}

Bytes RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(n);
    for (auto& byte : bytes) {
        byte = static_cast<unsigned char>(random());
    }
    return bytes;
}

TEST(BitPlaneDistances, AreTheNinthsOfTheLength) {
    using D = std::array<std::uint32_t, 8>;
    EXPECT_EQ(BitPlaneDistances(9), (D{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(BitPlaneDistances(4), (D{0, 0, 1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(BitPlaneDistances(1), (D{0, 0, 0, 0, 0, 0, 0, 0}));
    // The largest container: 8n still fits 32 bits, 8 * 2^29 would not.
    EXPECT_EQ(BitPlaneDistances((1u << 29) - 1)[7], 477218587u);
}

TEST(RotateBitPlanes, MovesEachPlaneByItsDistance) {
    struct Case {
        const char* label;
        Bytes input;
        Bytes output;
    };
    const Case cases[] = {
        // n = 9: bit b of byte 0 lands in byte b + 1.
        {"n=9, first byte",
         {0xFF, 0, 0, 0, 0, 0, 0, 0, 0},
         {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}},
        // ... and of byte 8 wraps round to byte b.
        {"n=9, last byte",
         {0, 0, 0, 0, 0, 0, 0, 0, 0xFF},
         {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x00}},
        // n = 4: planes 0 and 1 stay, 2 and 3 move by 1, 4 and 5 by 2, 6 and 7 by 3.
        {"n=4, first byte", {0xFF, 0, 0, 0}, {0x03, 0x0C, 0x30, 0xC0}},
        {"n=4, last byte", {0, 0, 0, 0xFF}, {0x0C, 0x30, 0xC0, 0x03}},
        // One bit of each plane: 0x81 holds bits 7 and 0, 0x42 bits 6 and 1, and so on.
        {"n=4, mixed", {0x81, 0x42, 0x24, 0x18}, {0x69, 0x12, 0x00, 0x84}},
        {"n=1", {0xA5}, {0xA5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Rotated(c.input), c.output);
        EXPECT_EQ(RotatedBack(c.output), c.input);
    }
}

TEST(RotateBitPlanes, AgreesWithTheRuleBitByBit) {
    // Every length up to 300 meets each way the distances can split the planes,
    // including equal distances and distances of 0.
    for (std::size_t n = 1; n <= 300; ++n) {
        SCOPED_TRACE(n);
        const Bytes input = RandomBytes(n, static_cast<unsigned>(n));
        const Bytes rotated = Rotated(input);
        ASSERT_EQ(rotated, RotatedBitByBit(input));
        ASSERT_EQ(RotatedBack(rotated), input);
    }
    for (std::size_t n : {1001u, 4096u, 65537u}) {
        SCOPED_TRACE(n);
        const Bytes input = RandomBytes(n, 7);
        EXPECT_EQ(Rotated(input), RotatedBitByBit(input));
    }
}

TEST(RotateBitPlanes, LeavesAnEmptyBufferAlone) {
    RotateBitPlanes(nullptr, 0);
    RotateBitPlanesBack(nullptr, 0);
}

}  // namespace

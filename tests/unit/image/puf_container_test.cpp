#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/bit_planes.h"
#include "image/container_key.h"
#include "image/puf_container.h"

namespace {

using Bytes = std::vector<unsigned char>;

// The key begins with "NS" and its 500th character is ':'.
constexpr unsigned char kKeyFirst = 0x4E;   // 'N'
constexpr unsigned char kKeySecond = 0x53;  // 'S'
constexpr unsigned char kKeyLast = 0x3A;    // ':'

TEST(ContainerKey, RepeatsWithAPeriodOf501AroundByte500) {
    Bytes zeros(1003, 0);
    AddContainerKey(zeros.data(), static_cast<std::uint32_t>(zeros.size()));
    // Byte 500 of each period is the zero byte after the 500 characters.
    const struct {
        std::size_t index;
        unsigned char value;
    } expected[] = {
        {0, kKeyFirst},    {1, kKeySecond},  {499, kKeyLast}, {500, 0x00},       {501, kKeyFirst},
        {502, kKeySecond}, {1000, kKeyLast}, {1001, 0x00},    {1002, kKeyFirst},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.index);
        EXPECT_EQ(zeros[e.index], e.value);
    }
}

TEST(ContainerKey, AddsModulo256) {
    Bytes bytes{0x00, 0xFF, 0xB0};
    AddContainerKey(bytes.data(), 3);
    EXPECT_EQ(bytes, (Bytes{0x4E, 0x52, 0x0C}));  // 0xFF + 0x53 and 0xB0 + 0x5C wrap
}

TEST(UnscrambleContainer, SubtractsTheKeyAroundByte500) {
    // The key itself, rotated back, unscrambles to zeros only if every byte, 500 and
    // 501 included, loses the key byte it gained.
    Bytes keyed(1003, 0);
    AddContainerKey(keyed.data(), static_cast<std::uint32_t>(keyed.size()));
    Bytes container = keyed;
    RotateBitPlanesBack(container.data(), static_cast<std::uint32_t>(container.size()));
    EXPECT_EQ(UnscrambleContainer(container.data(), static_cast<std::uint32_t>(container.size())),
              0);
    EXPECT_EQ(container, Bytes(1003, 0));
}

TEST(PackPufContainer, MatchesAContainerWorkedOutByHand) {
    // Payload 'P' (0x50) gets the check byte 0x2F (0x50 + 0x2F = 0x7F); the key
    // makes 0x9E 0x82; with n = 2 planes 0 to 3 stay and planes 4 to 7 swap bytes.
    EXPECT_EQ(PackPufContainer(Bytes{0x50}), (Bytes{0x8E, 0x92}));
    // An empty payload is the check byte 0x7F alone, plus the key's first byte.
    EXPECT_EQ(PackPufContainer(Bytes{}), (Bytes{0x7F + kKeyFirst}));
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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
    SubtractContainerKey(zeros.data(), static_cast<std::uint32_t>(zeros.size()));
    const struct {
        std::size_t index;
        unsigned char value;
    } expected[] = {
        {0, 0x100 - kKeyFirst},    {1, 0x100 - kKeySecond},
        {499, 0x100 - kKeyLast},   {500, 0x00},  // the zero byte after the 500 characters
        {501, 0x100 - kKeyFirst},  {502, 0x100 - kKeySecond},
        {1000, 0x100 - kKeyLast},  {1001, 0x00},
        {1002, 0x100 - kKeyFirst},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.index);
        EXPECT_EQ(zeros[e.index], e.value);
    }
    AddContainerKey(zeros.data(), static_cast<std::uint32_t>(zeros.size()));
    EXPECT_EQ(zeros, Bytes(1003, 0));
}

TEST(ContainerKey, SubtractsModulo256) {
    Bytes bytes{0x00, 0xFF, 0x4E};
    SubtractContainerKey(bytes.data(), 3);
    EXPECT_EQ(bytes, (Bytes{0xB2, 0xAC, 0xF2}));  // the third key byte 0x5C wraps
}

TEST(PackPufContainer, MatchesAContainerWorkedOutByHand) {
    // Payload 'P' (0x50) gets the check byte 0x2F (0x50 + 0x2F = 0x7F); the key
    // makes 0x9E 0x82; with n = 2 planes 0 to 3 stay and planes 4 to 7 swap bytes.
    EXPECT_EQ(PackPufContainer(Bytes{0x50}), (Bytes{0x8E, 0x92}));
    // An empty payload is the check byte 0x7F alone, plus the key's first byte.
    EXPECT_EQ(PackPufContainer(Bytes{}), (Bytes{0x7F + kKeyFirst}));
}

}  // namespace

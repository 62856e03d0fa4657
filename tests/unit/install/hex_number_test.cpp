#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "install/hex_number.h"

namespace {

TEST(ReadSignedHex, ReadsLikeWcstolInBase16) {
    const struct {
        const wchar_t* text;
        std::int32_t value;
    } cases[] = {
        {L"", 0},
        {L"1", 1},
        {L"0F", 15},
        {L"ff", 255},
        {L" 1", 1},
        {L"\t\n 2", 2},
        {L"-1", -1},
        {L"+F", 15},
        {L"0x1F", 31},
        {L"0X1f", 31},
        {L"-0x10", -16},
        {L"0x", 0},
        {L"0xG", 0},
        {L"1G", 1},
        {L"G1", 0},
        {L"- 1", 0},  // no blank between sign and digits
        {L"7FFFFFFF", 0x7FFFFFFF},
        {L"80000000", 0x7FFFFFFF},  // saturates like a 32-bit long
        {L"-80000000", INT32_MIN},
        {L"-FFFFFFFFFF", INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(ReadSignedHex(c.text), c.value);
    }
}

TEST(ReadUnsignedHex, ReadsLikeWcstoulOfA32BitLong) {
    const struct {
        const wchar_t* text;
        std::uint32_t value;
    } cases[] = {
        {L"", 0},
        {L"zz", 0},
        {L"80000000", 0x80000000u},
        {L"7FFFFFFF", 0x7FFFFFFFu},
        {L"FFFFFFFF", 0xFFFFFFFFu},
        {L"  0x80000000zz", 0x80000000u},
        {L"+c0000000", 0xC0000000u},
        {L"00000000080000000", 0x80000000u},  // leading zeros do not overflow
        // Too large for 32 bits: 0xFFFFFFFF, where a 64-bit long would keep the low bits.
        {L"100000000", 0xFFFFFFFFu},
        {L"123456789ABCDEF", 0xFFFFFFFFu},
        {L"-100000000", 0xFFFFFFFFu},
        // A minus sign negates modulo 2^32.
        {L"-1", 0xFFFFFFFFu},
        {L"-80000000", 0x80000000u},
        {L"-7FFFFFFF", 0x80000001u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(ReadUnsignedHex(c.text), c.value);
    }
}

}  // namespace

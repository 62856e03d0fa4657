#include <gtest/gtest.h>

#include <cstdint>

#include "app/address_from_text.h"

namespace {

struct AddressCase {
    const wchar_t* text;
    std::uint32_t expected;  // host byte order, 0 for no address
};

TEST(AddressFromText, FollowsTheInetAddrRules) {
    const AddressCase cases[] = {
        {L"192.168.1.20", 0xC0A80114},
        {L"10.0.0.1", 0x0A000001},
        {L"1.2.3.4 words", 0x01020304},  // inet_addr stops at white space
        // Shorter forms: the last part fills the remaining bytes.
        {L"10.1", 0x0A000001},
        {L"10.1.258", 0x0A010102},
        {L"3232235796", 0xC0A80114},
        {L"127.16777215", 0x7FFFFFFF},
        // Hexadecimal and octal parts.
        {L"0xC0.0xA8.1.20", 0xC0A80114},
        {L"0300.0250.1.024", 0xC0A80114},
        {L"0xc0a80114", 0xC0A80114},
        {L"0", 0},
        // Not addresses.
        {L"", 0},
        {L"p", 0},
        {L"256.1.1.1", 0},
        {L"1.2.3.256", 0},
        {L"1.2.65536", 0},
        {L"1.16777216", 0},
        {L"4294967296", 0},
        {L"1.2.3.4.5", 0},
        {L"1..2.3", 0},
        {L"1.2.3.", 0},
        {L" 1.2.3.4", 0},
        {L"1.2.3.4x", 0},
        {L"09.1.1.1", 0},
        {L"0x1G.1.1.1", 0},
        {L"-1.2.3.4", 0},
        // inet_addr cannot tell the broadcast address from its error value.
        {L"255.255.255.255", 0},
        {L"0xffffffff", 0},
        {L"0.0.0.0", 0},
        // Fifteen characters fit the 16-byte buffer; sixteen do not.
        {L"010.010.010.010", 0x08080808},
        {L"192.168.001.0020", 0},
        {L"1.2.3.4         ", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "text \"" << testing::PrintToString(std::wstring(c.text)) << "\"");
        EXPECT_EQ(AddressFromText(c.text), c.expected);
    }
}

}  // namespace

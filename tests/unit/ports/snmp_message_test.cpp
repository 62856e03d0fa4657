#include <gtest/gtest.h>

#include <string>

#include "hex.h"
#include "ports/snmp_get.h"
#include "ports/snmp_message.h"

namespace {

std::optional<SnmpMessage> Decode(const std::string& bytes) {
    return DecodeSnmpMessage(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// A GetResponse of version 1, community "public", request id 1, binding 1.3.6 = "hi".
constexpr const char* kResponse =
    "30 22 02 01 00 04 06 70 75 62 6c 69 63 a2 15 02 01 01 02 01 00 02 01 00 "
    "30 0a 30 08 06 02 2b 06 04 02 68 69";

TEST(SnmpMessage, EncodesAGetRequestAsBer) {
    SnmpMessage request = MakeGetRequest(*EncodeObjectIdentifier(".1.3.6.1.2.1.1.1.0"), 1);
    EXPECT_EQ(EncodeSnmpMessage(request),
              FromHex("30 26 02 01 00 04 06 70 75 62 6c 69 63 a0 19 02 01 01 02 01 00 02 01 00 "
                      "30 0e 30 0c 06 08 2b 06 01 02 01 01 01 00 05 00"));
}

TEST(SnmpMessage, DecodesWhatItEncodesAlsoWithLongFormsAndNegativeIntegers) {
    SnmpMessage message;
    message.pduType = kSnmpGetResponse;
    message.community = std::string(300, 'c');
    message.requestId = -129;
    message.errorStatus = 0x7FFFFFFF;
    message.errorIndex = 128;
    message.bindings = {{"\x2b\x06", kBerOctetString, std::string(200, 'v')},
                        {"\x2b\x07", kBerNull, ""}};
    const std::optional<SnmpMessage> decoded = Decode(EncodeSnmpMessage(message));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->community, message.community);
    EXPECT_EQ(decoded->pduType, kSnmpGetResponse);
    EXPECT_EQ(decoded->requestId, -129);
    EXPECT_EQ(decoded->errorStatus, 0x7FFFFFFF);
    EXPECT_EQ(decoded->errorIndex, 128);
    ASSERT_EQ(decoded->bindings.size(), 2u);
    EXPECT_EQ(decoded->bindings[0].value, std::string(200, 'v'));
    EXPECT_EQ(decoded->bindings[1].name, "\x2b\x07");
    EXPECT_EQ(decoded->bindings[1].valueTag, kBerNull);
}

TEST(SnmpMessage, RejectsMalformedBer) {
    const std::string response = FromHex(kResponse);
    const struct {
        const char* label;
        std::string bytes;
    } cases[] = {
        {"empty datagram", ""},
        {"last byte missing", response.substr(0, response.size() - 1)},
        {"outer length past the datagram", FromHex("30 23") + response.substr(2)},
        {"a byte after the message", response + '\0'},
        {"indefinite length", FromHex("30 80") + response.substr(2)},
        {"long-form length field past the end", FromHex("30 84 00 00")},
        {"long-form length of five bytes", FromHex("30 85 00 00 00 00 22") + response.substr(2)},
        {"long-form length of 4 GB", FromHex("30 84 ff ff ff ff 02 01 00")},
        {"tag and no length", FromHex("30")},
        {"request id of five bytes",
         FromHex("30 26 02 01 00 04 06 70 75 62 6c 69 63 a2 19 02 05 00 00 00 00 01 02 01 00 "
                 "02 01 00 30 0a 30 08 06 02 2b 06 04 02 68 69")},
        {"version of no bytes",
         FromHex("30 21 02 00 04 06 70 75 62 6c 69 63 a2 15 02 01 01 02 01 00 02 01 00 "
                 "30 0a 30 08 06 02 2b 06 04 02 68 69")},
        {"value longer than its binding",
         FromHex("30 22 02 01 00 04 06 70 75 62 6c 69 63 a2 15 02 01 01 02 01 00 02 01 00 "
                 "30 0a 30 08 06 02 2b 06 04 03 68 69")},
        {"community longer than the message", FromHex("30 22 02 01 00 04 30") + response.substr(7)},
        {"binding without a value",
         FromHex("30 1e 02 01 00 04 06 70 75 62 6c 69 63 a2 11 02 01 01 02 01 00 02 01 00 "
                 "30 06 30 04 06 02 2b 06")},
        {"binding with a third item",
         FromHex("30 24 02 01 00 04 06 70 75 62 6c 69 63 a2 17 02 01 01 02 01 00 02 01 00 "
                 "30 0c 30 0a 06 02 2b 06 04 02 68 69 05 00")},
        {"value with a multi-byte tag",
         FromHex("30 22 02 01 00 04 06 70 75 62 6c 69 63 a2 15 02 01 01 02 01 00 02 01 00 "
                 "30 0a 30 08 06 02 2b 06 1f 02 68 69")},
        {"error index missing",
         FromHex("30 1f 02 01 00 04 06 70 75 62 6c 69 63 a2 12 02 01 01 02 01 00 "
                 "30 0a 30 08 06 02 2b 06 04 02 68 69")},
    };
    ASSERT_TRUE(Decode(response));
    ASSERT_TRUE(Decode(FromHex("30 81 22") + response.substr(2))) << "long form of a short length";
    for (const auto& c : cases) {
        EXPECT_FALSE(Decode(c.bytes)) << c.label;
    }
}

TEST(SnmpMessage, EncodesDottedObjectIdentifiers) {
    const struct {
        const char* dotted;
        std::optional<std::string> bytes;
    } cases[] = {
        {".1.3.6.1.4.1.7391.2.2.2.1.24.1", FromHex("2b 06 01 04 01 b9 5f 02 02 02 01 18 01")},
        {".1.3.6.1.4.1.48203.3.2.1.1", FromHex("2b 06 01 04 01 82 f8 4b 03 02 01 01")},
        {"1.1.0", FromHex("2b 06 01 02 01 01 01 00")},  // below the MIB-2 root
        {".2.100.4294967295", FromHex("81 34 8f ff ff ff 7f")},
        {"", std::nullopt},
        {".", std::nullopt},
        {".1", std::nullopt},
        {".1..3", std::nullopt},
        {".1.3.", std::nullopt},
        {".3.1", std::nullopt},
        {".1.40", std::nullopt},
        {".1.3.x", std::nullopt},
        {".1.3.4294967296", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeObjectIdentifier(c.dotted), c.bytes) << c.dotted;
    }
}

TEST(SnmpGetResponse, IsAcceptedOnlyAsTheAnswerToItsRequest) {
    const SnmpMessage request = MakeGetRequest("\x2b\x06", 77);
    SnmpMessage good = request;
    good.pduType = kSnmpGetResponse;
    good.bindings[0] = {"\x2b\x06", kBerOctetString, "MDL:QZ-70;"};
    const struct {
        const char* label;
        void (*change)(SnmpMessage&);
        SnmpReply reply;
    } cases[] = {
        {"the answer", [](SnmpMessage&) {}, SnmpReply::kString},
        {"version 2c", [](SnmpMessage& m) { m.version = 1; }, SnmpReply::kIgnored},
        {"another community", [](SnmpMessage& m) { m.community = "private"; }, SnmpReply::kIgnored},
        {"another request id", [](SnmpMessage& m) { m.requestId = 78; }, SnmpReply::kIgnored},
        {"a GetRequest", [](SnmpMessage& m) { m.pduType = kSnmpGetRequest; }, SnmpReply::kIgnored},
        {"no binding", [](SnmpMessage& m) { m.bindings.clear(); }, SnmpReply::kIgnored},
        {"two bindings", [](SnmpMessage& m) { m.bindings.push_back(m.bindings[0]); },
         SnmpReply::kIgnored},
        {"another name", [](SnmpMessage& m) { m.bindings[0].name = "\x2b\x07"; },
         SnmpReply::kIgnored},
        {"no such name", [](SnmpMessage& m) { m.errorStatus = 2; }, SnmpReply::kFailed},
        {"an INTEGER value", [](SnmpMessage& m) { m.bindings[0].valueTag = 0x02; },
         SnmpReply::kFailed},
        {"no such object", [](SnmpMessage& m) { m.bindings[0].valueTag = 0x80; },
         SnmpReply::kFailed},
    };
    for (const auto& c : cases) {
        SnmpMessage reply = good;
        c.change(reply);
        const std::string bytes = EncodeSnmpMessage(reply);
        std::string value = "unchanged";
        EXPECT_EQ(JudgeGetResponse(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size(), request, value),
                  c.reply)
            << c.label;
        EXPECT_EQ(value, c.reply == SnmpReply::kString ? "MDL:QZ-70;" : "unchanged") << c.label;
    }
}

}  // namespace

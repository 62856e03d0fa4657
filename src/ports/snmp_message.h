// SNMP version 1 messages: encoding and a decoder that accepts only well-formed
// BER, for the one GetRequest the network ports send and the reply they read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::int32_t kSnmpVersion1 = 0;
inline constexpr std::uint8_t kSnmpGetRequest = 0xA0;
inline constexpr std::uint8_t kSnmpGetResponse = 0xA2;
inline constexpr std::uint8_t kBerOctetString = 0x04;
inline constexpr std::uint8_t kBerNull = 0x05;

struct SnmpBinding {
    std::string name;  // contents bytes of the OBJECT IDENTIFIER
    std::uint8_t valueTag = kBerNull;
    std::string value;  // contents bytes of the value
};

struct SnmpMessage {
    std::int32_t version = kSnmpVersion1;
    std::string community;
    std::uint8_t pduType = kSnmpGetRequest;
    std::int32_t requestId = 0;
    std::int32_t errorStatus = 0;
    std::int32_t errorIndex = 0;
    std::vector<SnmpBinding> bindings;
};

std::string EncodeSnmpMessage(const SnmpMessage& message);
// nullopt unless the bytes are exactly one message whose every length fits.
std::optional<SnmpMessage> DecodeSnmpMessage(const std::uint8_t* data, std::size_t size);

// The contents bytes of a dotted object identifier. A leading "." makes the text the
// whole identifier; without it the text continues the MIB-2 root 1.3.6.1.2.1.
std::optional<std::string> EncodeObjectIdentifier(std::string_view dotted);

// One SNMP version 1 GetRequest for one text value, community "public", over UDP.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/socket.h"
#include "ports/snmp_message.h"

inline constexpr std::string_view kSnmpCommunity = "public";

// The request for the identifier's contents bytes `oid`, with the NULL value.
SnmpMessage MakeGetRequest(const std::string& oid, std::int32_t requestId);

enum class SnmpReply {
    kIgnored,  // not the answer to this request: keep waiting
    kFailed,   // the answer, but an error status or a value that is not a string
    kString,   // the answer, with its OCTET STRING in `value`
};
SnmpReply JudgeGetResponse(const std::uint8_t* data, std::size_t size, const SnmpMessage& request,
                           std::string& value);

// Sends one request to `agent` and waits at most `limit` for its answer; no retry.
std::optional<std::string> SnmpGetOctetString(platform::Endpoint agent, const std::string& oid,
                                              std::chrono::milliseconds limit);

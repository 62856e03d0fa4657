// SNMP v1 GetRequest decoding and GetResponse encoding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace printer_sim {

struct SnmpGetRequest {
    std::string community;
    std::int64_t requestId = 0;
    std::vector<std::string> names;  // object identifiers, as BER content bytes
};

// Error statuses of SNMP v1 that the agent sends.
inline constexpr int kSnmpNoError = 0;
inline constexpr int kSnmpNoSuchName = 2;
inline constexpr int kSnmpGenErr = 5;

// The request, or nothing for a datagram that is not a well-formed v1 GetRequest.
std::optional<SnmpGetRequest> DecodeGetRequest(std::string_view datagram);

// One answer per requested name, in order: an OCTET STRING value, or NULL.
std::string EncodeGetResponse(const SnmpGetRequest& request, int errorStatus, int errorIndex,
                              const std::vector<std::optional<std::string>>& values);

}  // namespace printer_sim

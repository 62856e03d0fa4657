#include "ports/snmp_get.h"

#include <random>

namespace {

// The largest datagram UDP carries over IPv4.
constexpr std::size_t kLargestDatagram = 65507;

// A fresh id for each request, so that a late answer to an earlier one is ignored.
std::int32_t NextRequestId() {
    static std::mt19937 generator{std::random_device{}()};
    static std::uniform_int_distribution<std::int32_t> ids(1, INT32_MAX);
    return ids(generator);
}

}  // namespace

SnmpMessage MakeGetRequest(const std::string& oid, std::int32_t requestId) {
    SnmpMessage request;
    request.community = kSnmpCommunity;
    request.pduType = kSnmpGetRequest;
    request.requestId = requestId;
    request.bindings.push_back({oid, kBerNull, {}});
    return request;
}

SnmpReply JudgeGetResponse(const std::uint8_t* data, std::size_t size, const SnmpMessage& request,
                           std::string& value) {
    const std::optional<SnmpMessage> reply = DecodeSnmpMessage(data, size);
    if (!reply || reply->version != kSnmpVersion1 || reply->pduType != kSnmpGetResponse ||
        reply->community != request.community || reply->requestId != request.requestId) {
        return SnmpReply::kIgnored;
    }
    if (reply->errorStatus != 0) {
        return SnmpReply::kFailed;
    }
    if (reply->bindings.size() != 1 || reply->bindings[0].name != request.bindings[0].name) {
        return SnmpReply::kIgnored;
    }
    if (reply->bindings[0].valueTag != kBerOctetString) {
        return SnmpReply::kFailed;
    }
    value = reply->bindings[0].value;
    return SnmpReply::kString;
}

std::optional<std::string> SnmpGetOctetString(platform::Endpoint agent, const std::string& oid,
                                              std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const SnmpMessage request = MakeGetRequest(oid, NextRequestId());
    const std::string datagram = EncodeSnmpMessage(request);
    platform::Socket socket;
    if (!socket.ConnectUdp(agent) || !socket.SendAll(datagram.data(), datagram.size(), limit)) {
        return std::nullopt;
    }
    std::string buffer(kLargestDatagram, '\0');
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        const long received = socket.Receive(buffer.data(), buffer.size(), left);
        // A host without an agent answers with an ICMP "port unreachable", which the
        // connected socket reports as one receive error. It is no answer: the query
        // fails only when its time is up, as with a host that stays silent.
        if (received < 0) {
            continue;
        }
        std::string value;
        switch (JudgeGetResponse(reinterpret_cast<const std::uint8_t*>(buffer.data()),
                                 static_cast<std::size_t>(received), request, value)) {
            case SnmpReply::kString:
                return value;
            case SnmpReply::kFailed:
                return std::nullopt;
            case SnmpReply::kIgnored:
                break;
        }
    }
}

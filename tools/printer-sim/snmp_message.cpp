#include "snmp_message.h"

#include "ber.h"

namespace printer_sim {
namespace {

constexpr std::uint8_t kGetRequestPdu = 0xA0;
constexpr std::uint8_t kGetResponsePdu = 0xA2;
constexpr std::int64_t kVersion1 = 0;

}  // namespace

std::optional<SnmpGetRequest> DecodeGetRequest(std::string_view datagram) {
    ber::Reader top(datagram);
    std::string_view message;
    if (!top.Read(ber::kSequence, message) || !top.AtEnd()) {
        return std::nullopt;
    }
    ber::Reader fields(message);
    SnmpGetRequest request;
    std::int64_t version = -1;
    std::string_view community;
    std::string_view pdu;
    if (!fields.ReadInteger(version) || version != kVersion1 ||
        !fields.Read(ber::kOctetString, community) || !fields.Read(kGetRequestPdu, pdu)) {
        return std::nullopt;
    }
    request.community = std::string(community);
    ber::Reader pduFields(pdu);
    std::int64_t errorStatus = 0;
    std::int64_t errorIndex = 0;
    std::string_view bindings;
    if (!pduFields.ReadInteger(request.requestId) || !pduFields.ReadInteger(errorStatus) ||
        !pduFields.ReadInteger(errorIndex) || !pduFields.Read(ber::kSequence, bindings)) {
        return std::nullopt;
    }
    ber::Reader list(bindings);
    while (!list.AtEnd()) {
        std::string_view binding;
        std::string_view name;
        if (!list.Read(ber::kSequence, binding)) {
            return std::nullopt;
        }
        ber::Reader parts(binding);
        if (!parts.Read(ber::kObjectId, name) || name.empty()) {
            return std::nullopt;
        }
        request.names.emplace_back(name);
    }
    if (request.names.empty()) {
        return std::nullopt;
    }
    return request;
}

std::string EncodeGetResponse(const SnmpGetRequest& request, int errorStatus, int errorIndex,
                              const std::vector<std::optional<std::string>>& values) {
    std::string bindings;
    for (std::size_t i = 0; i < request.names.size(); ++i) {
        const bool hasValue = i < values.size() && values[i].has_value();
        const std::string value =
            hasValue ? ber::Element(ber::kOctetString, *values[i]) : ber::Element(ber::kNull, {});
        bindings +=
            ber::Element(ber::kSequence, ber::Element(ber::kObjectId, request.names[i]) + value);
    }
    const std::string pdu = ber::Integer(request.requestId) + ber::Integer(errorStatus) +
                            ber::Integer(errorIndex) + ber::Element(ber::kSequence, bindings);
    return ber::Element(ber::kSequence, ber::Integer(kVersion1) +
                                            ber::Element(ber::kOctetString, request.community) +
                                            ber::Element(kGetResponsePdu, pdu));
}

}  // namespace printer_sim

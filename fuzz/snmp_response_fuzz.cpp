// libFuzzer target: the SNMP decoder on arbitrary datagrams. What it accepts must
// encode and decode back to the same message, and judging it must not fail.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ports/snmp_get.h"
#include "ports/snmp_message.h"

namespace {

bool SameMessage(const SnmpMessage& a, const SnmpMessage& b) {
    if (a.version != b.version || a.community != b.community || a.pduType != b.pduType ||
        a.requestId != b.requestId || a.errorStatus != b.errorStatus ||
        a.errorIndex != b.errorIndex || a.bindings.size() != b.bindings.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.bindings.size(); ++i) {
        if (a.bindings[i].name != b.bindings[i].name ||
            a.bindings[i].valueTag != b.bindings[i].valueTag ||
            a.bindings[i].value != b.bindings[i].value) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<SnmpMessage> message = DecodeSnmpMessage(data, size);
    if (message) {
        const std::string encoded = EncodeSnmpMessage(*message);
        const std::optional<SnmpMessage> again = DecodeSnmpMessage(
            reinterpret_cast<const std::uint8_t*>(encoded.data()), encoded.size());
        if (!again || !SameMessage(*message, *again)) {
            std::abort();
        }
    }
    const SnmpMessage request = MakeGetRequest(*EncodeObjectIdentifier(".1.3.6"), 1);
    std::string value;
    (void)JudgeGetResponse(data, size, request, value);
    return 0;
}

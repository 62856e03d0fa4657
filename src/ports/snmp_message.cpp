#include "ports/snmp_message.h"

#include <charconv>

#include "ports/ber_reader.h"

namespace {

constexpr std::uint8_t kBerInteger = 0x02;
constexpr std::uint8_t kBerObjectIdentifier = 0x06;
constexpr std::uint8_t kBerSequence = 0x30;
constexpr std::string_view kMib2Root = "1.3.6.1.2.1.";

void AppendItem(std::string& out, std::uint8_t tag, std::string_view contents) {
    out += static_cast<char>(tag);
    const std::size_t size = contents.size();
    if (size < 0x80) {
        out += static_cast<char>(size);
    } else {
        int bytes = 0;
        for (std::size_t rest = size; rest != 0; rest >>= 8) {
            ++bytes;
        }
        out += static_cast<char>(0x80 | bytes);
        for (int i = bytes - 1; i >= 0; --i) {
            out += static_cast<char>(size >> (8 * i));
        }
    }
    out += contents;
}

void AppendInteger(std::string& out, std::int32_t value) {
    // The shortest two's complement form: drop leading bytes that only repeat the sign.
    const auto bits = static_cast<std::uint32_t>(value);
    int bytes = 4;
    while (bytes > 1) {
        const std::uint32_t top9 = (bits >> (8 * (bytes - 1) - 1)) & 0x1FF;
        if (top9 != 0 && top9 != 0x1FF) {
            break;
        }
        --bytes;
    }
    std::string contents;
    for (int i = bytes - 1; i >= 0; --i) {
        contents += static_cast<char>(bits >> (8 * i));
    }
    AppendItem(out, kBerInteger, contents);
}

void AppendBase128(std::string& out, std::uint32_t arc) {
    char digits[5];
    int count = 0;
    do {
        digits[count++] = static_cast<char>(arc & 0x7F);
        arc >>= 7;
    } while (arc != 0);
    while (count > 1) {
        out += static_cast<char>(digits[--count] | 0x80);
    }
    out += digits[0];
}

std::string Text(const BerReader& reader) {
    return std::string(reinterpret_cast<const char*>(reader.begin()),
                       static_cast<std::size_t>(reader.end() - reader.begin()));
}

bool ReadBinding(BerReader& list, SnmpBinding& binding) {
    BerReader sequence;
    BerReader name;
    BerReader value;
    if (!list.ReadItem(kBerSequence, sequence) || !sequence.ReadItem(kBerObjectIdentifier, name) ||
        !sequence.ReadAnyItem(binding.valueTag, value) || !sequence.AtEnd()) {
        return false;
    }
    binding.name = Text(name);
    binding.value = Text(value);
    return true;
}

}  // namespace

std::string EncodeSnmpMessage(const SnmpMessage& message) {
    std::string bindings;
    for (const SnmpBinding& binding : message.bindings) {
        std::string item;
        AppendItem(item, kBerObjectIdentifier, binding.name);
        AppendItem(item, binding.valueTag, binding.value);
        AppendItem(bindings, kBerSequence, item);
    }
    std::string pdu;
    AppendInteger(pdu, message.requestId);
    AppendInteger(pdu, message.errorStatus);
    AppendInteger(pdu, message.errorIndex);
    AppendItem(pdu, kBerSequence, bindings);
    std::string body;
    AppendInteger(body, message.version);
    AppendItem(body, kBerOctetString, message.community);
    AppendItem(body, message.pduType, pdu);
    std::string out;
    AppendItem(out, kBerSequence, body);
    return out;
}

std::optional<SnmpMessage> DecodeSnmpMessage(const std::uint8_t* data, std::size_t size) {
    BerReader datagram(data, data + size);
    BerReader body;
    BerReader community;
    BerReader pdu;
    BerReader list;
    SnmpMessage message;
    if (!datagram.ReadItem(kBerSequence, body) || !datagram.AtEnd() ||
        !body.ReadInteger(message.version) || !body.ReadItem(kBerOctetString, community) ||
        !body.ReadAnyItem(message.pduType, pdu) || !body.AtEnd() ||
        !pdu.ReadInteger(message.requestId) || !pdu.ReadInteger(message.errorStatus) ||
        !pdu.ReadInteger(message.errorIndex) || !pdu.ReadItem(kBerSequence, list) || !pdu.AtEnd()) {
        return std::nullopt;
    }
    message.community = Text(community);
    while (!list.AtEnd()) {
        SnmpBinding binding;
        if (!ReadBinding(list, binding)) {
            return std::nullopt;
        }
        message.bindings.push_back(std::move(binding));
    }
    return message;
}

std::optional<std::string> EncodeObjectIdentifier(std::string_view dotted) {
    std::string text;
    if (!dotted.empty() && dotted.front() == '.') {
        text = dotted.substr(1);
    } else {
        text = std::string(kMib2Root) + std::string(dotted);
    }
    std::vector<std::uint32_t> arcs;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end) {
        std::uint32_t arc = 0;
        const auto [next, error] = std::from_chars(p, end, arc);
        if (error != std::errc{} || next == p || (next != end && *next != '.') ||
            (next != end && next + 1 == end)) {
            return std::nullopt;
        }
        arcs.push_back(arc);
        p = next == end ? end : next + 1;
    }
    if (arcs.size() < 2 || arcs[0] > 2 || (arcs[0] < 2 && arcs[1] >= 40) ||
        arcs[1] > UINT32_MAX - 80) {
        return std::nullopt;
    }
    std::string out;
    AppendBase128(out, arcs[0] * 40 + arcs[1]);
    for (std::size_t i = 2; i < arcs.size(); ++i) {
        AppendBase128(out, arcs[i]);
    }
    return out;
}

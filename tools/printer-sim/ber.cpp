#include "ber.h"

#include <charconv>
#include <vector>

namespace printer_sim::ber {

bool Reader::Read(std::uint8_t tag, std::string_view& content) {
    if (m_end - m_pos < 2 || *m_pos != tag) {
        return false;
    }
    const std::uint8_t* p = m_pos + 1;
    std::size_t length = *p++;
    if (length & 0x80) {
        // Long form; indefinite lengths (0x80) and more than 4 length bytes are refused.
        const std::size_t count = length & 0x7F;
        if (count == 0 || count > 4 || static_cast<std::size_t>(m_end - p) < count) {
            return false;
        }
        length = 0;
        for (std::size_t i = 0; i < count; ++i) {
            length = (length << 8) | *p++;
        }
    }
    if (static_cast<std::size_t>(m_end - p) < length) {
        return false;
    }
    content = std::string_view(reinterpret_cast<const char*>(p), length);
    m_pos = p + length;
    return true;
}

bool Reader::ReadInteger(std::int64_t& value) {
    std::string_view content;
    if (!Read(kInteger, content) || content.empty() || content.size() > 4) {
        return false;
    }
    std::int64_t v = static_cast<std::int8_t>(content[0]);
    for (std::size_t i = 1; i < content.size(); ++i) {
        v = v * 256 + static_cast<std::uint8_t>(content[i]);
    }
    value = v;
    return true;
}

std::string Element(std::uint8_t tag, std::string_view content) {
    std::string out(1, static_cast<char>(tag));
    const std::size_t n = content.size();
    if (n < 0x80) {
        out += static_cast<char>(n);
    } else {
        std::string digits;
        for (std::size_t rest = n; rest != 0; rest >>= 8) {
            digits.insert(digits.begin(), static_cast<char>(rest & 0xFF));
        }
        out += static_cast<char>(0x80 | digits.size());
        out += digits;
    }
    out += content;
    return out;
}

std::string Integer(std::int64_t value) {
    // Shortest two's-complement form: drop leading bytes that only repeat the sign.
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes += static_cast<char>((value >> shift) & 0xFF);
    }
    while (bytes.size() > 1) {
        const auto first = static_cast<std::uint8_t>(bytes[0]);
        const auto second = static_cast<std::uint8_t>(bytes[1]);
        if ((first == 0x00 && !(second & 0x80)) || (first == 0xFF && (second & 0x80))) {
            bytes.erase(0, 1);
        } else {
            break;
        }
    }
    return Element(kInteger, bytes);
}

std::string ObjectIdContent(std::string_view dotted) {
    if (!dotted.empty() && dotted.front() == '.') {
        dotted.remove_prefix(1);
    }
    std::vector<std::uint32_t> arcs;
    while (!dotted.empty()) {
        const std::size_t dot = dotted.find('.');
        const std::string_view arc = dotted.substr(0, dot);
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(arc.data(), arc.data() + arc.size(), value);
        if (arc.empty() || error != std::errc() || end != arc.data() + arc.size()) {
            return {};
        }
        arcs.push_back(value);
        dotted = dot == std::string_view::npos ? std::string_view() : dotted.substr(dot + 1);
    }
    if (arcs.size() < 2 || arcs[0] > 2 || arcs[1] >= 40) {
        return {};
    }
    std::string out;
    arcs[1] += arcs[0] * 40;
    for (std::size_t i = 1; i < arcs.size(); ++i) {
        std::string group(1, static_cast<char>(arcs[i] & 0x7F));
        for (std::uint32_t rest = arcs[i] >> 7; rest != 0; rest >>= 7) {
            group.insert(group.begin(), static_cast<char>(0x80 | (rest & 0x7F)));
        }
        out += group;
    }
    return out;
}

}  // namespace printer_sim::ber

#include "app/address_from_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/text_codec.h"

namespace {

constexpr std::size_t kMaxAddressCharacters = 15;  // 16-byte buffer with its terminator
constexpr std::uint32_t kAddressNone = 0xFFFFFFFF;

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

bool IsAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// One part of the dotted form, starting at `pos`; advances `pos` past it.
std::optional<std::uint64_t> ReadPart(const std::string& text, std::size_t& pos) {
    if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') {
        return std::nullopt;
    }
    int base = 10;
    if (text[pos] == '0') {
        base = 8;
        ++pos;
        if (pos < text.size() && (text[pos] == 'x' || text[pos] == 'X')) {
            base = 16;
            ++pos;
        }
    }
    std::uint64_t value = 0;
    while (pos < text.size() && DigitValue(text[pos]) < base) {
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(DigitValue(text[pos]));
        if (value > kAddressNone) {
            return std::nullopt;
        }
        ++pos;
    }
    // 08 or 09 is no octal number; a digit that the base cannot take ends the text
    // in a way inet_addr refuses.
    if (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        return std::nullopt;
    }
    return value;
}

std::uint32_t InetAddr(const std::string& text) {
    std::array<std::uint64_t, 4> parts{};
    std::size_t count = 0;
    std::size_t pos = 0;
    for (;;) {
        const auto part = ReadPart(text, pos);
        if (!part) {
            return kAddressNone;
        }
        parts[count++] = *part;
        if (pos < text.size() && text[pos] == '.') {
            if (count == parts.size()) {
                return kAddressNone;
            }
            ++pos;
            continue;
        }
        break;
    }
    // The address may be followed by white space and anything after it.
    if (pos < text.size() && !IsAsciiSpace(text[pos])) {
        return kAddressNone;
    }
    // The last part fills every byte that the earlier parts leave.
    const std::uint64_t lastLimit = kAddressNone >> (8 * (count - 1));
    if (parts[count - 1] > lastLimit) {
        return kAddressNone;
    }
    std::uint32_t address = static_cast<std::uint32_t>(parts[count - 1]);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (parts[i] > 0xFF) {
            return kAddressNone;
        }
        address |= static_cast<std::uint32_t>(parts[i]) << (24 - 8 * i);
    }
    return address;
}

}  // namespace

std::uint32_t AddressFromText(const CString& text) {
    const std::string ansi = platform::WideToAnsi(text);
    if (ansi.size() > kMaxAddressCharacters) {
        return 0;
    }
    const std::uint32_t address = InetAddr(ansi);
    return address == kAddressNone ? 0 : address;
}

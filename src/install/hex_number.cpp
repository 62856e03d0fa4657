#include "install/hex_number.h"

#include <algorithm>
#include <limits>

#include "app/wide_space.h"

namespace {

struct HexReading {
    bool negative = false;
    std::uint64_t magnitude = 0;  // stops growing once above 32 bits
};

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

HexReading ReadHex(std::wstring_view text) {
    HexReading reading;
    std::size_t pos = 0;
    while (pos < text.size() && IsWideSpace(text[pos])) {
        ++pos;
    }
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        reading.negative = text[pos] == L'-';
        ++pos;
    }
    // Skipping a "0x" that no digit follows still reads 0, as the C library does.
    if (text.substr(pos, 2) == L"0x" || text.substr(pos, 2) == L"0X") {
        pos += 2;
    }
    constexpr std::uint64_t kBeyond32Bits = std::uint64_t{1} << 32;
    for (; pos < text.size() && HexDigit(text[pos]) >= 0; ++pos) {
        if (reading.magnitude < kBeyond32Bits) {
            reading.magnitude = reading.magnitude * 16 + static_cast<unsigned>(HexDigit(text[pos]));
        }
    }
    return reading;
}

}  // namespace

std::int32_t ReadSignedHex(std::wstring_view text) {
    const HexReading reading = ReadHex(text);
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::int64_t value = static_cast<std::int64_t>(
        std::min<std::uint64_t>(reading.magnitude, static_cast<std::uint64_t>(kMax) + 1));
    if (reading.negative) {
        return static_cast<std::int32_t>(-value);
    }
    return static_cast<std::int32_t>(std::min(value, kMax));
}

std::uint32_t ReadUnsignedHex(std::wstring_view text) {
    const HexReading reading = ReadHex(text);
    if (reading.magnitude > std::numeric_limits<std::uint32_t>::max()) {
        return std::numeric_limits<std::uint32_t>::max();
    }
    const auto value = static_cast<std::uint32_t>(reading.magnitude);
    return reading.negative ? 0u - value : value;
}

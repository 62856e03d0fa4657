#include "synthetic_payload.h"

#include <cstdint>
#include <string>

#include "image/puf_container.h"

namespace {

std::string RightAligned(std::string_view text, std::size_t width, char fill) {
    return std::string(width - text.size(), fill) + std::string(text);
}

}  // namespace

std::optional<std::vector<unsigned char>> MakeSyntheticPayload(std::string_view productCode,
                                                               std::string_view version,
                                                               std::size_t length) {
    if (productCode.size() > kPufProductCodeLength || version.size() > kPufVersionLength ||
        length < kPufHeaderLength || length >= kPufMaxContainerLength) {
        return std::nullopt;
    }
    const std::string header = std::string(kPufMagic) +
                               RightAligned(productCode, kPufProductCodeLength, '0') +
                               RightAligned(version, kPufVersionLength, ' ');
    std::vector<unsigned char> payload(header.begin(), header.end());
    payload.reserve(length);
    // xorshift32 with a fixed seed: every build makes the same bytes.
    std::uint32_t state = 0x50554631;
    while (payload.size() < length) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        payload.push_back(static_cast<unsigned char>(state >> 24));
    }
    return payload;
}

#include "image/container_key.h"

#include <algorithm>
#include <array>

#include "ports/open_codes.h"

namespace {

static_assert(kContainerKeyPeriod == kAccessCodeLength + 1);

std::array<unsigned char, kContainerKeyPeriod> MakeKey() {
    std::array<unsigned char, kContainerKeyPeriod> key{};  // the last byte stays 0
    const std::string_view code = AccessCode(0);
    std::copy(code.begin(), code.end(), key.begin());
    return key;
}

// Walks the buffer one key period at a time, so the inner loop runs over whole
// periods without a modulo and vectorises.
template <typename Combine>
void ApplyKey(unsigned char* data, std::uint32_t n, Combine combine) {
    static const std::array<unsigned char, kContainerKeyPeriod> key = MakeKey();
    std::uint32_t start = 0;
    while (start < n) {
        const std::uint32_t count = std::min(n - start, kContainerKeyPeriod);
        unsigned char* period = data + start;
        for (std::uint32_t i = 0; i < count; ++i) {
            period[i] = combine(period[i], key[i]);
        }
        start += count;
    }
}

}  // namespace

void SubtractContainerKey(unsigned char* data, std::uint32_t n) {
    ApplyKey(data, n, [](unsigned char byte, unsigned char k) {
        return static_cast<unsigned char>(byte - k);
    });
}

void AddContainerKey(unsigned char* data, std::uint32_t n) {
    ApplyKey(data, n, [](unsigned char byte, unsigned char k) {
        return static_cast<unsigned char>(byte + k);
    });
}

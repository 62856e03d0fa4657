#include "image/container_key.h"

#include <algorithm>
#include <array>

#include "ports/open_codes.h"

namespace {

static_assert(kContainerKeyPeriod == kAccessCodeLength + 1);

std::array<unsigned char, kKeyRunLength> MakeKeyRun() {
    std::array<unsigned char, kKeyRunLength> run{};  // each period's last byte stays 0
    const std::string_view code = AccessCode(0);
    for (std::uint32_t start = 0; start < kKeyRunLength; start += kContainerKeyPeriod) {
        std::copy(code.begin(), code.end(), run.begin() + start);
    }
    return run;
}

}  // namespace

const unsigned char* ContainerKeyRun() {
    static const std::array<unsigned char, kKeyRunLength> run = MakeKeyRun();
    return run.data();
}

void AddContainerKey(unsigned char* data, std::uint32_t n) {
    const unsigned char* key = ContainerKeyRun();
    std::uint32_t start = 0;
    while (start < n) {
        const std::uint32_t count = std::min(n - start, kKeyRunLength);
        for (std::uint32_t i = 0; i < count; ++i) {
            data[start + i] = static_cast<unsigned char>(data[start + i] + key[i]);
        }
        start += count;
    }
}

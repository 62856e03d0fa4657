#include "image/puf_container.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "image/bit_planes.h"
#include "image/container_key.h"

unsigned char ByteSum(const unsigned char* data, std::uint32_t n) {
    unsigned char sum = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        sum = static_cast<unsigned char>(sum + data[i]);
    }
    return sum;
}

unsigned char UnscrambleContainer(unsigned char* data, std::uint32_t n) {
    if (n == 0) {
        return 0;
    }
    const auto input = std::make_unique_for_overwrite<unsigned char[]>(n);
    std::memcpy(input.get(), data, n);
    unsigned char sum = 0;
    // Stretches never cross a multiple of the key run, so each reads its key from one
    // contiguous range.
    ForEachRotatedStretch(
        input.get(), n, kKeyRunLength,
        [data, &sum](std::uint32_t begin, std::uint32_t count, const PlaneSources& at) {
            const unsigned char* from[kBitPlanes];
            std::copy(at.begin(), at.end(), from);
            const unsigned char* key = ContainerKeyRun() + begin % kKeyRunLength;
            unsigned char* __restrict out = data + begin;
            unsigned char stretchSum = 0;
            for (std::uint32_t i = 0; i < count; ++i) {
                const auto byte = static_cast<unsigned char>(MergePlanes(from, i) - key[i]);
                out[i] = byte;
                stretchSum = static_cast<unsigned char>(stretchSum + byte);
            }
            sum = static_cast<unsigned char>(sum + stretchSum);
        });
    return sum;
}

std::vector<unsigned char> PackPufContainer(std::span<const unsigned char> payload) {
    if (payload.size() >= kPufMaxContainerLength) {
        return {};
    }
    const auto n = static_cast<std::uint32_t>(payload.size() + 1);
    std::vector<unsigned char> container(payload.begin(), payload.end());
    container.push_back(static_cast<unsigned char>(kPufByteSum - ByteSum(payload.data(), n - 1)));
    AddContainerKey(container.data(), n);
    RotateBitPlanesBack(container.data(), n);
    return container;
}

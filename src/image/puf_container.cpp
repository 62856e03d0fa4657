#include "image/puf_container.h"

#include "image/bit_planes.h"
#include "image/container_key.h"

unsigned char ByteSum(const unsigned char* data, std::uint32_t n) {
    unsigned char sum = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        sum = static_cast<unsigned char>(sum + data[i]);
    }
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

#include "image/bit_planes.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr int kPlanes = 8;

// Output bytes [0, count) from the planes' sources, each contiguous over the range.
// Whole bytes are masked and merged, so the loop vectorises.
void MergePlanes(unsigned char* __restrict out, const unsigned char* const (&from)[kPlanes],
                 std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        unsigned value = 0;
        for (int b = 0; b < kPlanes; ++b) {
            value |= from[b][i] & (1u << b);
        }
        out[i] = static_cast<unsigned char>(value);
    }
}

// Rotates plane b forwards by shift[b] (each below n). The shifts split the output
// into at most nine ranges in which every plane reads one contiguous range of the
// input, so the work is a single pass of whole bytes.
void RotatePlanes(unsigned char* data, std::uint32_t n,
                  const std::array<std::uint32_t, kPlanes>& shift) {
    if (n == 0) {
        return;
    }
    const auto input = std::make_unique_for_overwrite<unsigned char[]>(n);
    std::memcpy(input.get(), data, n);

    std::array<std::uint32_t, kPlanes + 2> bounds{};
    std::copy(shift.begin(), shift.end(), bounds.begin());
    bounds[kPlanes] = 0;
    bounds[kPlanes + 1] = n;
    std::sort(bounds.begin(), bounds.end());

    for (std::size_t k = 0; k + 1 < bounds.size(); ++k) {
        const std::uint32_t begin = bounds[k];
        const std::uint32_t end = bounds[k + 1];
        if (begin == end) {
            continue;
        }
        const unsigned char* from[kPlanes];
        for (int b = 0; b < kPlanes; ++b) {
            // Output j reads input j - shift, wrapped below 0.
            const std::uint32_t source =
                begin >= shift[b] ? begin - shift[b] : begin + (n - shift[b]);
            from[b] = input.get() + source;
        }
        MergePlanes(data + begin, from, end - begin);
    }
}

}  // namespace

std::array<std::uint32_t, 8> BitPlaneDistances(std::uint32_t n) {
    std::array<std::uint32_t, kPlanes> distance{};
    for (int b = 0; b < kPlanes; ++b) {
        // A 64-bit product: (b + 1) * n does not fit 32 bits for the largest n.
        distance[b] = static_cast<std::uint32_t>((b + 1) * std::uint64_t{n} / 9);
    }
    return distance;
}

void RotateBitPlanes(unsigned char* data, std::uint32_t n) {
    RotatePlanes(data, n, BitPlaneDistances(n));
}

void RotateBitPlanesBack(unsigned char* data, std::uint32_t n) {
    std::array<std::uint32_t, kPlanes> shift = BitPlaneDistances(n);
    for (std::uint32_t& s : shift) {
        s = s == 0 ? 0 : n - s;
    }
    RotatePlanes(data, n, shift);
}

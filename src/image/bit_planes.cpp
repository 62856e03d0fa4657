#include "image/bit_planes.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

using PlaneShifts = std::array<std::uint32_t, kBitPlanes>;

// Plane b moves forwards by shift[b] (each below n).
void ForEachShiftedStretch(const unsigned char* input, std::uint32_t n, const PlaneShifts& shift,
                           std::uint64_t stretchLimit, const StretchVisitor& visit) {
    std::array<std::uint32_t, kBitPlanes + 2> bounds{};
    std::copy(shift.begin(), shift.end(), bounds.begin());
    bounds[kBitPlanes] = 0;
    bounds[kBitPlanes + 1] = n;
    std::sort(bounds.begin(), bounds.end());

    for (std::size_t k = 0; k + 1 < bounds.size(); ++k) {
        const std::uint32_t end = bounds[k + 1];
        std::uint32_t begin = bounds[k];
        while (begin < end) {
            const auto stretchEnd = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(end, (begin / stretchLimit + 1) * stretchLimit));
            PlaneSources from{};
            for (int b = 0; b < kBitPlanes; ++b) {
                // Output j reads input j - shift, wrapped below 0.
                from[b] = input + (begin >= shift[b] ? begin - shift[b] : begin + (n - shift[b]));
            }
            visit(begin, stretchEnd - begin, from);
            begin = stretchEnd;
        }
    }
}

// In place through one temporary copy; each stretch is written once.
void ShiftPlanes(unsigned char* data, std::uint32_t n, const PlaneShifts& shift) {
    if (n == 0) {
        return;
    }
    const auto input = std::make_unique_for_overwrite<unsigned char[]>(n);
    std::memcpy(input.get(), data, n);
    ForEachShiftedStretch(input.get(), n, shift, n,
                          [data](std::uint32_t begin, std::uint32_t count, const PlaneSources& at) {
                              const unsigned char* from[kBitPlanes];
                              std::copy(at.begin(), at.end(), from);
                              unsigned char* __restrict out = data + begin;
                              for (std::uint32_t i = 0; i < count; ++i) {
                                  out[i] = MergePlanes(from, i);
                              }
                          });
}

}  // namespace

std::array<std::uint32_t, kBitPlanes> BitPlaneDistances(std::uint32_t n) {
    PlaneShifts distance{};
    for (int b = 0; b < kBitPlanes; ++b) {
        // A 64-bit product: (b + 1) * n does not fit 32 bits for the largest n.
        distance[b] = static_cast<std::uint32_t>((b + 1) * std::uint64_t{n} / 9);
    }
    return distance;
}

void ForEachRotatedStretch(const unsigned char* input, std::uint32_t n, std::uint32_t stretchLimit,
                           const StretchVisitor& visit) {
    ForEachShiftedStretch(input, n, BitPlaneDistances(n), std::max(stretchLimit, 1u), visit);
}

void RotateBitPlanes(unsigned char* data, std::uint32_t n) {
    ShiftPlanes(data, n, BitPlaneDistances(n));
}

void RotateBitPlanesBack(unsigned char* data, std::uint32_t n) {
    PlaneShifts shift = BitPlaneDistances(n);
    for (std::uint32_t& s : shift) {
        s = s == 0 ? 0 : n - s;
    }
    ShiftPlanes(data, n, shift);
}

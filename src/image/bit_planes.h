// The bit-plane rotation of the firmware container: each of the eight bit planes
// of a buffer is rotated cyclically by its own distance; a bit never changes its
// position inside a byte.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

inline constexpr int kBitPlanes = 8;

// Distance of plane b (mask 1 << b) in a buffer of n bytes: floor((b + 1) * n / 9).
std::array<std::uint32_t, kBitPlanes> BitPlaneDistances(std::uint32_t n);

// Where one stretch of the rotated output comes from: plane b of output byte
// begin + i is plane b of from[b][i].
using PlaneSources = std::array<const unsigned char*, kBitPlanes>;
using StretchVisitor =
    std::function<void(std::uint32_t begin, std::uint32_t count, const PlaneSources& from)>;

// The rotation of `input` (n bytes) towards higher indices as a walk over its
// output: bit b of output byte j is bit b of input byte (j - d(b)) mod n. The
// distances split the output into at most nine ranges in which every plane reads
// one contiguous range; the visitor gets them in order, cut where they cross a
// multiple of `stretchLimit`.
void ForEachRotatedStretch(const unsigned char* input, std::uint32_t n, std::uint32_t stretchLimit,
                           const StretchVisitor& visit);

// Byte i of a stretch: the planes' bits merged from whole bytes.
inline unsigned char MergePlanes(const unsigned char* const (&from)[kBitPlanes], std::uint32_t i) {
    unsigned value = 0;
    for (int b = 0; b < kBitPlanes; ++b) {
        value |= from[b][i] & (1u << b);
    }
    return static_cast<unsigned char>(value);
}

// The rotation in place, with one temporary copy of the n bytes.
void RotateBitPlanes(unsigned char* data, std::uint32_t n);

// The inverse, in place: moves every plane back by its distance.
void RotateBitPlanesBack(unsigned char* data, std::uint32_t n);

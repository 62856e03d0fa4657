// The bit-plane rotation of the firmware container: each of the eight bit planes
// of a buffer is rotated cyclically by its own distance; a bit never changes its
// position inside a byte.
#pragma once

#include <array>
#include <cstdint>

// Distance of plane b (mask 1 << b) in a buffer of n bytes: floor((b + 1) * n / 9).
std::array<std::uint32_t, 8> BitPlaneDistances(std::uint32_t n);

// Moves every plane towards higher indices by its distance: bit b of output byte j
// is bit b of input byte (j - d(b)) mod n. Makes one temporary copy of the n bytes.
void RotateBitPlanes(unsigned char* data, std::uint32_t n);

// The inverse: moves every plane back by its distance.
void RotateBitPlanesBack(unsigned char* data, std::uint32_t n);

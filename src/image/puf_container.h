// The firmware container "PUF1": a payload of header and body, one check byte, and
// two scrambling steps (the container key, then the bit-plane rotation) over all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// The decoded container, from offset 0: the 32-byte header, the body, the check byte.
inline constexpr std::string_view kPufMagic = "PUF1";
inline constexpr std::size_t kPufProductCodeOffset = 4;
inline constexpr std::size_t kPufProductCodeLength = 6;
inline constexpr std::size_t kPufVersionOffset = 10;
inline constexpr std::size_t kPufVersionLength = 22;
inline constexpr std::size_t kPufHeaderLength = 32;

// The check byte makes the 8-bit sum of all decoded bytes this value.
inline constexpr unsigned char kPufByteSum = 0x7F;

// The maker's tools compute the plane distances (b + 1) * n in 32 bits, which wraps
// from 2^29 bytes on; a larger container cannot be decoded to what was packed.
inline constexpr std::uint32_t kPufMaxContainerLength = (1u << 29) - 1;

// The 8-bit sum of n bytes.
unsigned char ByteSum(const unsigned char* data, std::uint32_t n);

// Undoes both scrambling steps in place: the bit-plane rotation (through one
// temporary copy of the n bytes), then the key subtraction, done together in one
// pass over the buffer. Returns the 8-bit sum of the decoded bytes.
unsigned char UnscrambleContainer(unsigned char* data, std::uint32_t n);

// The container of a payload: the inverse of the image's decoding. Empty when the
// container would exceed kPufMaxContainerLength.
std::vector<unsigned char> PackPufContainer(std::span<const unsigned char> payload);

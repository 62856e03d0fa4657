// The key of the firmware container: the 500 characters of open code 0 followed by
// one zero byte, repeating with a period of 501 bytes over the container.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t kContainerKeyPeriod = 501;

// Byte i becomes (byte i - K[i mod 501]) mod 256.
void SubtractContainerKey(unsigned char* data, std::uint32_t n);

// Byte i becomes (byte i + K[i mod 501]) mod 256.
void AddContainerKey(unsigned char* data, std::uint32_t n);

// The key of the firmware container: the 500 characters of open code 0 followed by
// one zero byte, repeating with a period of 501 bytes over the container.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t kContainerKeyPeriod = 501;

// The key written out over this many whole periods, so that a stretch of a
// container up to this long that starts on a period reads its key contiguously.
inline constexpr std::uint32_t kKeyRunLength = 16 * kContainerKeyPeriod;
const unsigned char* ContainerKeyRun();

// Byte i becomes (byte i + K[i mod 501]) mod 256.
void AddContainerKey(unsigned char* data, std::uint32_t n);

// The status word of the maker libraries: non-negative is normal, -1 is no status,
// any other negative value carries its status class in bits 24 to 27.
#pragma once

#include <cstdint>

inline constexpr std::int32_t kNoStatus = -1;
inline constexpr int kStatusClassCleared = 6;  // accepted after ClearCondition

[[nodiscard]] constexpr int StatusClass(std::int32_t word) {
    return static_cast<int>((static_cast<std::uint32_t>(word) >> 24) & 0xF);
}

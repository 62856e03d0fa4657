// The open-code table: the access-code commands that ports send first when they
// switch a printer to receiving firmware. Entry 0's access code is also the key of
// the firmware container.
#pragma once

#include <cstddef>
#include <string_view>

inline constexpr std::string_view kOpenCodePrefix = "OPEN CODE=";
inline constexpr std::size_t kAccessCodeLength = 500;
inline constexpr std::size_t kOpenCodeLength = kOpenCodePrefix.size() + kAccessCodeLength;

// Two NUL-terminated texts of kOpenCodeLength characters: the prefix and an access
// code of printable characters 0x20 to 0x5F. The two access codes differ.
extern const char kOpenCodeTable[2][kOpenCodeLength + 1];

// The access code of an entry, without the prefix.
inline std::string_view AccessCode(std::size_t entry) {
    return std::string_view(kOpenCodeTable[entry] + kOpenCodePrefix.size(), kAccessCodeLength);
}

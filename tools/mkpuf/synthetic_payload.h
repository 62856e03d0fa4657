// A deterministic stand-in payload for builds without a maker's firmware: a valid
// header and a body of pseudo-random bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// The header holds "PUF1", `productCode` right-aligned in its 6 characters with
// leading zeros and `version` right-aligned in its 22 characters with leading
// blanks. Nothing when a text does not fit its field, or `length` is below 32 or
// too large for a container.
std::optional<std::vector<unsigned char>> MakeSyntheticPayload(std::string_view productCode,
                                                               std::string_view version,
                                                               std::size_t length);

// The program's own embedded resources of custom types (the firmware container and
// the maker library).
#pragma once

#include <optional>
#include <span>

namespace platform {

class Resources {
  public:
    virtual ~Resources() = default;
    // The bytes of the resource with this numeric id and type name in the program's
    // own module (no language is asked for), or nothing when it cannot be found,
    // loaded or locked. The bytes stay valid for the life of the process.
    [[nodiscard]] virtual std::optional<std::span<const unsigned char>> Find(
        unsigned id, const wchar_t* type) const = 0;
};

}  // namespace platform

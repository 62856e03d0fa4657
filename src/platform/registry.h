// Reading string values of the system registry.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/tarnel_types.h"

namespace platform {

enum class RegistryRoot { LocalMachine, Users };

class Registry {
  public:
    virtual ~Registry() = default;
    // The data of the string value `name` of `key` under `root`, as stored: its
    // terminating NUL is part of the result when the writer stored one, and no NUL is
    // added. Nothing when the key or value is missing, the value is not a string, or
    // its data needs more than `capacity` UTF-16 characters.
    [[nodiscard]] virtual std::optional<CString> ReadString(RegistryRoot root, const wchar_t* key,
                                                            const wchar_t* name,
                                                            std::size_t capacity) const = 0;
};

}  // namespace platform

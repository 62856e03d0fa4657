// The program's own string table: messages in the user's language and the
// language-neutral build configuration.
#pragma once

#include <optional>

#include "platform/tarnel_types.h"

namespace platform {

class StringTable {
  public:
    virtual ~StringTable() = default;
    // The string with this id in the user's language (falling back to the
    // neutral table), or nothing when the table has no such string.
    [[nodiscard]] virtual std::optional<CString> Load(unsigned id) const = 0;
};

}  // namespace platform

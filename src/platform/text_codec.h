// Conversion between the user interface's wide strings and the single-byte
// texts exchanged with printers and maker libraries.
#pragma once

#include <string>

#include "platform/tarnel_types.h"

namespace platform {

// Converts with the system ANSI code page (Windows), or UTF-8 (POSIX). Characters
// the code page cannot hold become '?'.
std::string WideToAnsi(const CString& text);
CString AnsiToWide(const std::string& text);

}  // namespace platform

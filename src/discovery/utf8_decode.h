// UTF-8 to the user interface's wide strings, alike on every build.
#pragma once

#include <string_view>

#include "platform/tarnel_types.h"

// Decodes all of `bytes` (a NUL included). Each ill-formed part (a stray
// continuation byte, a truncated or overlong sequence, a surrogate, a value above
// U+10FFFF) becomes one U+FFFD. Characters beyond U+FFFF become surrogate pairs
// where wide characters have 16 bits.
CString DecodeUtf8(std::string_view bytes);

// Decimal readings in the way of the C library's atoi, written out so that every
// build reads alike.
#pragma once

#include <string_view>

// White space, an optional sign, then digits up to the first other character; no
// digits give 0. Saturates at the int limits instead of overflowing, as the Windows
// C library does.
int ReadDecimalInt(std::string_view text);

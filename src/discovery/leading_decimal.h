// The decimal number at the start of an element's text.
#pragma once

#include <string_view>

// White space, an optional sign, then digits up to the first other character; no
// digits give 0. Magnitudes beyond 2^40 are held at 2^40, wide enough for callers
// that tell the 32-bit ranges apart.
long long ReadLeadingDecimal(std::wstring_view text);

// Hexadecimal readings of the printer's status texts, in the way of the C library's
// wcstol and wcstoul (base 16), written out so that every build reads alike: the
// C libraries differ in the width of long and in their white space.
#pragma once

#include <cstdint>
#include <string_view>

// wcstol: leading white space, an optional sign and "0x" prefix, then hexadecimal
// digits up to the first other character; no digits give 0. Saturates at the
// limits of a 32-bit long.
std::int32_t ReadSignedHex(std::wstring_view text);

// wcstoul of a 32-bit unsigned long: read as ReadSignedHex, a minus sign negating
// modulo 2^32; a magnitude too large for 32 bits gives 0xFFFFFFFF.
std::uint32_t ReadUnsignedHex(std::wstring_view text);

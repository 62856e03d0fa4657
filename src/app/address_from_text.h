// IPv4 address texts as the command line and the address entry give them.
#pragma once

#include <cstdint>

#include "platform/tarnel_types.h"

// The address in host byte order (first octet most significant), read with the
// Windows Sockets inet_addr rules: one to four parts separated by dots, each
// decimal, octal (leading 0) or hexadecimal (leading 0x), the last part filling the
// remaining bytes. 0 when the text is not an address, longer than 15 characters,
// or 255.255.255.255 (which inet_addr cannot tell from an error).
std::uint32_t AddressFromText(const CString& text);

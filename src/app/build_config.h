// The numbers and codes that the build configuration strings are turned into.
#pragma once

namespace platform {
class StringTable;
}

// atoi of string 204; -1 when the string is missing or longer than 10 characters.
int GetProductCode(const platform::StringTable& strings);

// Port type code of string 205 (see ports/port_type.h); 0 when the string is missing
// or names no port type.
int GetPortType(const platform::StringTable& strings);

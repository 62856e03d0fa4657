#include "ports/port_type.h"

#include <array>
#include <string>

#include "platform/text_codec.h"

namespace {

struct PortTypeEntry {
    const char* name;
    PortTypeCode code;
};

// Searched in this order.
constexpr std::array<PortTypeEntry, 7> kPortTypeTable{{
    {"Ethernet1", PORT_TYPE_ETHERNET1},
    {"Ethernet2", PORT_TYPE_ETHERNET2},
    {"Ethernet3", PORT_TYPE_ETHERNET3},
    {"Ethernet4", PORT_TYPE_ETHERNET4},
    {"USB", PORT_TYPE_USB},
    {"DLL_USB", PORT_TYPE_DLL_USB},
    {"DLL_Ethernet1", PORT_TYPE_DLL_ETHERNET1},
}};

constexpr std::size_t kMaxPortTypeCharacters = 15;  // 16-byte buffer with its terminator

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(const std::string& a, const char* b) {
    const std::string other(b);
    if (a.size() != other.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(other[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

int GetPortTypeCode(const CString& name) {
    const std::string ansi = platform::WideToAnsi(name);
    if (ansi.size() > kMaxPortTypeCharacters) {
        return PORT_TYPE_NONE;
    }
    for (const auto& entry : kPortTypeTable) {
        if (EqualIgnoringCase(ansi, entry.name)) {
            return entry.code;
        }
    }
    return PORT_TYPE_NONE;
}

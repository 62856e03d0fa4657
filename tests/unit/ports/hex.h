// Byte strings written as the hexadecimal the protocol tables show, for the tests.
#pragma once

#include <string>
#include <string_view>

// "00 12 4F" as three bytes; blanks are ignored.
inline std::string FromHex(std::string_view text) {
    std::string bytes;
    int high = -1;
    for (char c : text) {
        if (c == ' ') {
            continue;
        }
        const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        if (high < 0) {
            high = digit;
        } else {
            bytes += static_cast<char>(high * 16 + digit);
            high = -1;
        }
    }
    return bytes;
}

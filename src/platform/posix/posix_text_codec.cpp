// POSIX text codec: the single-byte side is UTF-8, the usual Linux code page.
#include <cstdint>

#include "platform/text_codec.h"

namespace platform {

std::string WideToAnsi(const CString& text) {
    std::string out;
    for (wchar_t wc : text) {
        const auto c = static_cast<std::uint32_t>(wc);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x110000) {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += '?';
        }
    }
    return out;
}

CString AnsiToWide(const std::string& text) {
    CString out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        std::uint32_t c = lead;
        if (lead >= 0xF0 && lead < 0xF8) {
            extra = 3;
            c = lead & 0x07;
        } else if (lead >= 0xE0) {
            extra = 2;
            c = lead & 0x0F;
        } else if (lead >= 0xC0) {
            extra = 1;
            c = lead & 0x1F;
        } else if (lead >= 0x80) {
            extra = SIZE_MAX;  // a continuation byte cannot start a character
        }
        bool valid = extra != SIZE_MAX && extra < text.size() - i;
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        out += valid ? static_cast<wchar_t>(c) : L'?';
        i += valid ? extra + 1 : 1;
    }
    return out;
}

}  // namespace platform

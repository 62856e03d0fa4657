#include "discovery/utf8_decode.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

void AppendCodePoint(CString& out, std::uint32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}

struct Lead {
    std::size_t continuations;
    std::uint32_t bits;
    // The range of the first continuation byte; it excludes overlong forms,
    // surrogates and values above U+10FFFF.
    unsigned char low;
    unsigned char high;
};

bool ReadLead(unsigned char byte, Lead& lead) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        lead = {1, byte & 0x1Fu, 0x80, 0xBF};
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        lead = {2, byte & 0x0Fu, static_cast<unsigned char>(byte == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(byte == 0xED ? 0x9F : 0xBF)};
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        lead = {3, byte & 0x07u, static_cast<unsigned char>(byte == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(byte == 0xF4 ? 0x8F : 0xBF)};
    } else {
        return false;
    }
    return true;
}

}  // namespace

CString DecodeUtf8(std::string_view bytes) {
    CString out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i++]);
        if (byte < 0x80) {
            out += static_cast<wchar_t>(byte);
            continue;
        }
        Lead lead{};
        if (!ReadLead(byte, lead)) {
            out += kReplacement;
            continue;
        }
        std::uint32_t c = lead.bits;
        std::size_t taken = 0;
        for (; taken < lead.continuations && i < bytes.size(); ++taken) {
            const auto next = static_cast<unsigned char>(bytes[i]);
            const unsigned char low = taken == 0 ? lead.low : 0x80;
            const unsigned char high = taken == 0 ? lead.high : 0xBF;
            if (next < low || next > high) {
                break;
            }
            c = (c << 6) | (next & 0x3Fu);
            ++i;
        }
        // A sequence cut short is one replacement; the byte that cut it starts anew.
        if (taken == lead.continuations) {
            AppendCodePoint(out, c);
        } else {
            out += kReplacement;
        }
    }
    return out;
}

#include "firmware_header.h"

namespace printer_sim {
namespace {

constexpr std::size_t kHeaderLength = 32;
constexpr std::size_t kVersionOffset = 10;

bool IsVersionChar(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

}  // namespace

bool HasFirmwareMagic(std::string_view payload) {
    return payload.starts_with("PUF1");
}

std::optional<std::string> FirmwareVersion(std::string_view payload) {
    std::string_view header = payload.substr(0, kHeaderLength);
    header = header.substr(0, header.find('\0'));
    if (header.size() <= kVersionOffset) {
        return std::nullopt;
    }
    std::size_t end = header.size();
    while (end > kVersionOffset && !IsVersionChar(header[end - 1])) {
        --end;
    }
    std::size_t begin = end;
    while (begin > kVersionOffset && IsVersionChar(header[begin - 1])) {
        --begin;
    }
    if (begin == end) {
        return std::nullopt;
    }
    return std::string(header.substr(begin, end - begin));
}

}  // namespace printer_sim

#include "ports/ber_reader.h"

#include <cstddef>

namespace {

constexpr std::uint8_t kHighTagNumber = 0x1F;
constexpr std::uint8_t kBerInteger = 0x02;
// Long-form lengths of up to four bytes cover anything a datagram can hold.
constexpr std::size_t kLongestLengthField = 4;

}  // namespace

bool BerReader::ReadAnyItem(std::uint8_t& tag, BerReader& contents) {
    const std::uint8_t* p = m_next;
    if (m_end - p < 2 || (*p & kHighTagNumber) == kHighTagNumber) {
        return false;
    }
    const std::uint8_t itemTag = *p++;
    std::size_t length = *p++;
    if (length & 0x80) {
        const std::size_t fieldSize = length & 0x7F;
        // 0x80 is the indefinite form, which SNMP does not allow.
        if (fieldSize == 0 || fieldSize > kLongestLengthField ||
            static_cast<std::size_t>(m_end - p) < fieldSize) {
            return false;
        }
        length = 0;
        for (std::size_t i = 0; i < fieldSize; ++i) {
            length = (length << 8) | *p++;
        }
    }
    if (static_cast<std::size_t>(m_end - p) < length) {
        return false;
    }
    tag = itemTag;
    contents = BerReader(p, p + length);
    m_next = p + length;
    return true;
}

bool BerReader::ReadItem(std::uint8_t tag, BerReader& contents) {
    BerReader saved = *this;
    std::uint8_t actual = 0;
    if (!ReadAnyItem(actual, contents) || actual != tag) {
        *this = saved;
        return false;
    }
    return true;
}

bool BerReader::ReadInteger(std::int32_t& value) {
    BerReader contents;
    if (!ReadItem(kBerInteger, contents)) {
        return false;
    }
    const std::size_t size = static_cast<std::size_t>(contents.m_end - contents.m_next);
    if (size == 0 || size > 4) {
        return false;
    }
    // Two's complement, sign taken from the first byte.
    std::uint32_t bits = (*contents.m_next & 0x80) ? ~std::uint32_t{0} : 0;
    for (const std::uint8_t* p = contents.m_next; p != contents.m_end; ++p) {
        bits = (bits << 8) | *p;
    }
    value = static_cast<std::int32_t>(bits);
    return true;
}

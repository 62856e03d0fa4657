// The few BER pieces an SNMP v1 agent needs: a bounds-checked reader over
// (pointer, end) and writers for the types it answers with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace printer_sim::ber {

inline constexpr std::uint8_t kInteger = 0x02;
inline constexpr std::uint8_t kOctetString = 0x04;
inline constexpr std::uint8_t kNull = 0x05;
inline constexpr std::uint8_t kObjectId = 0x06;
inline constexpr std::uint8_t kSequence = 0x30;

// Reads one element after another; every read fails (false) instead of running
// past the end, and the reader never trusts a length field beyond its bytes.
class Reader {
  public:
    Reader(const std::uint8_t* begin, const std::uint8_t* end) : m_pos(begin), m_end(end) {}
    explicit Reader(std::string_view bytes)
        : Reader(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                 reinterpret_cast<const std::uint8_t*>(bytes.data()) + bytes.size()) {}

    bool AtEnd() const { return m_pos == m_end; }

    // One element of the given tag: its content bytes.
    bool Read(std::uint8_t tag, std::string_view& content);
    // An INTEGER that fits into 32 bits, signed.
    bool ReadInteger(std::int64_t& value);

  private:
    const std::uint8_t* m_pos;
    const std::uint8_t* m_end;
};

// One element: tag, definite length, content.
std::string Element(std::uint8_t tag, std::string_view content);
std::string Integer(std::int64_t value);
// The content bytes of a dotted object identifier such as ".1.3.6.1.4.1"; empty
// when the text is not one.
std::string ObjectIdContent(std::string_view dotted);

}  // namespace printer_sim::ber

// A bounds-checked reader of BER type-length-value items over (pointer, end). No
// length field is trusted: every item must fit in the bytes the reader holds.
#pragma once

#include <cstdint>

class BerReader {
  public:
    BerReader() = default;
    BerReader(const std::uint8_t* begin, const std::uint8_t* end) : m_next(begin), m_end(end) {}

    bool AtEnd() const { return m_next == m_end; }

    // The next item, of any single-byte tag: its tag and a reader over its contents.
    [[nodiscard]] bool ReadAnyItem(std::uint8_t& tag, BerReader& contents);
    // The next item, which must carry `tag`.
    [[nodiscard]] bool ReadItem(std::uint8_t tag, BerReader& contents);
    // An INTEGER of one to four contents bytes.
    [[nodiscard]] bool ReadInteger(std::int32_t& value);

    const std::uint8_t* begin() const { return m_next; }
    const std::uint8_t* end() const { return m_end; }

  private:
    const std::uint8_t* m_next = nullptr;
    const std::uint8_t* m_end = nullptr;
};

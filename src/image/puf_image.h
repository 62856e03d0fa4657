// The firmware image: the payload of the build's firmware container, decoded from
// the program's resource, and the product code and version of its header.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {
class Resources;
}

struct PufHeaderInfo {
    std::int32_t productCode;
    std::int32_t version;  // hundredths; -1 when the version text is too long
};

class CPufImage {
  public:
    CPufImage() = default;
    virtual ~CPufImage() = default;
    CPufImage(const CPufImage&) = delete;
    CPufImage& operator=(const CPufImage&) = delete;

    // Decodes the resource with this id and type. 1 on success; 0 when the resource
    // is missing, fails to decode or memory runs out. A failure leaves the image as
    // it was.
    [[nodiscard]] int Load(const platform::Resources& resources, unsigned int id,
                           const wchar_t* type);

    // Unscrambles a container of n bytes and checks its sum. On success the payload
    // (n - 1 bytes) replaces the image's, unless it is empty; returns 1. Returns 0,
    // keeping the image, when the sum is wrong or n is 0 or above
    // kPufMaxContainerLength. Throws std::bad_alloc when memory runs out.
    [[nodiscard]] int Decode(const unsigned char* bytes, std::uint32_t n);

    // 0 when the image is empty or its header does not start with "PUF1" (`info` is
    // then untouched); 1 with both fields filled otherwise.
    [[nodiscard]] int ReadHeader(PufHeaderInfo& info) const;

    // The payload, followed by one byte holding 0 so the header reads as text; null
    // while the image is empty.
    std::unique_ptr<unsigned char[]> m_pData;
    std::uint32_t m_nLength = 0;  // payload bytes, without the trailing 0
};

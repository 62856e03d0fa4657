// Fuzzes the container decoding and the header reading with arbitrary bytes. A
// container that decodes must be the packing of its payload: the scrambling steps
// are one-to-one and the check byte is fixed by the payload.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "image/puf_container.h"
#include "image/puf_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kPufMaxContainerLength) {
        return 0;
    }
    const auto n = static_cast<std::uint32_t>(size);
    CPufImage image;
    if (!image.Decode(data, n)) {
        return 0;
    }
    PufHeaderInfo header{};
    if (n == 1) {
        // A passing one-byte container leaves the image empty.
        if (image.m_pData != nullptr || image.ReadHeader(header) != 0) {
            std::abort();
        }
        return 0;
    }
    if (image.m_nLength != n - 1 || image.m_pData[n - 1] != 0) {
        std::abort();
    }
    const bool hasMagic = image.m_nLength >= 4 && std::memcmp(image.m_pData.get(), "PUF1", 4) == 0;
    if (image.ReadHeader(header) != (hasMagic ? 1 : 0)) {
        std::abort();
    }
    if (hasMagic && (header.version < -1)) {
        std::abort();  // a run of digits and points never reads negative
    }
    const std::vector<unsigned char> packed =
        PackPufContainer(std::span<const unsigned char>(image.m_pData.get(), image.m_nLength));
    if (packed.size() != size || std::memcmp(packed.data(), data, size) != 0) {
        std::abort();
    }
    return 0;
}

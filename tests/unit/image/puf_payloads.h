// Payloads and images for the tests, packed by the library's own container writer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "image/puf_container.h"
#include "image/puf_image.h"

namespace testing_puf {

inline std::vector<unsigned char> Bytes(const std::string& text) {
    return std::vector<unsigned char>(text.begin(), text.end());
}

// "PUF1", the six product characters and a version field of 22 characters holding
// `version` right-aligned, then `body`.
inline std::string Payload(const std::string& product, const std::string& version,
                           const std::string& body = "") {
    return "PUF1" + product + std::string(22 - version.size(), ' ') + version + body;
}

inline std::unique_ptr<CPufImage> ImageOf(const std::string& payload) {
    auto image = std::make_unique<CPufImage>();
    const std::vector<unsigned char> container = PackPufContainer(Bytes(payload));
    if (!image->Decode(container.data(), static_cast<std::uint32_t>(container.size()))) {
        return nullptr;
    }
    return image;
}

}  // namespace testing_puf

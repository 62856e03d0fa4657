// mkpuf: makes and inspects the installer's firmware containers.
//
//   mkpuf pack PAYLOAD CONTAINER              scramble a payload into a container
//   mkpuf inspect CONTAINER                   decode and describe a container
//   mkpuf unpack CONTAINER PAYLOAD            decode a container into its payload
//   mkpuf synth PRODUCT VERSION LENGTH OUT    write a synthetic payload
//
// Exit status: 0 success; 1 a container that fails its check or has no "PUF1"
// header; 2 wrong usage or a file that cannot be read or written.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/version.h"
#include "image/puf_container.h"
#include "image/puf_image.h"
#include "synthetic_payload.h"

namespace {

constexpr int kExitBadContainer = 1;
constexpr int kExitUsage = 2;

std::optional<std::vector<unsigned char>> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "mkpuf: cannot read %s\n", path);
        return std::nullopt;
    }
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

bool WriteFile(const char* path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "mkpuf: cannot write %s\n", path);
        return false;
    }
    return true;
}

int Pack(const char* payloadPath, const char* containerPath) {
    const auto payload = ReadFile(payloadPath);
    if (!payload) {
        return kExitUsage;
    }
    const std::vector<unsigned char> container = PackPufContainer(*payload);
    if (container.empty()) {
        std::fprintf(stderr, "mkpuf: %s: a payload of %zu bytes does not fit a container\n",
                     payloadPath, payload->size());
        return kExitUsage;
    }
    return WriteFile(containerPath, container) ? EXIT_SUCCESS : kExitUsage;
}

int Inspect(const char* containerPath) {
    const auto container = ReadFile(containerPath);
    if (!container) {
        return kExitUsage;
    }
    std::printf("container: %zu bytes\n", container->size());
    CPufImage image;
    const bool fits = container->size() <= kPufMaxContainerLength;
    if (!fits || !image.Decode(container->data(), static_cast<std::uint32_t>(container->size()))) {
        std::printf("sum check: %s\n", fits ? "failed" : "not made (container too large)");
        return kExitBadContainer;
    }
    std::printf("sum check: passed\n");
    std::printf("payload: %u bytes\n", static_cast<unsigned>(image.m_nLength));
    PufHeaderInfo header{};
    if (!image.ReadHeader(header)) {
        std::printf("header: no PUF1\n");
        return kExitBadContainer;
    }
    std::printf("product code: %d\n", static_cast<int>(header.productCode));
    std::printf("version: %ls (%d)\n", FormatVersion(header.version).c_str(),
                static_cast<int>(header.version));
    return EXIT_SUCCESS;
}

// The bytes an installer carrying this container sends to the printer.
int Unpack(const char* containerPath, const char* payloadPath) {
    const auto container = ReadFile(containerPath);
    if (!container) {
        return kExitUsage;
    }
    CPufImage image;
    if (container->size() > kPufMaxContainerLength ||
        !image.Decode(container->data(), static_cast<std::uint32_t>(container->size()))) {
        std::fprintf(stderr, "mkpuf: %s fails its sum check\n", containerPath);
        return kExitBadContainer;
    }
    const unsigned char* payload = image.m_pData.get();
    return WriteFile(payloadPath, std::vector<unsigned char>(payload, payload + image.m_nLength))
               ? EXIT_SUCCESS
               : kExitUsage;
}

int Synthesise(const char* productCode, const char* version, const char* lengthText,
               const char* outPath) {
    char* end = nullptr;
    const unsigned long long length = std::strtoull(lengthText, &end, 10);
    const auto payload =
        *end == '\0' ? MakeSyntheticPayload(productCode, version, length) : std::nullopt;
    if (!payload) {
        std::fprintf(stderr, "mkpuf: no payload of %s bytes for product %s, version %s\n",
                     lengthText, productCode, version);
        return kExitUsage;
    }
    return WriteFile(outPath, *payload) ? EXIT_SUCCESS : kExitUsage;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: mkpuf pack PAYLOAD CONTAINER\n"
                 "       mkpuf inspect CONTAINER\n"
                 "       mkpuf unpack CONTAINER PAYLOAD\n"
                 "       mkpuf synth PRODUCT VERSION LENGTH OUT\n");
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "pack" && argc == 4) {
        return Pack(argv[2], argv[3]);
    }
    if (command == "inspect" && argc == 3) {
        return Inspect(argv[2]);
    }
    if (command == "unpack" && argc == 4) {
        return Unpack(argv[2], argv[3]);
    }
    if (command == "synth" && argc == 6) {
        return Synthesise(argv[2], argv[3], argv[4], argv[5]);
    }
    return Usage();
}

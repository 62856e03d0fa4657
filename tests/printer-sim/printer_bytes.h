// The bytes an installer sends, written out literally so that the simulator's own
// construction of them is checked.
#pragma once

#include <string>

namespace sim_test {

inline const std::string kReceiveJob("\x02%lp1 x\n", 8);
inline const std::string kBootPacket(
    "\x00\x12"
    "BOOT_UpdateMain 0\n"
    "\xE8",
    21);
inline const std::string kBootFrame(
    "\x80\x00\x15\x00\x06"
    "BOOT_UpdateMain 0\n"
    "\xD6\xB9",
    25);

// A firmware payload: "PUF1", product code, a version field ending in `version`,
// then `bodyBytes` bytes of body.
inline std::string FirmwarePayload(const std::string& version, std::size_t bodyBytes) {
    std::string header = "PUF1070168";
    header += std::string(22 - version.size(), ' ') + version;
    std::string body(bodyBytes, '\0');
    for (std::size_t i = 0; i < bodyBytes; ++i) {
        body[i] = static_cast<char>(i * 7 + 3);
    }
    return header + body;
}

}  // namespace sim_test

// Fuzzes the identity reply: splitting it into pairs, the status word text in each
// status format, and reading the status word, with arbitrary UTF-8 text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "install/device_id.h"
#include "install/hex_number.h"
#include "platform/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CString text =
        platform::AnsiToWide(std::string(reinterpret_cast<const char*>(data), size));
    DeviceIdInfo info;
    const int parsed = ParseDeviceId(info.values, text.c_str());
    // Every non-empty text yields at least one pair (up to its first NUL).
    if ((parsed != 0) != (text.c_str()[0] != L'\0')) {
        std::abort();
    }
    for (const auto& [key, value] : info.values) {
        if (key.size() > text.size() || value.size() > text.size()) {
            std::abort();
        }
    }
    for (const int format : {-2, -1, 0, 1}) {
        DeviceIdInfo copy = info;
        const int status = CheckStatus(copy, format);
        if (format == -1 && !copy.statusText.empty() && copy.statusText.size() != 8) {
            std::abort();
        }
        if (status == 1 && format >= -1 && format <= 0 && !IsIplMode(copy.values) &&
            copy.statusText.empty()) {
            std::abort();
        }
        static_cast<void>(ReadUnsignedHex(copy.statusText));
        CString out;
        static_cast<void>(ExtractStatusText(format, out, text));
    }
    static_cast<void>(ReadSignedHex(text));
    static_cast<void>(ReadUnsignedHex(text));
    static_cast<void>(GetReplyVersion(info.values));
    return 0;
}

#include "discovery/utf8_text_file.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "discovery/utf8_decode.h"

namespace {

// A device file lists a few printers in some kilobytes; the cap keeps a damaged or
// foreign file from exhausting memory.
constexpr std::size_t kMaxTextFileBytes = 16u << 20;

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

CString ReadUtf8TextFile(const platform::FileSystem& files, const CString& path) {
    const auto bytes = files.ReadWholeFile(path, kMaxTextFileBytes);
    if (!bytes) {
        return {};
    }
    std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (text.starts_with(kUtf8ByteOrderMark)) {
        text.remove_prefix(kUtf8ByteOrderMark.size());
    }
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    return DecodeUtf8(text);
}

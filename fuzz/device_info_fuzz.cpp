// Fuzzes the device file: decoding its bytes and turning every DeviceInfo element
// into candidate printers, with the records checked against what they may hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "discovery/device_info_parser.h"
#include "discovery/tag_reader.h"
#include "discovery/utf8_decode.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CString text = DecodeUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    Check(text.size() <= size);

    std::vector<std::wstring_view> elements;
    const int found = FindElements(text, L"DeviceInfo", elements);
    Check(found == static_cast<int>(elements.size()));
    for (const std::wstring_view content : elements) {
        // Each content lies inside the text and ends where a closing tag begins.
        Check(content.data() >= text.data() &&
              content.data() + content.size() <= text.data() + text.size());
        Check(std::wstring_view(content.data() + content.size(),
                                text.data() + text.size() - (content.data() + content.size()))
                  .starts_with(L"</DeviceInfo>"));
    }

    CPortInfoList list;
    const int appended = ParseDeviceInfo(text, list);
    Check(appended == list.GetCount() && appended <= found);
    for (int i = 0; i < list.GetCount(); ++i) {
        const CPortInfo& entry = *list.GetAt(i);
        if (entry.m_kind == CPortInfo::KIND_NETWORK) {
            Check(entry.m_ipAddress != 0 && entry.m_usbPortName.empty());
        } else {
            Check(entry.m_kind == CPortInfo::KIND_USB && entry.m_ipAddress == 0 &&
                  !entry.m_usbPortName.empty());
        }
        Check(entry.m_modelName.size() <= text.size() && entry.m_nickName.size() <= text.size());
        const CString label = entry.Label();
        Check(!label.empty() && label.back() == L' ');
    }
    return 0;
}

#include "discovery/device_info_parser.h"

#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "discovery/leading_decimal.h"
#include "discovery/tag_reader.h"

namespace {

// uchIP holds the address's bytes in network order read as a little-endian 32-bit
// number. Writers differ in whether they print it signed or unsigned, so both
// decimal forms of the same 32 bits are taken; anything outside them reads as 0.
std::uint32_t ReadHostOrderAddress(std::wstring_view content) {
    const long long value = ReadLeadingDecimal(GetElementText(content, L"uchIP"));
    if (value < INT32_MIN || value > static_cast<long long>(UINT32_MAX)) {
        return 0;
    }
    const auto stored = static_cast<std::uint32_t>(value);
    return (stored >> 24) | ((stored >> 8) & 0xFF00u) | ((stored << 8) & 0xFF0000u) |
           (stored << 24);
}

std::unique_ptr<CPortInfo> ReadRecord(std::wstring_view content) {
    const CString nickName = GetElementText(content, L"strNickName");
    const CString modelName = GetElementText(content, L"strLongModelName");
    switch (GetElementNumber(content, L"ePortType")) {
        case CPortInfo::KIND_NETWORK: {
            const std::uint32_t address = ReadHostOrderAddress(content);
            if (address == 0) {
                return nullptr;
            }
            return std::make_unique<CPortInfo>(modelName.c_str(), address, nickName.c_str());
        }
        case CPortInfo::KIND_USB: {
            const CString usbPortName = GetElementText(content, L"strUSBPortName");
            if (usbPortName.empty()) {
                return nullptr;
            }
            return std::make_unique<CPortInfo>(modelName.c_str(), usbPortName.c_str(),
                                               nickName.c_str());
        }
        default:
            return nullptr;
    }
}

}  // namespace

int ParseDeviceInfo(std::wstring_view text, CPortInfoList& list) {
    int appended = 0;
    // A device file's text ends at its first NUL, as the file reader cuts it.
    text = text.substr(0, text.find(L'\0'));
    if (text.empty()) {
        return appended;
    }
    try {
        std::vector<std::wstring_view> elements;
        FindElements(text, L"DeviceInfo", elements);
        for (const std::wstring_view element : elements) {
            try {
                auto record = ReadRecord(element);
                if (record != nullptr) {
                    list.Add(std::move(record));
                    ++appended;
                }
            } catch (const std::bad_alloc&) {
                // This record is lost; the next one may still fit.
            }
        }
    } catch (const std::bad_alloc&) {
        // The records appended so far stay in the list.
    }
    return appended;
}

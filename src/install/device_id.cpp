#include "install/device_id.h"

#include <algorithm>
#include <string_view>

#include "app/version.h"
#include "install/hex_number.h"

namespace {

constexpr std::size_t kLeadingStatusLength = 8;
constexpr int kStatusRecordType = 1;
constexpr std::size_t kRecordFieldLength = 2;  // hexadecimal characters of type and length

const CString* Find(const CMapStringToString& values, const wchar_t* key) {
    const auto found = values.find(key);
    return found == values.end() ? nullptr : &found->second;
}

// The value of the first record of type 1; empty when there is none.
CString StatusRecordValue(const CString& status) {
    const std::wstring_view records(status);
    std::size_t pos = 0;
    while (pos < records.size()) {
        // Fields cut short at the end are clipped; an empty field reads 0.
        const std::size_t lengthField = std::min(pos + kRecordFieldLength, records.size());
        const std::int32_t type = ReadSignedHex(records.substr(pos, kRecordFieldLength));
        const std::int32_t length = ReadSignedHex(records.substr(lengthField, kRecordFieldLength));
        // A negative length would make the walk stand still or go back.
        if (length < 0) {
            return {};
        }
        const std::size_t valueStart = std::min(pos + 2 * kRecordFieldLength, records.size());
        if (type == kStatusRecordType) {
            return CString(records.substr(valueStart, static_cast<std::size_t>(length)));
        }
        pos = valueStart + static_cast<std::size_t>(length);
    }
    return {};
}

}  // namespace

int ParseDeviceId(CMapStringToString& values, const wchar_t* text) {
    values.clear();
    const CString reply = text != nullptr ? text : L"";
    std::size_t pos = 0;
    while (pos < reply.size()) {
        const std::size_t colon = reply.find(L':', pos);
        std::size_t end = reply.find(L';', pos);
        if (end == CString::npos) {
            end = reply.size();
        }
        CString key;
        CString value;
        if (colon == CString::npos) {
            // No colon: the value runs from the start of the whole text.
            value = reply.substr(0, end);
        } else {
            key = reply.substr(pos, colon - pos);
            if (end > colon) {
                value = reply.substr(colon + 1, end - colon - 1);
            }
        }
        values[key] = value;
        pos = end + 1;
    }
    return values.empty() ? 0 : 1;
}

int ExtractStatusText(int statusFormat, CString& out, const CString& status) {
    out.clear();
    if (statusFormat == kStatusFormatLeadingEight) {
        if (status.size() >= kLeadingStatusLength) {
            out = status.substr(0, kLeadingStatusLength);
        }
    } else if (statusFormat == kStatusFormatRecords) {
        out = StatusRecordValue(status);
    }
    return out.empty() ? 0 : 1;
}

int CheckStatus(DeviceIdInfo& info, int statusFormat) {
    if (statusFormat == kStatusFormatNone || IsIplMode(info.values)) {
        return 1;
    }
    const CString* status = Find(info.values, L"STATUS");
    if (status == nullptr) {
        return 0;
    }
    return ExtractStatusText(statusFormat, info.statusText, *status);
}

int GetReplyVersion(const CMapStringToString& values) {
    const CString* version = Find(values, L"VER");
    return version != nullptr ? VersionToHundredths(*version) : -1;
}

int IsIplMode(const CMapStringToString& values) {
    const CString* mode = Find(values, L"MODE");
    return mode != nullptr && *mode == L"IPL" ? 1 : 0;
}

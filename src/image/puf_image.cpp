#include "image/puf_image.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "app/decimal_number.h"
#include "app/version.h"
#include "image/puf_container.h"
#include "platform/resources.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsVersionCharacter(char c) {
    return IsDigit(c) || c == '.';
}

// The last run of digits and points in the version field, scanning back from its
// end; characters past the header's end are absent.
std::string_view VersionRun(std::string_view header) {
    std::size_t end = std::min(header.size(), kPufVersionOffset + kPufVersionLength);
    while (end > kPufVersionOffset && !IsVersionCharacter(header[end - 1])) {
        --end;
    }
    std::size_t begin = end;
    while (begin > kPufVersionOffset && IsVersionCharacter(header[begin - 1])) {
        --begin;
    }
    return begin < end ? header.substr(begin, end - begin) : std::string_view();
}

}  // namespace

int CPufImage::Load(const platform::Resources& resources, unsigned int id, const wchar_t* type) {
    enum ERROR_CODE { RESOURCE_UNAVAILABLE = 0, DECODE_FAILED = 1 };
    try {
        const auto bytes = resources.Find(id, type);
        if (!bytes) {
            throw RESOURCE_UNAVAILABLE;
        }
        if (bytes->size() > kPufMaxContainerLength ||
            !Decode(bytes->data(), static_cast<std::uint32_t>(bytes->size()))) {
            throw DECODE_FAILED;
        }
        return 1;
    } catch (ERROR_CODE) {
        return 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int CPufImage::Decode(const unsigned char* bytes, std::uint32_t n) {
    if (n == 0 || n > kPufMaxContainerLength) {
        return 0;
    }
    auto buffer = std::make_unique_for_overwrite<unsigned char[]>(n);
    std::memcpy(buffer.get(), bytes, n);
    if (UnscrambleContainer(buffer.get(), n) != kPufByteSum) {
        return 0;
    }
    // The check byte's place becomes the 0 that ends the payload.
    buffer[n - 1] = 0;
    if (n > 1) {
        m_pData = std::move(buffer);
        m_nLength = n - 1;
    }
    return 1;
}

int CPufImage::ReadHeader(PufHeaderInfo& info) const {
    if (!m_pData) {
        return 0;
    }
    const char* text = reinterpret_cast<const char*>(m_pData.get());
    const std::size_t limit = std::min<std::size_t>(kPufHeaderLength, m_nLength);
    const std::string_view header(text, std::find(text, text + limit, '\0') - text);
    if (!header.starts_with(kPufMagic)) {
        return 0;
    }
    info.productCode = ReadDecimalInt(header.substr(kPufProductCodeOffset, kPufProductCodeLength));
    const std::string_view run = VersionRun(header);
    info.version = VersionToHundredths(CString(run.begin(), run.end()));
    return 1;
}

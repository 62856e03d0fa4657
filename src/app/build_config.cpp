#include "app/build_config.h"

#include <climits>
#include <string>

#include "platform/string_table.h"
#include "platform/text_codec.h"
#include "ports/port_type.h"
#include "resource.h"

namespace {

constexpr std::size_t kMaxProductCodeCharacters = 10;

// atoi: white space, sign, digits up to the first other character; saturates
// instead of overflowing, as the Windows C library does.
int ReadDecimalInt(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            break;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

}  // namespace

int GetProductCode(const platform::StringTable& strings) {
    const auto text = strings.Load(IDS_CFG_PRODUCT_CODE);
    if (!text) {
        return -1;
    }
    const std::string ansi = platform::WideToAnsi(*text);
    if (ansi.size() > kMaxProductCodeCharacters) {
        return -1;
    }
    return ReadDecimalInt(ansi);
}

int GetPortType(const platform::StringTable& strings) {
    const auto text = strings.Load(IDS_CFG_PORT_TYPE);
    return text ? GetPortTypeCode(*text) : 0;
}

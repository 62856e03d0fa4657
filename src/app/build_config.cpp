#include "app/build_config.h"

#include <string>

#include "app/decimal_number.h"
#include "platform/string_table.h"
#include "platform/text_codec.h"
#include "ports/port_type.h"
#include "resource.h"

namespace {

constexpr std::size_t kMaxProductCodeCharacters = 10;

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

#include "discovery/leading_decimal.h"

#include <cstddef>

namespace {

constexpr long long kMagnitudeLimit = 1LL << 40;

bool IsWhiteSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

}  // namespace

long long ReadLeadingDecimal(std::wstring_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsWhiteSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
        value = value * 10 + (text[pos] - L'0');
        if (value > kMagnitudeLimit) {
            value = kMagnitudeLimit;
            break;
        }
    }
    return negative ? -value : value;
}

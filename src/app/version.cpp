#include "app/version.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <string>

#include "platform/text_codec.h"

namespace {

constexpr std::size_t kMaxVersionCharacters = 10;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest prefix that atof reads as a decimal number (white space, sign, digits,
// fraction, exponent), so that both builds read the same digits: the Windows and the
// GNU C libraries differ on hexadecimal and infinity forms, which no version uses.
std::string DecimalPrefix(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) {
        ++pos;
    }
    const std::size_t start = pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::size_t digits = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
            ++digits;
        }
    }
    if (digits == 0) {
        return {};
    }
    std::size_t end = pos;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            ++pos;
        }
        if (pos < text.size() && IsDigit(text[pos])) {
            while (pos < text.size() && IsDigit(text[pos])) {
                ++pos;
            }
            end = pos;
        }
    }
    return text.substr(start, end - start);
}

}  // namespace

int VersionToHundredths(const CString& text) {
    const std::string ansi = platform::WideToAnsi(text);
    if (ansi.size() > kMaxVersionCharacters) {
        return -1;
    }
    const std::string number = DecimalPrefix(ansi);
    if (number.empty()) {
        return 0;
    }
    const double hundredths = std::strtod(number.c_str(), nullptr) * 100.0;
    // The 0.005 keeps the binary product of a decimal text from losing a hundredth.
    const double rounded = hundredths >= 0.0 ? hundredths + 0.005 : hundredths - 0.005;
    if (!(std::fabs(rounded) < static_cast<double>(std::numeric_limits<int>::max()))) {
        return -1;
    }
    return static_cast<int>(rounded);
}

CString FormatVersion(int version) {
    if (version < 0) {
        return L"---";
    }
    wchar_t buffer[32];
    std::swprintf(buffer, std::size(buffer), L"%d.%02d", version / 100, version % 100);
    return buffer;
}

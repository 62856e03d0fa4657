#include "app/wide_space.h"

bool IsWideSpace(wchar_t c) {
    switch (c) {
        case L' ':
        case L'\t':
        case L'\n':
        case L'\v':
        case L'\f':
        case L'\r':
        case 0x0085:  // next line
        case 0x00A0:  // no-break space
        case 0x1680:
        case 0x2028:  // line and paragraph separators
        case 0x2029:
        case 0x202F:
        case 0x205F:
        case 0x3000:  // ideographic space, common in Japanese input
            return true;
        default:
            return c >= 0x2000 && c <= 0x200A;
    }
}

CString TrimWideSpace(const CString& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsWideSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && IsWideSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

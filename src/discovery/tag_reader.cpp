#include "discovery/tag_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "discovery/leading_decimal.h"

int FindElements(std::wstring_view text, std::wstring_view tag,
                 std::vector<std::wstring_view>& list) {
    const CString open = L"<" + CString(tag);
    const CString close = L"</" + CString(tag) + L">";
    constexpr auto npos = std::wstring_view::npos;
    int appended = 0;
    // The first closing tag at or after the latest content; it stays the answer
    // while contents start before it, which keeps nested or unclosed elements linear.
    std::size_t closeAt = npos;
    bool closeKnown = false;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t start = text.find(open, pos);
        if (start == npos) {
            break;
        }
        pos = start + open.size();
        if (pos < text.size() && text[pos] == L' ') {
            pos = text.find(L'>', pos);
            if (pos == npos) {
                break;
            }
        } else if (pos >= text.size() || text[pos] != L'>') {
            continue;  // a longer tag name that merely begins with this one
        }
        const std::size_t content = pos + 1;
        if (!closeKnown || closeAt < content) {
            closeAt = text.find(close, content);
            closeKnown = true;
        }
        if (closeAt == npos) {
            break;  // no closing tag after here, so no later element has content either
        }
        list.emplace_back(text.substr(content, closeAt - content));
        ++appended;
        pos = content;
    }
    return appended;
}

CString GetElementText(std::wstring_view text, std::wstring_view tag) {
    std::vector<std::wstring_view> contents;
    FindElements(text, tag, contents);
    return contents.empty() ? CString() : CString(contents.front());
}

int GetElementNumber(std::wstring_view text, std::wstring_view tag) {
    const long long value = ReadLeadingDecimal(GetElementText(text, tag));
    return static_cast<int>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

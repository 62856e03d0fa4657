#include "standin_library.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace standin {

void PlaceholderCalled(const char* library, int position) {
    std::fprintf(stderr, "%s: the placeholder at position %d was called\n", library, position);
    std::abort();
}

int CopyText(const std::string& text, char* buffer, int size) {
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

std::int32_t RequestStatusWord(StandinChannel& channel) {
    std::string text;
    if (!channel.Request("STATUS", text) || text.empty()) {
        return -1;
    }
    char* end = nullptr;
    errno = 0;
    const long long word = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || word < std::numeric_limits<std::int32_t>::min() ||
        word > std::numeric_limits<std::int32_t>::max()) {
        return -1;
    }
    return static_cast<std::int32_t>(word);
}

bool IsDottedAddress(const char* text) {
    if (text == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(text);
    return length >= 7 && length <= 15 && std::strspn(text, "0123456789.") == length;
}

}  // namespace standin

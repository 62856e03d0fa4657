#include "discovery/path_append.h"

#include <cstddef>

namespace {

// MAX_PATH, the terminating NUL included.
constexpr std::size_t kPathCapacity = 260;

}  // namespace

std::optional<CString> AppendPath(std::wstring_view path, std::wstring_view name) {
    const std::size_t start = name.find_first_not_of(L'\\');
    name.remove_prefix(start == std::wstring_view::npos ? name.size() : start);
    CString joined(path);
    if (!joined.empty() && joined.back() != L'\\') {
        joined += L'\\';
    }
    joined += name;
    if (joined.size() >= kPathCapacity) {
        return std::nullopt;
    }
    return joined;
}

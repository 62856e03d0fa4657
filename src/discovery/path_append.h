// Joining a relative name to a directory path, the way the shell's path-append does.
#pragma once

#include <optional>
#include <string_view>

#include "platform/tarnel_types.h"

// `path` and `name` with one backslash between them: leading backslashes of `name`
// are dropped and a separator is added only when `path` does not end in one. An
// empty `path` gives `name` alone, a name relative to the current directory.
// Nothing when the result would not fit a path buffer of 260 characters.
std::optional<CString> AppendPath(std::wstring_view path, std::wstring_view name);

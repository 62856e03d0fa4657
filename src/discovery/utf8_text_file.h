// Reading a whole UTF-8 text file.
#pragma once

#include "platform/file_system.h"

// The file's text up to its first NUL byte, without a leading UTF-8 byte-order
// mark. Empty when the file cannot be opened or read (an empty path included) or is
// longer than a device file can sensibly be; nothing is reported.
CString ReadUtf8TextFile(const platform::FileSystem& files, const CString& path);

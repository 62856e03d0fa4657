// A failed file operation, raised as the class library's file exception is: it
// carries the cause, the operating system's error code and the file's name, so that
// whoever catches it can show the standard text of that cause.
#pragma once

#include <utility>

#include "platform/tarnel_types.h"

namespace platform {

class FileError {
  public:
    enum class Cause {
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    FileError(Cause cause, long osError, CString fileName)
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

    Cause m_cause;
    long m_lOsError;  // the system's code; 0 when the cause is our own finding
    CString m_strFileName;
};

}  // namespace platform

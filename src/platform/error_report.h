// The boxes of the two exceptions that may end an operation: a file error with the
// standard text of its cause, and the out-of-memory condition.
#pragma once

#include "platform/file_error.h"

namespace platform {

class MessageBoxes;
class StringTable;

// The catalogue's text for the error's cause with the file's name in place of %s,
// captioned with the application title, with an OK button.
void ReportFileError(const StringTable& strings, MessageBoxes& boxes, const FileError& error);
void ReportOutOfMemory(const StringTable& strings, MessageBoxes& boxes);

}  // namespace platform

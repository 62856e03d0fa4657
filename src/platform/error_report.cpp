#include "platform/error_report.h"

#include "app/message_ids.h"
#include "platform/message_box.h"
#include "platform/string_table.h"

namespace platform {

namespace {

unsigned TextOf(FileError::Cause cause) {
    switch (cause) {
        case FileError::Cause::generic:
            return IDS_FILE_GENERIC;
        case FileError::Cause::fileNotFound:
            return IDS_FILE_NOT_FOUND;
        case FileError::Cause::badPath:
            return IDS_FILE_BAD_PATH;
        case FileError::Cause::tooManyOpenFiles:
            return IDS_FILE_TOO_MANY_OPEN;
        case FileError::Cause::accessDenied:
            return IDS_FILE_ACCESS_DENIED;
        case FileError::Cause::invalidFile:
            return IDS_FILE_INVALID_FILE;
        case FileError::Cause::removeCurrentDir:
            return IDS_FILE_REMOVE_CURRENT;
        case FileError::Cause::directoryFull:
            return IDS_FILE_DIR_FULL;
        case FileError::Cause::badSeek:
            return IDS_FILE_BAD_SEEK;
        case FileError::Cause::hardIO:
            return IDS_FILE_HARD_IO;
        case FileError::Cause::sharingViolation:
            return IDS_FILE_SHARING;
        case FileError::Cause::lockViolation:
            return IDS_FILE_LOCKING;
        case FileError::Cause::diskFull:
            return IDS_FILE_DISK_FULL;
        case FileError::Cause::endOfFile:
            return IDS_FILE_END_OF_FILE;
    }
    return IDS_FILE_GENERIC;
}

// A warning the user can act on (close the program holding the file, free disk
// space) and try again.
constexpr unsigned kStyle = mb::kOk | mb::kIconExclamation;

void Show(const StringTable& strings, MessageBoxes& boxes, const CString& text) {
    boxes.Show(text, strings.Load(AFX_IDS_APP_TITLE).value_or(CString()), kStyle);
}

}  // namespace

void ReportFileError(const StringTable& strings, MessageBoxes& boxes, const FileError& error) {
    CString text = strings.Load(TextOf(error.m_cause)).value_or(CString());
    const auto marker = text.find(L"%s");
    if (marker != CString::npos) {
        text.replace(marker, 2, error.m_strFileName);
    }
    Show(strings, boxes, text);
}

void ReportOutOfMemory(const StringTable& strings, MessageBoxes& boxes) {
    Show(strings, boxes, strings.Load(IDS_OUT_OF_MEMORY).value_or(CString()));
}

}  // namespace platform

#include "ports/library_file.h"

#include <algorithm>
#include <cstring>

#include "platform/error_report.h"
#include "platform/resources.h"

namespace {

constexpr unsigned kLibraryResourceId = 146;
constexpr wchar_t kLibraryResourceType[] = L"DLL";

}  // namespace

bool MatchesInterfaceVersion(const char* text, const char* required) {
    return text != nullptr && std::strncmp(text, required, std::strlen(required) + 1) == 0;
}

int LibraryFile::Extract(const wchar_t* fileName, CString& path) {
    m_pGuard.reset();
    const std::optional<CString> folder = m_services.tempFiles.Folder();
    if (!folder) {
        return 0;
    }
    path = *folder + fileName;
    try {
        const auto bytes = m_services.resources.Find(kLibraryResourceId, kLibraryResourceType);
        std::unique_ptr<platform::TempFileWriter> writer = m_services.tempFiles.Create(path);
        if (bytes) {
            writer->Write(*bytes);
        }
        writer->Close();
        if (!bytes) {
            return 0;
        }
        // The folder may be shared with other users: from the guard on nobody can
        // change the file, and what it holds now is what gets loaded.
        std::unique_ptr<platform::TempFileGuard> guard = m_services.tempFiles.Guard(path);
        if (!std::ranges::equal(guard->ReadAll(), *bytes)) {
            throw platform::FileError(platform::FileError::Cause::generic, 0, path);
        }
        m_pGuard = std::move(guard);
        return 1;
    } catch (const platform::FileError& error) {
        platform::ReportFileError(m_services.strings, m_services.messageBoxes, error);
        return 0;
    }
}

platform::LibraryHandle LibraryFile::Load(const CString& path) {
    const platform::LibraryHandle library = m_services.libraries.Load(path);
    m_pGuard.reset();
    return library;
}

void LibraryFile::Free(platform::LibraryHandle& library) {
    if (library != nullptr) {
        m_services.libraries.Free(library);
        library = nullptr;
    }
}

void LibraryFile::Release(platform::LibraryHandle& library, CString& path) {
    Free(library);
    m_pGuard.reset();
    if (!path.empty()) {
        m_services.tempFiles.Remove(path);
        path.clear();
    }
}

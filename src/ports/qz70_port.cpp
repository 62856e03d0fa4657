#include <vector>

#include "platform/spooler.h"
#include "platform/text_codec.h"
#include "ports/dll_port.h"
#include "ports/status_word.h"

namespace {

constexpr wchar_t kLibraryFileName[] = L"QZ70CTR142.DLL";
constexpr char kRequiredVersion[] = "V141";
// The library is told one byte less than the buffer holds, so its text always has a
// terminator.
constexpr std::size_t kDeviceIdBufferSize = 301;
constexpr int kDeviceIdReadSize = 300;
constexpr int kModeTimeLimitMs = 10000;
constexpr int kUpdateMode = 1;
constexpr wchar_t kQueueName[] = L"Arvane QZ-70";
constexpr wchar_t kDocumentName[] = L"firmware";
constexpr wchar_t kDataType[] = L"RAW";
// Writes in a row that take no byte before the spooler counts as having stopped.
constexpr int kIdleWritesAllowed = 8;

// Writes every byte on the open document, continuing short writes. False when a
// write fails or the spooler stops taking bytes.
bool WriteAll(platform::SpoolerPrinter& printer, const void* data, std::uint32_t length) {
    const auto* next = static_cast<const unsigned char*>(data);
    std::uint32_t left = length;
    int idle = 0;
    do {
        std::uint32_t written = 0;
        if (!printer.Write(next, left, written) || written > left) {
            return false;
        }
        idle = written == 0 ? idle + 1 : 0;
        if (left > 0 && idle >= kIdleWritesAllowed) {
            return false;
        }
        next += written;
        left -= written;
    } while (left > 0);
    return true;
}

}  // namespace

CQZ70Port::CQZ70Port(const DllPortServices& services) : m_library(services) {
    if (ExtractLibrary()) {
        (void)LoadLibraryInterface();
    }
}

int CQZ70Port::ExtractLibrary() {
    return m_library.Extract(kLibraryFileName, m_strLibraryPath);
}

int CQZ70Port::LoadLibraryInterface() {
    if (m_hLibrary == nullptr) {
        m_hLibrary = m_library.Load(m_strLibraryPath);
        if (m_hLibrary == nullptr) {
            return 0;
        }
    }
    const auto getVersion =
        m_library.Export<GetAPIVersionFunction>(m_hLibrary, kGetApiVersionExport);
    if (getVersion == nullptr || !MatchesInterfaceVersion(getVersion(), kRequiredVersion)) {
        return 0;
    }
    const auto getController =
        m_library.Export<ControllerApiFunction>(m_hLibrary, kControllerApiExport);
    if (getController == nullptr) {
        return 0;
    }
    IControllerAPI* controller = getController();
    if (controller == nullptr) {
        return 0;
    }
    m_pController = controller;
    return m_pController->Open() ? 1 : 0;
}

void CQZ70Port::UnloadLibrary() {
    // The interface dies with the library, also when the deletion then fails.
    m_pController = nullptr;
    m_library.Release(m_hLibrary, m_strLibraryPath);
}

int CQZ70Port::MakeReady() {
    if (m_hLibrary != nullptr && m_pController != nullptr) {
        return 1;
    }
    if (!ExtractLibrary()) {
        return 0;
    }
    return LoadLibraryInterface();
}

BOOL CQZ70Port::GetDeviceId(CString& out) {
    if (!MakeReady()) {
        return FALSE;
    }
    if (!m_pController->Open()) {
        return FALSE;
    }
    {
        // Cleared, and terminated after the call: a library that writes nothing, or
        // writes no NUL, gives what lies inside the buffer and never more.
        std::vector<char> buffer(kDeviceIdBufferSize, '\0');
        (void)m_pController->ReadDeviceId(buffer.data(), kDeviceIdReadSize);
        buffer.back() = '\0';
        out = platform::AnsiToWide(buffer.data());
    }
    const std::int32_t status = m_pController->GetStatus();
    if (status == kNoStatus) {
        out.clear();
    } else if (status < 0) {
        if (StatusClass(status) == kStatusClassCleared) {
            m_pController->ClearCondition();
        } else {
            out.clear();
        }
    }
    UnloadLibrary();
    return out.empty() ? FALSE : TRUE;
}

BOOL CQZ70Port::BeginUpdate() {
    if (!MakeReady()) {
        return FALSE;
    }
    const bool entered = m_pController->RequestMode(kModeTimeLimitMs, kUpdateMode);
    UnloadLibrary();
    return entered ? TRUE : FALSE;
}

BOOL CQZ70Port::SendData(const void* data, std::uint32_t length, std::uint32_t /*chunkSize*/) {
    if (!MakeReady()) {
        return FALSE;
    }
    bool sent = false;
    {
        std::unique_ptr<platform::SpoolerPrinter> printer =
            m_library.Services().spooler.Open(kQueueName);
        if (!printer) {
            return FALSE;
        }
        printer->StartDocument(kDocumentName, kDataType);
        printer->StartPage();
        sent = WriteAll(*printer, data, length);
        printer->EndPage();
        printer->EndDocument();
    }
    UnloadLibrary();
    return sent ? TRUE : FALSE;
}

void CQZ70Port::Close() {
    UnloadLibrary();
}

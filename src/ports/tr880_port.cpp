#include <cstring>
#include <vector>

#include "app/message_ids.h"
#include "platform/message_box.h"
#include "platform/string_table.h"
#include "platform/text_codec.h"
#include "ports/network_port.h"
#include "ports/status_word.h"

namespace {

constexpr wchar_t kLibraryFileName[] = L"Farcon.DLL";
constexpr char kRequiredVersion[] = "V100";
constexpr int kDeviceIdBufferSize = 1024;
constexpr int kUpdateModeArgument = 0;
constexpr int kStatusClassFromSnmp = 1;
constexpr wchar_t kIdentityOid[] = L".1.3.6.1.4.1.48203.3.2.1.1";

// The failures of loadController; each shows its fixed text.
enum DllInitError : int {
    DLL_INIT_NOT_LOADED = 0,
    DLL_INIT_NO_FUNCTION = 1,
    DLL_INIT_VERSION = 2,
};

// Fixed in Japanese whatever the user-interface language: they come with the
// library, not with the catalogue.
const wchar_t* DllInitErrorText(DllInitError error) {
    switch (error) {
        case DLL_INIT_NOT_LOADED:
            return L"DLLが見つからないまたはロードできません";
        case DLL_INIT_NO_FUNCTION:
            return L"DLL関数取得エラー";
        case DLL_INIT_VERSION:
            return L"APIバージョン不整合";
    }
    return L"";
}

}  // namespace

CTR880Port::CTR880Port(std::uint32_t address, const DllPortServices& services,
                       const NetworkSettings& settings)
    : CNetworkPort(address, settings), m_library(services) {
    if (ExtractLibrary()) {
        (void)loadController();
    }
}

std::string CTR880Port::DottedAddress() const {
    unsigned char octets[4];
    std::memcpy(octets, &m_address, sizeof octets);  // network byte order: first octet first
    return std::to_string(octets[0]) + '.' + std::to_string(octets[1]) + '.' +
           std::to_string(octets[2]) + '.' + std::to_string(octets[3]);
}

int CTR880Port::ExtractLibrary() {
    return m_library.Extract(kLibraryFileName, m_strLibraryPath);
}

int CTR880Port::loadController() {
    try {
        // A library left from an earlier attempt goes first; the file just extracted
        // is the one to load, so it stays.
        m_pServiceTool = nullptr;
        m_pRemoteConnect = nullptr;
        m_library.Free(m_hLibrary);

        m_hLibrary = m_library.Load(m_strLibraryPath);
        if (m_hLibrary == nullptr) {
            throw DLL_INIT_NOT_LOADED;
        }
        const auto getRemoteConnect =
            m_library.Export<RemoteConnectApiFunction>(m_hLibrary, kRemoteConnectApiExport);
        IRemoteConnectAPI* remoteConnect = getRemoteConnect ? getRemoteConnect() : nullptr;
        if (remoteConnect == nullptr) {
            throw DLL_INIT_NO_FUNCTION;
        }
        if (!MatchesInterfaceVersion(remoteConnect->GetVersion(), kRequiredVersion)) {
            throw DLL_INIT_VERSION;
        }
        m_pRemoteConnect = remoteConnect;
        const auto getServiceTool =
            m_library.Export<ServiceToolApiFunction>(m_hLibrary, kServiceToolApiExport);
        IServiceToolAPI* serviceTool = getServiceTool ? getServiceTool() : nullptr;
        if (serviceTool == nullptr) {
            throw DLL_INIT_NO_FUNCTION;
        }
        if (!MatchesInterfaceVersion(serviceTool->GetVersion(), kRequiredVersion)) {
            throw DLL_INIT_VERSION;
        }
        m_pServiceTool = serviceTool;
        return m_pRemoteConnect->Connect(DottedAddress().c_str()) ? 1 : 0;
    } catch (DllInitError error) {
        const DllPortServices& services = m_library.Services();
        services.messageBoxes.Show(DllInitErrorText(error),
                                   services.strings.Load(AFX_IDS_APP_TITLE).value_or(CString()),
                                   platform::mb::kOk);
        return 0;
    }
}

void CTR880Port::UnloadLibrary() {
    m_pServiceTool = nullptr;
    m_pRemoteConnect = nullptr;
    m_library.Release(m_hLibrary, m_strLibraryPath);
}

int CTR880Port::MakeReady() {
    if (m_hLibrary != nullptr && m_pServiceTool != nullptr) {
        return 1;
    }
    if (!ExtractLibrary()) {
        return 0;
    }
    return loadController();
}

BOOL CTR880Port::GetDeviceId(CString& out) {
    if (!MakeReady()) {
        return FALSE;
    }
    if (!m_pRemoteConnect->Connect(DottedAddress().c_str())) {
        return FALSE;
    }
    {
        // Cleared, and terminated after the call: never more than the buffer is read.
        std::vector<char> buffer(kDeviceIdBufferSize, '\0');
        m_pServiceTool->ReadDeviceId(buffer.data(), kDeviceIdBufferSize);
        buffer.back() = '\0';
        out = platform::AnsiToWide(buffer.data());
    }
    int status = 0;
    int unused = 0;
    m_pServiceTool->GetStatus(&status, &unused);
    if (status < 0 && StatusClass(status) == kStatusClassFromSnmp) {
        if (!SnmpGetString(kIdentityOid, out)) {
            out.clear();
        }
    } else if (status == kNoStatus) {
        out.clear();
    } else if (status < 0) {
        if (StatusClass(status) == kStatusClassCleared) {
            m_pServiceTool->ClearCondition();
        } else {
            out.clear();
        }
    }
    UnloadLibrary();
    return out.empty() ? FALSE : TRUE;
}

BOOL CTR880Port::BeginUpdate() {
    if (!MakeReady()) {
        return FALSE;
    }
    const bool entered = m_pServiceTool->EnterUpdateMode(kUpdateModeArgument);
    UnloadLibrary();
    if (entered) {
        return TRUE;
    }
    platform::Socket socket;
    return ConnectSocket(socket, m_settings.ports.raw) && SendBootFrame(socket) ? TRUE : FALSE;
}

BOOL CTR880Port::SendData(const void* data, std::uint32_t length, std::uint32_t chunkSize) {
    return SendRawData(data, length, chunkSize);
}

void CTR880Port::Close() {
    UnloadLibrary();
}

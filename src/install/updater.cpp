#include "install/updater.h"

#include <new>
#include <utility>

#include "install/device_id.h"
#include "install/hex_number.h"
#include "platform/error_report.h"

namespace {

constexpr std::uint32_t kWaitingForFirmware = 0x80000000;  // status word bit 31

// One reply of the port; false when GetDeviceId failed.
bool QueryPrinter(CPort& port, DeviceIdInfo& info, bool& hasPairs) {
    CString reply;
    if (!port.GetDeviceId(reply)) {
        return false;
    }
    hasPairs = ParseDeviceId(info.values, reply.c_str()) != 0;
    return true;
}

}  // namespace

CUpdater& CUpdater::GetInstance() {
    static CUpdater instance;
    return instance;
}

CUpdater::~CUpdater() {
    m_pTarget.reset();
    m_pImage.reset();
    // At process exit nobody is left to catch: an exception leaving a destructor would
    // end the process abnormally instead of with its exit code.
    try {
        ReleasePort();
    } catch (const platform::FileError& error) {
        if (m_pExitStrings != nullptr && m_pExitBoxes != nullptr) {
            platform::ReportFileError(*m_pExitStrings, *m_pExitBoxes, error);
        }
    } catch (const std::bad_alloc&) {
        if (m_pExitStrings != nullptr && m_pExitBoxes != nullptr) {
            platform::ReportOutOfMemory(*m_pExitStrings, *m_pExitBoxes);
        }
    }
}

void CUpdater::ReleasePort() {
    if (m_pPort) {
        m_pPort->Close();
        m_pPort.reset();
    }
}

int CUpdater::SetFirmware(std::unique_ptr<FirmwareTarget>& target,
                          std::unique_ptr<CPufImage>& image) {
    if (m_pTarget || m_pImage || m_pPort) {
        return 0;
    }
    if (!target || !image) {
        return 0;
    }
    PufHeaderInfo header{};
    if (!image->ReadHeader(header)) {
        return 0;
    }
    if (header.productCode != target->productCode || header.version != target->version) {
        return 0;
    }
    m_pTarget = std::move(target);
    m_pImage = std::move(image);
    return 1;
}

int CUpdater::AttachPrinter(std::unique_ptr<CPort>& port, int statusFormat) {
    if (!m_pTarget || !m_pImage || !port) {
        return ATTACH_UNUSABLE;
    }
    DeviceIdInfo info;
    bool hasPairs = false;
    if (!QueryPrinter(*port, info, hasPairs)) {
        return ATTACH_UNUSABLE;
    }
    if (!hasPairs) {
        return ATTACH_NO_PAIRS;
    }
    const auto model = info.values.find(L"MDL");
    if (model == info.values.end()) {
        return ATTACH_MODEL_REFUSED;
    }
    m_strModel = model->second;
    if (!m_pTarget->IsSupportedModel(m_strModel, FALSE)) {
        return ATTACH_MODEL_REFUSED;
    }
    const int version = GetReplyVersion(info.values);
    m_nPrinterVersion = version;
    if (version < 0) {
        return ATTACH_VERSION_REFUSED;
    }
    // The carried version itself is installed again only in the loader mode; a
    // newer one never.
    const bool older = version < m_pTarget->version;
    const bool reload = version == m_pTarget->version && IsIplMode(info.values);
    if (!older && !reload) {
        return ATTACH_VERSION_REFUSED;
    }
    ReleasePort();
    m_pPort = std::move(port);
    m_nStatusFormat = statusFormat;
    return ATTACH_ACCEPTED;
}

void CUpdater::DetachPrinter() {
    ReleasePort();
    m_strModel.clear();
    m_nPrinterVersion = 0;
}

int CUpdater::CheckReady() {
    if (!m_pTarget || !m_pImage || !m_pPort || m_nStatusFormat == kStatusFormatNone) {
        return READY_UNUSABLE;
    }
    DeviceIdInfo info;
    bool hasPairs = false;
    if (!QueryPrinter(*m_pPort, info, hasPairs)) {
        return READY_NO_REPLY;
    }
    if (!hasPairs || !CheckStatus(info, m_nStatusFormat)) {
        return READY_UNUSABLE;
    }
    if (IsIplMode(info.values)) {
        return READY_LOADER_MODE;
    }
    if (!info.statusText.empty() && (ReadUnsignedHex(info.statusText) & kWaitingForFirmware)) {
        return READY_ACCEPTED;
    }
    return READY_NOT_READY;
}

int CUpdater::CheckInstalled() {
    if (!m_pTarget || !m_pImage || !m_pPort) {
        return INSTALLED_UNUSABLE;
    }
    DeviceIdInfo info;
    bool hasPairs = false;
    if (!QueryPrinter(*m_pPort, info, hasPairs)) {
        return INSTALLED_NO_REPLY;
    }
    if (!hasPairs) {
        return INSTALLED_UNUSABLE;
    }
    if (IsIplMode(info.values)) {
        return INSTALLED_LOADER_MODE;
    }
    const auto model = info.values.find(L"MDL");
    if (model == info.values.end()) {
        return INSTALLED_UNUSABLE;
    }
    if (!m_pTarget->IsSupportedModel(model->second, FALSE)) {
        return INSTALLED_MODEL_REFUSED;
    }
    const int version = GetReplyVersion(info.values);
    if (version < 0) {
        return INSTALLED_UNUSABLE;
    }
    if (version != m_pTarget->version) {
        return INSTALLED_OTHER_VERSION;
    }
    m_pPort->Close();
    return INSTALLED_CONFIRMED;
}

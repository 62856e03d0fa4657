#include "discovery/port_info.h"

namespace {

CString TextOrEmpty(const wchar_t* text) {
    return text != nullptr ? CString(text) : CString();
}

}  // namespace

CPortInfo::CPortInfo(const wchar_t* modelName, std::uint32_t ipAddress, const wchar_t* nickName)
    : m_kind(KIND_NETWORK),
      m_modelName(TextOrEmpty(modelName)),
      m_nickName(TextOrEmpty(nickName)),
      m_ipAddress(ipAddress) {}

CPortInfo::CPortInfo(const wchar_t* modelName, const wchar_t* usbPortName, const wchar_t* nickName)
    : m_kind(KIND_USB),
      m_modelName(TextOrEmpty(modelName)),
      m_nickName(TextOrEmpty(nickName)),
      m_usbPortName(TextOrEmpty(usbPortName)),
      m_ipAddress(0) {}

CString CPortInfo::Label() const {
    if (m_nickName.empty()) {
        return m_modelName + L" ";
    }
    return m_nickName + L" [ " + m_modelName + L" ] ";
}

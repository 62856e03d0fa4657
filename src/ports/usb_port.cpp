#include "ports/usb_port.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/text_codec.h"
#include "ports/boot_packet.h"
#include "ports/open_codes.h"

namespace {

constexpr wchar_t kDeviceClassesKey[] = L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses";
constexpr wchar_t kDeviceInstanceValue[] = L"DeviceInstance";
// The class text is cut to this many characters before its conversion.
constexpr std::size_t kMaxClassChars = 255;
// IOCTL_PAR_QUERY_DEVICE_ID.
constexpr std::uint32_t kQueryDeviceId = 0x16000C;
constexpr std::uint32_t kDeviceIdBytes = 1024;
constexpr std::string_view kPipeMonitor = "PIPE MONITOR";

constexpr const wchar_t* kSupportedPrefixes[] = {
    L"USB\\VID_1A7E&PID_0316",
    L"USB\\VID_1A7E&PID_0319",
    L"USB\\VID_1A7E&PID_031A",
};

// Instance ids are ASCII; folding only ASCII letters keeps the match independent of the locale.
wchar_t FoldAscii(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool BeginsWithIgnoringCase(const wchar_t* text, const wchar_t* prefix) {
    for (; *prefix != L'\0'; ++text, ++prefix) {
        if (FoldAscii(*text) != FoldAscii(*prefix)) {
            return false;
        }
    }
    return true;
}

// Closes a registry key it holds when the scope ends, on every path.
class ScopedKey {
  public:
    ScopedKey(platform::UsbDevices& devices, platform::RegistryKey key)
        : m_devices(devices), m_key(key) {}
    ~ScopedKey() {
        if (m_key != nullptr) {
            m_devices.CloseKey(m_key);
        }
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    platform::RegistryKey get() const { return m_key; }

  private:
    platform::UsbDevices& m_devices;
    platform::RegistryKey m_key;
};

// Releases a device set it holds when the scope ends, on every path.
class ScopedDeviceSet {
  public:
    ScopedDeviceSet(platform::UsbDevices& devices, platform::DeviceSet set)
        : m_devices(devices), m_set(set) {}
    ~ScopedDeviceSet() {
        if (m_set != nullptr) {
            m_devices.ReleaseSet(m_set);
        }
    }
    ScopedDeviceSet(const ScopedDeviceSet&) = delete;
    ScopedDeviceSet& operator=(const ScopedDeviceSet&) = delete;
    platform::DeviceSet get() const { return m_set; }

  private:
    platform::UsbDevices& m_devices;
    platform::DeviceSet m_set;
};

}  // namespace

CUSBPort::~CUSBPort() {
    CloseDevice();
}

void CUSBPort::CloseDevice() {
    if (m_hDevice != nullptr) {
        m_devices.CloseDevice(m_hDevice);
        m_hDevice = nullptr;
    }
}

CString CUSBPort::FindInterfaceClass(platform::RegistryKey key, const CString& subkeyName,
                                     int depth) {
    if (depth < 2) {
        const ScopedKey opened(m_devices, m_devices.OpenKey(key, subkeyName));
        if (opened.get() == nullptr) {
            return {};
        }
        CString name;
        for (unsigned index = 0; m_devices.EnumKey(opened.get(), index, name); ++index) {
            CString answer = FindInterfaceClass(opened.get(), name, depth + 1);
            if (!answer.empty()) {
                return answer;
            }
        }
        return {};
    }
    // An interface key: its device must be supported, and its name ends with the class in braces.
    CString instanceId;
    if (!m_devices.ReadString(key, subkeyName, kDeviceInstanceValue, instanceId) ||
        !MatchDeviceId(instanceId.c_str())) {
        return {};
    }
    const std::size_t open = subkeyName.rfind(L'{');
    if (open == CString::npos || subkeyName.back() != L'}') {
        return {};
    }
    return subkeyName.substr(open + 1, subkeyName.size() - open - 2);
}

BOOL CUSBPort::OpenDevice() {
    CloseDevice();
    CString text = FindInterfaceClass(m_devices.LocalMachine(), kDeviceClassesKey, 0);
    if (text.size() > kMaxClassChars) {
        text.resize(kMaxClassChars);
    }
    platform::Guid interfaceClass{};
    if (text.empty() || !m_devices.GuidFromText(text, interfaceClass)) {
        return FALSE;
    }
    const ScopedDeviceSet set(m_devices, m_devices.PresentInterfaces(interfaceClass));
    if (set.get() == nullptr) {
        return FALSE;
    }
    // Every present interface of the class is a candidate, supported model or not.
    CString path;
    for (unsigned index = 0; m_hDevice == nullptr; ++index) {
        const platform::InterfaceLookup lookup =
            m_devices.InterfacePath(set.get(), interfaceClass, index, path);
        if (lookup == platform::InterfaceLookup::kEnd) {
            break;
        }
        if (lookup == platform::InterfaceLookup::kFound) {
            m_hDevice = m_devices.OpenDevice(path);
        }
    }
    return m_hDevice != nullptr ? TRUE : FALSE;
}

BOOL CUSBPort::GetDeviceId(CString& out) {
    if (!OpenDevice()) {
        return FALSE;
    }
    std::array<char, kDeviceIdBytes> buffer{};
    out.clear();
    std::uint32_t returned = 0;
    if (m_devices.DeviceControl(m_hDevice, kQueryDeviceId, buffer.data(), kDeviceIdBytes,
                                returned)) {
        out = platform::AnsiToWide(std::string(buffer.data(), std::min(returned, kDeviceIdBytes)));
    }
    CloseDevice();
    return out.empty() ? FALSE : TRUE;
}

bool CUSBPort::WritePiece(const std::uint8_t* piece, std::uint32_t size) {
    int writesWithoutProgress = 0;
    while (size > 0) {
        std::uint32_t written = 0;
        // A count above the request cannot be trusted to mean the piece went out whole.
        if (!m_devices.Write(m_hDevice, piece, size, written) || written > size) {
            return false;
        }
        if (written == 0) {
            if (++writesWithoutProgress == kMaxWritesWithoutProgress) {
                return false;
            }
            continue;
        }
        writesWithoutProgress = 0;
        piece += written;
        size -= written;
    }
    return true;
}

BOOL CUSBPort::SendData(const void* data, std::uint32_t length, std::uint32_t chunkSize) {
    if (!OpenDevice()) {
        return FALSE;
    }
    const std::uint32_t limit = chunkSize == 0 || chunkSize > kMaxPiece ? kMaxPiece : chunkSize;
    const auto* next = static_cast<const std::uint8_t*>(data);
    for (std::uint32_t remaining = length; remaining > 0;) {
        const std::uint32_t piece = std::min(remaining, limit);
        if (!WritePiece(next, piece)) {
            CloseDevice();
            return FALSE;
        }
        next += piece;
        remaining -= piece;
    }
    CloseDevice();
    return TRUE;
}

BOOL CUSBPort::BeginUpdate() {
    if (!OpenDevice()) {
        return FALSE;
    }
    const char* openCode = GetOpenCode();
    const auto bootPacket = BuildBootPacket();
    // Each SendData searches and opens the device again, closing the handle opened here.
    const BOOL result =
        SendData(openCode, static_cast<std::uint32_t>(std::strlen(openCode)), 0) &&
                SendData(kPipeMonitor.data(), static_cast<std::uint32_t>(kPipeMonitor.size()), 0) &&
                SendData(bootPacket.data(), static_cast<std::uint32_t>(bootPacket.size()), 0)
            ? TRUE
            : FALSE;
    CloseDevice();
    return result;
}

const char* CKM410USBPort::GetOpenCode() {
    return kOpenCodeTable[0];
}

BOOL CKM410USBPort::MatchDeviceId(const wchar_t* instanceId) {
    return std::any_of(std::begin(kSupportedPrefixes), std::end(kSupportedPrefixes),
                       [instanceId](const wchar_t* prefix) {
                           return BeginsWithIgnoringCase(instanceId, prefix);
                       })
               ? TRUE
               : FALSE;
}

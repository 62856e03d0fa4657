#include "fakes/fake_usb_devices.h"

#include <algorithm>
#include <cstring>

namespace fakes {

namespace {

constexpr std::uintptr_t kLocalMachine = 1;
// A port that keeps writing past this has lost its bound; failing stops the test from hanging.
constexpr std::size_t kWriteCallLimit = 100000;

bool SameIgnoringCase(const CString& a, const CString& b) {
    const auto fold = [](wchar_t c) { return c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](wchar_t x, wchar_t y) { return fold(x) == fold(y); });
}

template <typename Handle>
Handle AsHandle(std::uintptr_t id) {
    return reinterpret_cast<Handle>(id);
}

template <typename Handle>
std::uintptr_t IdOf(Handle handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

// The RPC run-time's form: 8-4-4-4-12 hex digits.
bool ParseGuid(const CString& text, platform::Guid& out) {
    if (text.size() != 36) {
        return false;
    }
    std::uint8_t bytes[16];
    std::size_t at = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != L'-') {
                return false;
            }
            ++i;
            continue;
        }
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes[at++] = static_cast<std::uint8_t>(high << 4 | low);
        i += 2;
    }
    out.data1 =
        static_cast<std::uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
    out.data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    out.data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
    std::copy(bytes + 8, bytes + 16, out.data4.begin());
    return true;
}

}  // namespace

struct FakeUsbDevices::Key {
    CString name;
    std::vector<std::unique_ptr<Key>> children;
    std::vector<std::pair<CString, CString>> values;

    Key* Child(const CString& childName) {
        for (const auto& child : children) {
            if (SameIgnoringCase(child->name, childName)) {
                return child.get();
            }
        }
        return nullptr;
    }
    Key& ChildCreated(const CString& childName) {
        if (Key* child = Child(childName)) {
            return *child;
        }
        children.push_back(std::make_unique<Key>());
        children.back()->name = childName;
        return *children.back();
    }
};

FakeUsbDevices::FakeUsbDevices() : m_root(std::make_unique<Key>()) {}
FakeUsbDevices::~FakeUsbDevices() = default;

void FakeUsbDevices::RegisterInterface(const CString& classKey, const CString& interfaceKey,
                                       const std::optional<CString>& deviceInstance) {
    Key* key = m_root.get();
    CString path = CString(kDeviceClasses) + L"\\" + classKey;
    for (std::size_t start = 0;;) {
        const std::size_t end = path.find(L'\\', start);
        key = &key->ChildCreated(path.substr(start, end - start));
        if (end == CString::npos) {
            break;
        }
        start = end + 1;
    }
    Key& entry = key->ChildCreated(interfaceKey);
    if (deviceInstance) {
        entry.values.emplace_back(L"DeviceInstance", *deviceInstance);
    }
}

FakeUsbDevice& FakeUsbDevices::AddPresentInterface(const CString& classText, const CString& path,
                                                   bool detailReadable) {
    m_interfaces.push_back({classText, path, detailReadable, {}});
    return m_interfaces.back().device;
}

int FakeUsbDevices::OpenHandles() const {
    return static_cast<int>(m_openKeys.size() + m_openSets.size() + m_openDevices.size());
}

FakeUsbDevices::Key* FakeUsbDevices::FindKey(platform::RegistryKey handle) {
    const std::uintptr_t id = IdOf(handle);
    if (id == kLocalMachine) {
        return m_root.get();
    }
    const auto found = m_openKeys.find(id);
    if (found == m_openKeys.end()) {
        ++badHandleUses;
        return nullptr;
    }
    return found->second;
}

FakeUsbDevices::Key* FakeUsbDevices::Walk(Key* from, const CString& path) {
    for (std::size_t start = 0; from != nullptr;) {
        const std::size_t end = path.find(L'\\', start);
        from = from->Child(path.substr(start, end - start));
        if (end == CString::npos) {
            break;
        }
        start = end + 1;
    }
    return from;
}

platform::RegistryKey FakeUsbDevices::LocalMachine() {
    return AsHandle<platform::RegistryKey>(kLocalMachine);
}

platform::RegistryKey FakeUsbDevices::OpenKey(platform::RegistryKey parent, const CString& name) {
    Key* key = Walk(FindKey(parent), name);
    if (key == nullptr) {
        return nullptr;
    }
    const std::uintptr_t id = NextHandle();
    m_openKeys[id] = key;
    return AsHandle<platform::RegistryKey>(id);
}

bool FakeUsbDevices::EnumKey(platform::RegistryKey handle, unsigned index, CString& name) {
    Key* key = FindKey(handle);
    if (key == nullptr || index >= key->children.size()) {
        return false;
    }
    name = key->children[index]->name;
    return true;
}

bool FakeUsbDevices::ReadString(platform::RegistryKey handle, const CString& subkey,
                                const wchar_t* valueName, CString& out) {
    Key* key = Walk(FindKey(handle), subkey);
    if (key == nullptr) {
        return false;
    }
    for (const auto& [name, value] : key->values) {
        if (SameIgnoringCase(name, valueName)) {
            out = value;
            return true;
        }
    }
    return false;
}

void FakeUsbDevices::CloseKey(platform::RegistryKey handle) {
    if (m_openKeys.erase(IdOf(handle)) == 0) {
        ++badHandleUses;
    }
}

bool FakeUsbDevices::GuidFromText(const CString& text, platform::Guid& out) {
    return ParseGuid(text, out);
}

platform::DeviceSet FakeUsbDevices::PresentInterfaces(const platform::Guid& interfaceClass) {
    if (failDeviceSets) {
        return nullptr;
    }
    const std::uintptr_t id = NextHandle();
    m_openSets[id] = interfaceClass;
    return AsHandle<platform::DeviceSet>(id);
}

platform::InterfaceLookup FakeUsbDevices::InterfacePath(platform::DeviceSet set,
                                                        const platform::Guid& interfaceClass,
                                                        unsigned index, CString& path) {
    const auto found = m_openSets.find(IdOf(set));
    if (found == m_openSets.end()) {
        ++badHandleUses;
        return platform::InterfaceLookup::kEnd;
    }
    unsigned seen = 0;
    for (const Interface& entry : m_interfaces) {
        platform::Guid entryClass{};
        if (!ParseGuid(entry.classText, entryClass) || entryClass != interfaceClass ||
            entryClass != found->second) {
            continue;
        }
        if (seen++ == index) {
            if (!entry.detailReadable) {
                return platform::InterfaceLookup::kNoDetail;
            }
            path = entry.path;
            return platform::InterfaceLookup::kFound;
        }
    }
    return platform::InterfaceLookup::kEnd;
}

void FakeUsbDevices::ReleaseSet(platform::DeviceSet set) {
    if (m_openSets.erase(IdOf(set)) == 0) {
        ++badHandleUses;
    }
}

platform::DeviceHandle FakeUsbDevices::OpenDevice(const CString& path) {
    openAttempts.push_back(path);
    for (Interface& entry : m_interfaces) {
        if (entry.path == path && entry.device.opens) {
            const std::uintptr_t id = NextHandle();
            m_openDevices[id] = &entry.device;
            ++entry.device.openCount;
            entry.device.sessions.emplace_back();
            return AsHandle<platform::DeviceHandle>(id);
        }
    }
    return nullptr;
}

FakeUsbDevice* FakeUsbDevices::FindDevice(platform::DeviceHandle handle) {
    const auto found = m_openDevices.find(IdOf(handle));
    if (found == m_openDevices.end()) {
        ++badHandleUses;
        return nullptr;
    }
    return found->second;
}

bool FakeUsbDevices::DeviceControl(platform::DeviceHandle handle, std::uint32_t code, void* out,
                                   std::uint32_t capacity, std::uint32_t& returned) {
    controlCodes.push_back(code);
    FakeUsbDevice* device = FindDevice(handle);
    if (device == nullptr) {
        return false;
    }
    ++device->controlRequests;
    // The printer class answers only the identity request.
    constexpr std::uint32_t kQueryDeviceId = 0x16000C;
    if (code != kQueryDeviceId || !device->deviceId) {
        return false;
    }
    returned =
        static_cast<std::uint32_t>(std::min<std::size_t>(device->deviceId->size(), capacity));
    std::memcpy(out, device->deviceId->data(), returned);
    return true;
}

bool FakeUsbDevices::Write(platform::DeviceHandle handle, const void* data, std::uint32_t size,
                           std::uint32_t& written) {
    FakeUsbDevice* device = FindDevice(handle);
    if (device == nullptr || device->writeSizes.size() >= kWriteCallLimit) {
        return false;
    }
    device->writeSizes.push_back(size);
    WriteAnswer answer = device->afterScript;
    if (!device->writeAnswers.empty()) {
        answer = device->writeAnswers.front();
        device->writeAnswers.pop_front();
    }
    if (!answer.ok) {
        return false;
    }
    written = answer.accepted ? *answer.accepted : size;
    const std::string accepted(static_cast<const char*>(data), std::min(written, size));
    device->received += accepted;
    device->sessions.back() += accepted;
    return true;
}

void FakeUsbDevices::CloseDevice(platform::DeviceHandle handle) {
    if (m_openDevices.erase(IdOf(handle)) == 0) {
        ++badHandleUses;
    }
}

}  // namespace fakes

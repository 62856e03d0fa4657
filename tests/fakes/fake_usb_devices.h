// An in-memory stand-in for the USB device services: a registry tree, present
// device interfaces with scripted devices behind them, and a count of every handle
// it gave out, so that a test can show that each one was closed exactly once.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/usb_devices.h"

namespace fakes {

// A device's answer to one write call.
struct WriteAnswer {
    bool ok = true;
    std::optional<std::uint32_t> accepted;  // nullopt: the whole request

    static WriteAnswer All() { return {}; }
    static WriteAnswer Accept(std::uint32_t count) { return {true, count}; }
    static WriteAnswer Fail() { return {false, std::nullopt}; }
};

// The printer behind a present interface.
struct FakeUsbDevice {
    bool opens = true;
    // The answer to the identity request, copied up to the caller's capacity;
    // nullopt makes the request fail.
    std::optional<std::string> deviceId;
    // Answers to the write calls in order; past the script, `afterScript`.
    std::deque<WriteAnswer> writeAnswers;
    WriteAnswer afterScript = WriteAnswer::All();

    // What the device saw.
    int openCount = 0;
    int controlRequests = 0;
    std::vector<std::uint32_t> writeSizes;  // bytes offered by each write call
    std::string received;                   // bytes accepted, in order
    // The bytes accepted between each open and its close.
    std::vector<std::string> sessions;
};

class FakeUsbDevices final : public platform::UsbDevices {
  public:
    static constexpr const wchar_t* kDeviceClasses =
        L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses";

    FakeUsbDevices();
    ~FakeUsbDevices() override;

    // Records an interface under the device classes key, as Windows does for every
    // device ever installed; nullopt leaves out its "DeviceInstance" value.
    void RegisterInterface(const CString& classKey, const CString& interfaceKey,
                           const std::optional<CString>& deviceInstance);
    // Makes an interface of class `classText` (GUID text without braces) present.
    FakeUsbDevice& AddPresentInterface(const CString& classText, const CString& path,
                                       bool detailReadable = true);
    // Every device-set request fails.
    bool failDeviceSets = false;

    // Handles given out and not yet closed.
    int OpenHandles() const;
    // Closes of unknown or already closed handles, and uses of such handles.
    int badHandleUses = 0;
    // Device paths in the order the port tried to open them.
    std::vector<CString> openAttempts;
    // Control codes the port sent.
    std::vector<std::uint32_t> controlCodes;

    platform::RegistryKey LocalMachine() override;
    platform::RegistryKey OpenKey(platform::RegistryKey parent, const CString& name) override;
    bool EnumKey(platform::RegistryKey key, unsigned index, CString& name) override;
    bool ReadString(platform::RegistryKey key, const CString& subkey, const wchar_t* valueName,
                    CString& out) override;
    void CloseKey(platform::RegistryKey key) override;
    bool GuidFromText(const CString& text, platform::Guid& out) override;
    platform::DeviceSet PresentInterfaces(const platform::Guid& interfaceClass) override;
    platform::InterfaceLookup InterfacePath(platform::DeviceSet set,
                                            const platform::Guid& interfaceClass, unsigned index,
                                            CString& path) override;
    void ReleaseSet(platform::DeviceSet set) override;
    platform::DeviceHandle OpenDevice(const CString& path) override;
    bool DeviceControl(platform::DeviceHandle device, std::uint32_t code, void* out,
                       std::uint32_t capacity, std::uint32_t& returned) override;
    bool Write(platform::DeviceHandle device, const void* data, std::uint32_t size,
               std::uint32_t& written) override;
    void CloseDevice(platform::DeviceHandle device) override;

  private:
    struct Key;
    struct Interface {
        CString classText;
        CString path;
        bool detailReadable;
        FakeUsbDevice device;
    };

    Key* FindKey(platform::RegistryKey handle);
    Key* Walk(Key* from, const CString& path);
    FakeUsbDevice* FindDevice(platform::DeviceHandle handle);
    std::uintptr_t NextHandle() { return ++m_lastHandle; }

    std::unique_ptr<Key> m_root;
    std::deque<Interface> m_interfaces;  // a deque keeps the devices' addresses
    std::map<std::uintptr_t, Key*> m_openKeys;
    std::map<std::uintptr_t, platform::Guid> m_openSets;
    std::map<std::uintptr_t, FakeUsbDevice*> m_openDevices;
    std::uintptr_t m_lastHandle = 1;  // 1 is the predefined local-machine key
};

}  // namespace fakes

// The USB device services on Windows: the registry, SetupAPI, the RPC run-time's
// GUID conversion and the file API.
#pragma once

#include "platform/usb_devices.h"

namespace platform::win32 {

class Win32UsbDevices final : public UsbDevices {
  public:
    RegistryKey LocalMachine() override;
    RegistryKey OpenKey(RegistryKey parent, const CString& name) override;
    bool EnumKey(RegistryKey key, unsigned index, CString& name) override;
    bool ReadString(RegistryKey key, const CString& subkey, const wchar_t* valueName,
                    CString& out) override;
    void CloseKey(RegistryKey key) override;
    bool GuidFromText(const CString& text, Guid& out) override;
    DeviceSet PresentInterfaces(const Guid& interfaceClass) override;
    InterfaceLookup InterfacePath(DeviceSet set, const Guid& interfaceClass, unsigned index,
                                  CString& path) override;
    void ReleaseSet(DeviceSet set) override;
    DeviceHandle OpenDevice(const CString& path) override;
    bool DeviceControl(DeviceHandle device, std::uint32_t code, void* out, std::uint32_t capacity,
                       std::uint32_t& returned) override;
    bool Write(DeviceHandle device, const void* data, std::uint32_t size,
               std::uint32_t& written) override;
    void CloseDevice(DeviceHandle device) override;
};

}  // namespace platform::win32

// The OS services behind the USB printer-class port: the registry where Windows
// records device interfaces, the present interfaces of a class, and the device
// file with its control request and writes. The port keeps the search logic; this
// interface only forwards single OS calls.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/tarnel_types.h"

namespace platform {

// Opaque handles; null is "none". Distinct types so that one cannot be passed for another.
struct RegistryKeyTag;
struct DeviceSetTag;
struct DeviceHandleTag;
using RegistryKey = RegistryKeyTag*;
using DeviceSet = DeviceSetTag*;
using DeviceHandle = DeviceHandleTag*;

// A device interface class, laid out as the Windows GUID.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;

    bool operator==(const Guid&) const = default;
};

enum class InterfaceLookup {
    kEnd,       // no interface at this index: the enumeration is over
    kNoDetail,  // an interface whose device path could not be read
    kFound,
};

class UsbDevices {
  public:
    // Buffers of the Windows implementation: longer names, values and paths fail.
    static constexpr std::size_t kSubkeyNameChars = 256;
    static constexpr std::size_t kValueBytes = 256;
    static constexpr std::size_t kInterfaceDetailBytes = 1024;

    virtual ~UsbDevices() = default;

    // HKEY_LOCAL_MACHINE; predefined, never closed.
    virtual RegistryKey LocalMachine() = 0;
    // Opens `name` (a path of one or more keys) under `parent` for reading; null on failure.
    [[nodiscard]] virtual RegistryKey OpenKey(RegistryKey parent, const CString& name) = 0;
    // The name of subkey number `index` of `key`; false past the last one or on an error.
    [[nodiscard]] virtual bool EnumKey(RegistryKey key, unsigned index, CString& name) = 0;
    // The string value `valueName` of the subkey `subkey` of `key`.
    [[nodiscard]] virtual bool ReadString(RegistryKey key, const CString& subkey,
                                          const wchar_t* valueName, CString& out) = 0;
    virtual void CloseKey(RegistryKey key) = 0;

    // A GUID from its 36-character text without braces; false for anything else.
    [[nodiscard]] virtual bool GuidFromText(const CString& text, Guid& out) = 0;
    // The present devices that expose an interface of class `interfaceClass`; null on failure.
    [[nodiscard]] virtual DeviceSet PresentInterfaces(const Guid& interfaceClass) = 0;
    // The device path of the set's interface number `index` of that class.
    [[nodiscard]] virtual InterfaceLookup InterfacePath(DeviceSet set, const Guid& interfaceClass,
                                                        unsigned index, CString& path) = 0;
    virtual void ReleaseSet(DeviceSet set) = 0;

    // Opens an existing device for reading and writing, sharing both; null on failure.
    [[nodiscard]] virtual DeviceHandle OpenDevice(const CString& path) = 0;
    // A control request without input; `returned` is the count of bytes placed in `out`.
    [[nodiscard]] virtual bool DeviceControl(DeviceHandle device, std::uint32_t code, void* out,
                                             std::uint32_t capacity, std::uint32_t& returned) = 0;
    // One write call; `written` is the count the device accepted.
    [[nodiscard]] virtual bool Write(DeviceHandle device, const void* data, std::uint32_t size,
                                     std::uint32_t& written) = 0;
    virtual void CloseDevice(DeviceHandle device) = 0;
};

}  // namespace platform

#include "platform/win32/win32_usb_devices.h"

#include <windows.h>

#include <rpc.h>
#include <setupapi.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>

namespace platform::win32 {

namespace {

HKEY AsHkey(RegistryKey key) {
    return reinterpret_cast<HKEY>(key);
}
HDEVINFO AsDevInfo(DeviceSet set) {
    return reinterpret_cast<HDEVINFO>(set);
}
HANDLE AsHandle(DeviceHandle device) {
    return reinterpret_cast<HANDLE>(device);
}

GUID ToGuid(const Guid& guid) {
    GUID out{};
    out.Data1 = guid.data1;
    out.Data2 = guid.data2;
    out.Data3 = guid.data3;
    std::copy(guid.data4.begin(), guid.data4.end(), out.Data4);
    return out;
}

}  // namespace

RegistryKey Win32UsbDevices::LocalMachine() {
    return reinterpret_cast<RegistryKey>(HKEY_LOCAL_MACHINE);
}

RegistryKey Win32UsbDevices::OpenKey(RegistryKey parent, const CString& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(AsHkey(parent), name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return reinterpret_cast<RegistryKey>(key);
}

bool Win32UsbDevices::EnumKey(RegistryKey key, unsigned index, CString& name) {
    wchar_t buffer[kSubkeyNameChars];
    DWORD length = kSubkeyNameChars;
    if (RegEnumKeyExW(AsHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    name.assign(buffer, std::min<std::size_t>(length, kSubkeyNameChars));
    return true;
}

bool Win32UsbDevices::ReadString(RegistryKey key, const CString& subkey, const wchar_t* valueName,
                                 CString& out) {
    wchar_t buffer[kValueBytes / sizeof(wchar_t)];
    DWORD size = sizeof(buffer);
    if (RegGetValueW(AsHkey(key), subkey.c_str(), valueName, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
        return false;
    }
    // The stored bytes need not end with a NUL; never read past what was returned.
    const std::size_t chars = std::min<std::size_t>(size, sizeof(buffer)) / sizeof(wchar_t);
    out.assign(buffer, wcsnlen(buffer, chars));
    return true;
}

void Win32UsbDevices::CloseKey(RegistryKey key) {
    RegCloseKey(AsHkey(key));
}

bool Win32UsbDevices::GuidFromText(const CString& text, Guid& out) {
    // The RPC run-time reads a null text as the nil GUID; no text is no class.
    if (text.empty()) {
        return false;
    }
    CString copy = text;
    UUID uuid{};
    if (UuidFromStringW(reinterpret_cast<RPC_WSTR>(copy.data()), &uuid) != RPC_S_OK) {
        return false;
    }
    out.data1 = uuid.Data1;
    out.data2 = uuid.Data2;
    out.data3 = uuid.Data3;
    std::copy(std::begin(uuid.Data4), std::end(uuid.Data4), out.data4.begin());
    return true;
}

DeviceSet Win32UsbDevices::PresentInterfaces(const Guid& interfaceClass) {
    const GUID guid = ToGuid(interfaceClass);
    const HDEVINFO set =
        SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    return set == INVALID_HANDLE_VALUE ? nullptr : reinterpret_cast<DeviceSet>(set);
}

InterfaceLookup Win32UsbDevices::InterfacePath(DeviceSet set, const Guid& interfaceClass,
                                               unsigned index, CString& path) {
    const GUID guid = ToGuid(interfaceClass);
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    if (!SetupDiEnumDeviceInterfaces(AsDevInfo(set), nullptr, &guid, index, &data)) {
        return InterfaceLookup::kEnd;
    }
    alignas(SP_DEVICE_INTERFACE_DETAIL_DATA_W) unsigned char buffer[kInterfaceDetailBytes];
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer);
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(AsDevInfo(set), &data, detail, sizeof(buffer), nullptr,
                                          nullptr)) {
        return InterfaceLookup::kNoDetail;
    }
    constexpr std::size_t kPathChars =
        (sizeof(buffer) - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) /
        sizeof(wchar_t);
    path.assign(detail->DevicePath, wcsnlen(detail->DevicePath, kPathChars));
    return InterfaceLookup::kFound;
}

void Win32UsbDevices::ReleaseSet(DeviceSet set) {
    SetupDiDestroyDeviceInfoList(AsDevInfo(set));
}

DeviceHandle Win32UsbDevices::OpenDevice(const CString& path) {
    const HANDLE device =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return device == INVALID_HANDLE_VALUE ? nullptr : reinterpret_cast<DeviceHandle>(device);
}

bool Win32UsbDevices::DeviceControl(DeviceHandle device, std::uint32_t code, void* out,
                                    std::uint32_t capacity, std::uint32_t& returned) {
    DWORD count = 0;
    if (!DeviceIoControl(AsHandle(device), code, nullptr, 0, out, capacity, &count, nullptr)) {
        return false;
    }
    returned = count;
    return true;
}

bool Win32UsbDevices::Write(DeviceHandle device, const void* data, std::uint32_t size,
                            std::uint32_t& written) {
    DWORD count = 0;
    if (!WriteFile(AsHandle(device), data, size, &count, nullptr)) {
        return false;
    }
    written = count;
    return true;
}

void Win32UsbDevices::CloseDevice(DeviceHandle device) {
    CloseHandle(AsHandle(device));
}

}  // namespace platform::win32

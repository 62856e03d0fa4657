// The USB printer-class ports.
#pragma once

#include <cstdint>

#include "platform/usb_devices.h"
#include "ports/port.h"

// Base of the ports that open a printer that Windows presents as a USB
// printer-class device. Every operation searches and opens the device afresh and
// closes it before returning, so Close has nothing to release.
class CUSBPort : public CPort {
  public:
    explicit CUSBPort(platform::UsbDevices& devices) : m_devices(devices) {}
    CUSBPort(const CUSBPort&) = delete;
    CUSBPort& operator=(const CUSBPort&) = delete;

    BOOL GetDeviceId(CString& out) override;
    // Sends the open code, "PIPE MONITOR" and the boot packet, each by SendData.
    BOOL BeginUpdate() override;
    BOOL SendData(const void* data, std::uint32_t length, std::uint32_t chunkSize) override;
    void Close() override {}
    // Never null for a USB port: BeginUpdate sends it.
    const char* GetOpenCode() override = 0;
    // Nonzero when a Windows device instance id belongs to a printer the port supports.
    virtual BOOL MatchDeviceId(const wchar_t* instanceId) = 0;
    ~CUSBPort() override;

    // The largest piece handed to one write, also the default.
    static constexpr std::uint32_t kMaxPiece = 4096;
    // A device that reports success but takes no byte this many times in a row has
    // stopped; the transfer fails instead of repeating the write for ever.
    static constexpr int kMaxWritesWithoutProgress = 16;

  protected:
    // Searches the device and opens the first openable interface of its class.
    [[nodiscard]] BOOL OpenDevice();
    // The interface class (GUID text without braces) of the first registered
    // interface whose device the port supports, searching two levels below `key`'s
    // subkey `subkeyName`; empty when there is none.
    CString FindInterfaceClass(platform::RegistryKey key, const CString& subkeyName, int depth);

  private:
    void CloseDevice();
    // Writes one piece, continuing after partial writes.
    [[nodiscard]] bool WritePiece(const std::uint8_t* piece, std::uint32_t size);

    platform::UsbDevices& m_devices;
    platform::DeviceHandle m_hDevice = nullptr;
};

// The port of port type "USB".
class CKM410USBPort : public CUSBPort {
  public:
    using CUSBPort::CUSBPort;

    // Open code 0.
    const char* GetOpenCode() override;
    // The instance id begins, in any letter case, with one of the supported models' prefixes.
    BOOL MatchDeviceId(const wchar_t* instanceId) override;
};

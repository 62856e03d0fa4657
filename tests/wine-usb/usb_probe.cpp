// Runs every operation of the USB port against the Windows device services and
// prints one line per result, so that a test can see that each one returns 0 and
// none hangs where no USB printer is attached. The first line is the interface
// class the registry search found (empty when none).
#include <cstdio>

#include "platform/text_codec.h"
#include "platform/win32/win32_usb_devices.h"
#include "ports/usb_port.h"

namespace {

// Shows the registry search's answer, which the port keeps to itself.
class ProbedPort final : public CKM410USBPort {
  public:
    explicit ProbedPort(platform::UsbDevices& devices)
        : CKM410USBPort(devices), m_devices(devices) {}

    CString InterfaceClass() {
        return FindInterfaceClass(m_devices.LocalMachine(),
                                  L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses", 0);
    }

  private:
    platform::UsbDevices& m_devices;
};

void Report(const char* operation, BOOL result) {
    std::printf("%s %d\n", operation, result);
    std::fflush(stdout);
}

}  // namespace

int wmain() {
    platform::win32::Win32UsbDevices devices;
    ProbedPort port(devices);
    std::printf("class %s\n", platform::WideToAnsi(port.InterfaceClass()).c_str());
    CString identity;
    Report("GetDeviceId", port.GetDeviceId(identity));
    Report("BeginUpdate", port.BeginUpdate());
    const char payload[] = "firmware";
    Report("SendData", port.SendData(payload, sizeof(payload), 0));
    Report("SendData(length 0)", port.SendData(nullptr, 0, 0));
    port.Close();
    return 0;
}

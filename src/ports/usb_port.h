// The USB printer-class ports.
#pragma once

#include "ports/port.h"

// Base of the ports that open a printer that Windows presents as a USB
// printer-class device.
class CUSBPort : public CPort {
  public:
    // Nonzero when a Windows device instance id belongs to a printer the port supports.
    virtual BOOL MatchDeviceId(const wchar_t* instanceId) = 0;
};

// The port of port type "USB".
class CKM410USBPort : public CUSBPort {};

// Turns the build's port type code into a new port. The main dialog asks for one
// each time the user presses Next with no printer attached; the product's factory
// builds the port classes on the operating system's services, tests supply their
// own ports.
#pragma once

#include <cstdint>
#include <memory>

#include "ports/port.h"

class PortFactory {
  public:
    virtual ~PortFactory() = default;
    // The port of a kind reached without an address; null for a code it does not know.
    virtual std::unique_ptr<CPort> CreateUSBPort(int code) = 0;
    // The port of a kind reached at `address` (network byte order); `index` is the
    // port type code minus 0x11. Null for an index it does not know.
    virtual std::unique_ptr<CPort> CreateNetworkPort(std::uint32_t address, unsigned index) = 0;
};

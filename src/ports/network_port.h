// The TCP/IP ports.
#pragma once

#include <cstdint>

#include "ports/port.h"

// Base of the ports that reach the printer at an IPv4 address.
class CNetworkPort : public CPort {
  public:
    explicit CNetworkPort(std::uint32_t address) : m_address(address) {}

    std::uint32_t m_address;  // network byte order
};

// A printer behind an LPR print server; the open code chooses its access code.
class CLprNetworkPort : public CNetworkPort {
  public:
    CLprNetworkPort(std::uint32_t address, int alternateCode);

    int m_alternateCode;  // 0: open code 0; nonzero: open code 1
};

// Raw TCP with the boot frame on port 9101.
class CBorenNetworkPort : public CNetworkPort {
  public:
    explicit CBorenNetworkPort(std::uint32_t address);
};

// As CBorenNetworkPort, with the boot frame on port 9500.
class CSalixNetworkPort : public CBorenNetworkPort {
  public:
    explicit CSalixNetworkPort(std::uint32_t address);
};

// The printer driven through the maker's remote-connect library over TCP/IP.
class CTR880Port : public CNetworkPort {
  public:
    explicit CTR880Port(std::uint32_t address);
};

// The figures of the network ports in one place: how long each wait may last and
// where the printer's services listen. The product uses the defaults; tests hand
// ports shorter limits and the ports of their own loopback listeners.
#pragma once

#include <chrono>
#include <cstdint>

struct NetworkTimeouts {
    // A printer that has not accepted the connection by then is taken as absent.
    std::chrono::milliseconds connect{10'000};
    // A send or receive that makes no progress this long fails its operation.
    std::chrono::milliseconds stall{60'000};
    // One SNMP request, no retry: the printer's agent answers at once or not at all.
    std::chrono::milliseconds snmpResponse{200};
};

struct PrinterServicePorts {
    std::uint16_t snmp = 161;
    // 0: the "printer" entry of the services database, else 515.
    std::uint16_t lpr = 0;
    std::uint16_t raw = 9100;
    std::uint16_t borenBoot = 9101;
    std::uint16_t salixBoot = 9500;
};

struct NetworkSettings {
    NetworkTimeouts timeouts;
    PrinterServicePorts ports;
};

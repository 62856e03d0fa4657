// Byte order of IPv4 addresses: the address controls and the device file work in
// host order (first octet most significant), the ports in network order.
#pragma once

#include <bit>
#include <cstdint>

constexpr std::uint32_t HostToNetworkOrder(std::uint32_t address) {
    if constexpr (std::endian::native == std::endian::big) {
        return address;
    } else {
        return (address >> 24) | ((address >> 8) & 0x0000FF00u) | ((address << 8) & 0x00FF0000u) |
               (address << 24);
    }
}

// The printer simulator as the peer of the port tests: each test starts one on its
// own 127.78.x.y address, where the ports reach it on the real service ports, and
// reads what it received from its logs.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/tarnel_types.h"
#include "ports/network_settings.h"
#include "ports/port.h"
#include "sim_process.h"

namespace integration {

// The dotted address in network byte order, as the ports hold it.
std::uint32_t NetworkAddress(const std::string& dotted);

// The product's service ports with limits short enough for the time-out cases.
NetworkSettings ShortLimits();
inline constexpr std::chrono::milliseconds kShortStall{400};

// Waits until `count` connections on `tcpPort` have ended and been logged; their
// bytes, in the order they ended.
std::vector<std::string> EndedConnections(const sim_test::SimProcess& sim, int tcpPort,
                                          std::size_t count = 1);

// The sizes of the data files the simulator's LPD was announced, in order.
std::vector<std::size_t> AnnouncedDataFiles(const sim_test::SimProcess& sim);

// Polls the port's identity until it contains `part`; the last identity read.
CString WaitForIdentity(CPort& port, const CString& part,
                        std::chrono::milliseconds limit = std::chrono::seconds(5));

// Milliseconds `operation` took.
template <typename Operation>
long long MillisecondsOf(Operation&& operation) {
    const auto start = std::chrono::steady_clock::now();
    operation();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

}  // namespace integration

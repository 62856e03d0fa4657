#include "sim_printer.h"

#include <arpa/inet.h>

#include <sstream>
#include <thread>

namespace integration {
namespace {

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

std::uint32_t NetworkAddress(const std::string& dotted) {
    in_addr address{};
    ::inet_pton(AF_INET, dotted.c_str(), &address);
    return address.s_addr;
}

NetworkSettings ShortLimits() {
    NetworkSettings settings;
    settings.timeouts.connect = std::chrono::seconds(2);
    settings.timeouts.stall = kShortStall;
    return settings;
}

std::vector<std::string> EndedConnections(const sim_test::SimProcess& sim, int tcpPort,
                                          std::size_t count) {
    const std::string ended = "connection on TCP " + std::to_string(tcpPort) + " ended";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Occurrences(sim.EventLog(), ended) < count &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return sim.LoggedFiles("-tcp" + std::to_string(tcpPort) + ".bin");
}

std::vector<std::size_t> AnnouncedDataFiles(const sim_test::SimProcess& sim) {
    std::vector<std::size_t> sizes;
    std::istringstream log(sim.EventLog());
    const std::string marker = "LPD: data file 'x' of ";
    for (std::string line; std::getline(log, line);) {
        const std::size_t at = line.find(marker);
        if (at != std::string::npos) {
            sizes.push_back(std::stoul(line.substr(at + marker.size())));
        }
    }
    return sizes;
}

CString WaitForIdentity(CPort& port, const CString& part, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    CString identity;
    do {
        identity.clear();
        if (port.GetDeviceId(identity) && identity.find(part) != CString::npos) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return identity;
}

}  // namespace integration

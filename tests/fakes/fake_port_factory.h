// Hands out the ports a test prepared and records what the dialog asked for.
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "ports/port_factory.h"

namespace fakes {

class FakePortFactory final : public PortFactory {
  public:
    struct Request {
        bool usb;
        int code;               // USB: the port type code
        std::uint32_t address;  // network: the address, network byte order
        unsigned index;         // network: the port type code minus 0x11
    };

    std::unique_ptr<CPort> CreateUSBPort(int code) override {
        requests.push_back({true, code, 0, 0});
        return Next();
    }
    std::unique_ptr<CPort> CreateNetworkPort(std::uint32_t address, unsigned index) override {
        requests.push_back({false, 0, address, index});
        return Next();
    }

    // Ports handed out in order; null once they run out.
    std::deque<std::unique_ptr<CPort>> ports;
    std::vector<Request> requests;

  private:
    std::unique_ptr<CPort> Next() {
        if (ports.empty()) {
            return nullptr;
        }
        auto port = std::move(ports.front());
        ports.pop_front();
        return port;
    }
};

}  // namespace fakes

// The LPR port's service lookup against the system's services database, read here
// independently from /etc/services.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/socket.h"

namespace integration {
namespace {

// The port of `name` (or an alias) for `protocol` in /etc/services.
std::optional<std::uint16_t> ListedPort(const std::string& name, const std::string& protocol) {
    std::ifstream services("/etc/services");
    for (std::string line; std::getline(services, line);) {
        std::istringstream fields(line.substr(0, line.find('#')));
        std::string service;
        std::string portAndProtocol;
        if (!(fields >> service >> portAndProtocol)) {
            continue;
        }
        const std::size_t slash = portAndProtocol.find('/');
        if (slash == std::string::npos || portAndProtocol.substr(slash + 1) != protocol) {
            continue;
        }
        for (std::string alias = service; !alias.empty(); alias.clear(), fields >> alias) {
            if (alias == name) {
                return static_cast<std::uint16_t>(std::stoul(portAndProtocol.substr(0, slash)));
            }
        }
    }
    return std::nullopt;
}

TEST(ServicesDatabase, TheListedPortInHostOrderElseTheFallback) {
    ASSERT_TRUE(ListedPort("printer", "tcp").has_value())
        << "this system's services database has no printer entry";
    const struct {
        const char* name;
        const char* protocol;
    } cases[] = {
        {"printer", "tcp"},         // 515: swapped bytes would give 770
        {"spooler", "tcp"},         // an alias of the same entry
        {"printer", "udp"},         // the protocol is part of the key
        {"tarnel-no-such", "tcp"},  // no entry at all
        {"http", "tcp"},            // an entry whose bytes differ again (80, not 20480)
    };
    constexpr std::uint16_t kFallback = 4515;  // not a port any entry lists
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "/" << c.protocol);
        EXPECT_EQ(platform::ServicePort(c.name, c.protocol, kFallback),
                  ListedPort(c.name, c.protocol).value_or(kFallback));
    }
    EXPECT_EQ(platform::ServicePort("printer", "tcp", kFallback), 515);
}

}  // namespace
}  // namespace integration

// The library channel's own rules, spoken directly: the stand-in libraries' tests
// cover the requests as the libraries send them.
#include <gtest/gtest.h>

#include "net_client.h"
#include "sim_process.h"

namespace sim_test {
namespace {

// Sends one request line and returns the reply line ("" when none came).
std::string Ask(TcpClient& client, const std::string& request) {
    if (!client.Send(request + "\n")) {
        return {};
    }
    std::string reply;
    while (reply.find('\n') == std::string::npos) {
        const auto bytes = client.Receive();
        if (!bytes || bytes->empty()) {
            return reply;
        }
        reply += *bytes;
    }
    return reply.substr(0, reply.find('\n'));
}

TEST(PrinterSimLibraryChannel, RequestsBeforeOpenAreRefusedAndModesOtherThanLoaderUnknown) {
    SimProcess sim("127.77.6.1", {"--library-port", "9700"});
    TcpClient client(sim.Address(), 9700);
    ASSERT_TRUE(client.Connected());
    EXPECT_EQ(Ask(client, "IDENTITY"), "ERR not open");
    EXPECT_EQ(Ask(client, "MODE 1 10000"), "ERR not open");
    EXPECT_EQ(Ask(client, "CONNECT 127.77.6.2"), "ERR no printer at '127.77.6.2'");
    EXPECT_EQ(Ask(client, "CONNECT 127.77.6.1"), "OK");
    EXPECT_EQ(Ask(client, "MODE 0 10000"), "ERR unknown mode '0 10000'");
    EXPECT_EQ(Ask(client, "MODE 1 10000"), "OK");
    EXPECT_EQ(sim.Control("get mode"), "ok IPL");
}

TEST(PrinterSimLibraryChannel, OverlongRequestLineClosesTheConnection) {
    SimProcess sim("127.77.6.3");
    TcpClient client(sim.Address(), 9600);
    ASSERT_TRUE(client.Send(std::string(5000, 'A')));
    EXPECT_TRUE(client.WaitClosed());
    EXPECT_TRUE(sim.WaitForEvent("request line too long")) << sim.EventLog();
}

}  // namespace
}  // namespace sim_test

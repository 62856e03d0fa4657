#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <string>
#include <vector>

#include "loopback.h"
#include "ports/network_port.h"
#include "ports/snmp_get.h"
#include "ports/snmp_message.h"

namespace {

using std::chrono::steady_clock;

NetworkSettings QuickSettings(std::uint16_t snmpPort) {
    NetworkSettings settings{loopback::QuickTimeouts(), {}};
    settings.ports.snmp = snmpPort;
    return settings;
}

// The answer a good agent gives to `request`, with `value` of type `tag`.
std::string AnswerTo(const std::string& request, std::string value,
                     std::uint8_t tag = kBerOctetString, std::int32_t errorStatus = 0) {
    SnmpMessage reply =
        *DecodeSnmpMessage(reinterpret_cast<const std::uint8_t*>(request.data()), request.size());
    reply.pduType = kSnmpGetResponse;
    reply.errorStatus = errorStatus;
    reply.bindings.at(0).valueTag = tag;
    reply.bindings.at(0).value = std::move(value);
    return EncodeSnmpMessage(reply);
}

SnmpMessage DecodedRequest(const std::string& bytes) {
    const auto message =
        DecodeSnmpMessage(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return message.value_or(SnmpMessage{});
}

TEST(NetworkPort, GetDeviceIdAsksTheClassIdentifierWithOneGetRequest) {
    const struct {
        const char* label;
        bool lpr;
        const char* oid;
    } cases[] = {
        {"LPR", true, ".1.3.6.1.4.1.7391.2.2.2.1.24.1"},
        {"direct socket", false, ".1.3.6.1.4.1.48203.3.2.1.1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        loopback::UdpAgent agent(
            [](const std::string& request) {
                return std::vector<std::string>{AnswerTo(request, "MDL:QZ-70;VER:2.70;")};
            },
            1);
        CLprNetworkPort lpr(loopback::Address(), 0, QuickSettings(agent.port()));
        CBorenNetworkPort boren(loopback::Address(), QuickSettings(agent.port()));
        CString result;
        EXPECT_TRUE(c.lpr ? lpr.GetDeviceId(result) : boren.GetDeviceId(result));
        EXPECT_EQ(result, L"MDL:QZ-70;VER:2.70;");
        const std::vector<std::string> received = agent.Finish();
        ASSERT_EQ(received.size(), 1u);
        const SnmpMessage request = DecodedRequest(received[0]);
        EXPECT_EQ(request.version, kSnmpVersion1);
        EXPECT_EQ(request.community, "public");
        EXPECT_EQ(request.pduType, kSnmpGetRequest);
        ASSERT_EQ(request.bindings.size(), 1u);
        EXPECT_EQ(request.bindings[0].name, *EncodeObjectIdentifier(c.oid));
        EXPECT_EQ(request.bindings[0].valueTag, kBerNull);
        EXPECT_EQ(request.bindings[0].value, "");
    }
}

TEST(NetworkPort, SnmpAnswersDecideTheResult) {
    using Datagrams = std::vector<std::string>;
    const struct {
        const char* label;
        Datagrams (*answer)(const std::string&);
        BOOL ok;
        const wchar_t* result;
    } cases[] = {
        {"an empty string", [](const std::string& r) { return Datagrams{AnswerTo(r, "")}; }, TRUE,
         L""},
        {"junk and a stale id before the answer",
         [](const std::string& r) {
             SnmpMessage stale = DecodedRequest(r);
             stale.pduType = kSnmpGetResponse;
             stale.requestId ^= 1;
             stale.bindings[0] = {stale.bindings[0].name, kBerOctetString, "stale"};
             return Datagrams{"\x30\x03junk", EncodeSnmpMessage(stale), AnswerTo(r, "fresh")};
         },
         TRUE, L"fresh"},
        {"no such name",
         [](const std::string& r) { return Datagrams{AnswerTo(r, "", kBerNull, 2)}; }, FALSE,
         L"old"},
        {"an INTEGER", [](const std::string& r) { return Datagrams{AnswerTo(r, "\x05", 0x02)}; },
         FALSE, L"old"},
        {"silence", [](const std::string&) { return Datagrams{}; }, FALSE, L"old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        loopback::UdpAgent agent(c.answer, 1);
        CBorenNetworkPort port(loopback::Address(), QuickSettings(agent.port()));
        CString result = L"old";
        const auto start = steady_clock::now();
        EXPECT_EQ(port.GetDeviceId(result), c.ok);
        EXPECT_LT(steady_clock::now() - start, std::chrono::milliseconds(1000));
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(agent.Finish().size(), 1u) << "one request, no retry";
    }
}

TEST(NetworkPort, EachRequestHasAFreshId) {
    loopback::UdpAgent agent([](const std::string& r) { return std::vector{AnswerTo(r, "x")}; }, 2);
    CBorenNetworkPort port(loopback::Address(), QuickSettings(agent.port()));
    CString first;
    CString second;
    EXPECT_TRUE(port.GetDeviceId(first));
    EXPECT_TRUE(port.GetDeviceId(second));
    const std::vector<std::string> received = agent.Finish();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_NE(DecodedRequest(received[0]).requestId, DecodedRequest(received[1]).requestId);
}

TEST(NetworkPort, ConnectSocketFailsAtOnceWhenRefusedAndWithinTheLimitWhenUnanswered) {
    CBorenNetworkPort port(loopback::Address(), QuickSettings(161));
    {
        platform::Socket socket;
        const auto start = steady_clock::now();
        EXPECT_FALSE(port.ConnectSocket(socket, loopback::ClosedPort()));
        EXPECT_LT(steady_clock::now() - start, std::chrono::milliseconds(250));
        EXPECT_FALSE(socket.IsOpen());
    }
    // A listener whose queue is full drops further connection requests unanswered.
    loopback::Fd listener(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = loopback::Address();
    socklen_t size = sizeof(address);
    ASSERT_EQ(::bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &size), 0);
    ASSERT_EQ(::listen(listener.get(), 0), 0);
    const std::uint16_t fullPort = ntohs(address.sin_port);
    std::vector<platform::Socket> queued(3);
    for (platform::Socket& s : queued) {
        (void)s.ConnectTcp({loopback::Address(), fullPort}, std::chrono::milliseconds(100));
    }
    platform::Socket socket;
    const auto start = steady_clock::now();
    EXPECT_FALSE(port.ConnectSocket(socket, fullPort));
    const auto took = steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(250));
    EXPECT_LT(took, std::chrono::seconds(2));
    EXPECT_FALSE(socket.IsOpen());
}

}  // namespace

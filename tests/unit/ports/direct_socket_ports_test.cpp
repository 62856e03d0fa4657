#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "loopback.h"
#include "ports/boot_packet.h"
#include "ports/network_port.h"

namespace {

// A printer port that keeps every byte until the sender closes.
struct Sink {
    std::string bytes;
    loopback::TcpPeer peer{[this](int fd) { bytes = loopback::ReadToEnd(fd); }};
};

// Each service of the port on a listener of its own, so a test sees which one it used.
struct FakePrinter {
    Sink raw;
    Sink borenBoot;
    Sink salixBoot;

    NetworkSettings Settings() {
        NetworkSettings settings{loopback::QuickTimeouts(), {}};
        settings.ports.raw = raw.peer.port();
        settings.ports.borenBoot = borenBoot.peer.port();
        settings.ports.salixBoot = salixBoot.peer.port();
        return settings;
    }
};

std::string Frame() {
    const auto frame = BuildBootFrame();
    return std::string(frame.begin(), frame.end());
}

TEST(DirectSocketPorts, BeginUpdateSendsTheBootFrameToTheClassBootPort) {
    {
        FakePrinter printer;
        CBorenNetworkPort port(loopback::Address(), printer.Settings());
        EXPECT_TRUE(port.BeginUpdate());
        EXPECT_TRUE(printer.borenBoot.peer.Finish());
        EXPECT_EQ(printer.borenBoot.bytes, Frame());
        printer.raw.peer.Finish();
        printer.salixBoot.peer.Finish();
        EXPECT_EQ(printer.salixBoot.bytes, "");
    }
    {
        FakePrinter printer;
        CSalixNetworkPort port(loopback::Address(), printer.Settings());
        EXPECT_TRUE(port.BeginUpdate());
        EXPECT_TRUE(printer.salixBoot.peer.Finish());
        EXPECT_EQ(printer.salixBoot.bytes, Frame());
        printer.raw.peer.Finish();
        printer.borenBoot.peer.Finish();
        EXPECT_EQ(printer.borenBoot.bytes, "");
    }
}

TEST(DirectSocketPorts, DefaultPortsAreTheProductFigures) {
    const PrinterServicePorts ports;
    EXPECT_EQ(ports.raw, 9100);
    EXPECT_EQ(ports.borenBoot, 9101);
    EXPECT_EQ(ports.salixBoot, 9500);
    EXPECT_EQ(ports.snmp, 161);
}

TEST(DirectSocketPorts, SendDataStreamsEveryByteToTheRawPort) {
    const struct {
        std::uint32_t length;
        std::uint32_t chunk;
    } cases[] = {{2500, 1000}, {204800, 0}, {3'000'000, 0}, {10, 100}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " by " << c.chunk);
        std::string payload(c.length, '\0');
        for (std::size_t i = 0; i < payload.size(); ++i) {
            payload[i] = static_cast<char>(i * 13 + i / 256);
        }
        FakePrinter printer;
        CSalixNetworkPort port(loopback::Address(), printer.Settings());
        EXPECT_TRUE(port.SendData(payload.data(), c.length, c.chunk));
        EXPECT_TRUE(printer.raw.peer.Finish()) << "a connection even for no bytes";
        EXPECT_EQ(printer.raw.bytes, payload);
        printer.borenBoot.peer.Finish();
        printer.salixBoot.peer.Finish();
    }
}

TEST(DirectSocketPorts, NothingListeningFailsWithoutSending) {
    NetworkSettings settings{loopback::QuickTimeouts(), {}};
    settings.ports.raw = loopback::ClosedPort();
    settings.ports.borenBoot = loopback::ClosedPort();
    settings.ports.salixBoot = loopback::ClosedPort();
    CBorenNetworkPort boren(loopback::Address(), settings);
    CSalixNetworkPort salix(loopback::Address(), settings);
    EXPECT_FALSE(boren.BeginUpdate());
    EXPECT_FALSE(salix.BeginUpdate());
    EXPECT_FALSE(boren.SendData("x", 1, 0));
    EXPECT_FALSE(salix.SendData("", 0, 0));
}

TEST(DirectSocketPorts, APrinterThatStopsReadingFailsTheSendWithinTheStallLimit) {
    // Accepts, then reads nothing until the sender has given up.
    std::atomic<bool> gaveUp = false;
    loopback::TcpPeer stalled(
        [&gaveUp](int) {
            for (int i = 0; i < 500 && !gaveUp; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        },
        4096);
    NetworkSettings settings{loopback::QuickTimeouts(), {}};
    settings.ports.raw = stalled.port();
    CBorenNetworkPort port(loopback::Address(), settings);
    const std::string payload(64 << 20, 'p');
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port.SendData(payload.data(), static_cast<std::uint32_t>(payload.size()), 0));
    const auto took = std::chrono::steady_clock::now() - start;
    gaveUp = true;
    EXPECT_GE(took, loopback::QuickTimeouts().stall);
    EXPECT_LT(took, std::chrono::seconds(3));
}

TEST(DirectSocketPorts, SendNoOpenCode) {
    CBorenNetworkPort boren(loopback::Address());
    CSalixNetworkPort salix(loopback::Address());
    EXPECT_EQ(boren.GetOpenCode(), nullptr);
    EXPECT_EQ(salix.GetOpenCode(), nullptr);
}

}  // namespace

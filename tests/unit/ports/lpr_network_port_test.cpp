#include <gtest/gtest.h>
#include <sys/socket.h>

#include <chrono>
#include <string>
#include <vector>

#include "hex.h"
#include "loopback.h"
#include "ports/boot_packet.h"
#include "ports/lpr_commands.h"
#include "ports/network_port.h"
#include "ports/open_codes.h"

namespace {

// What the fake printer does at each acknowledgement, in order; past the script's
// end it accepts.
enum class Ack { kAccept, kRefuse, kClose, kStall };

// An LPR printer on loopback: reads the receive-job command, then subcommands and
// data files, answering by its script. Records every byte it received, also after
// a refusal, to show that nothing more was sent.
class FakeLprPrinter {
  public:
    explicit FakeLprPrinter(std::vector<Ack> script = {})
        : m_script(std::move(script)), m_peer([this](int fd) { Serve(fd); }) {}

    CLprNetworkPort MakePort(int alternateCode) {
        NetworkSettings settings{loopback::QuickTimeouts(), {}};
        settings.ports.lpr = m_peer.port();
        return CLprNetworkPort(loopback::Address(), alternateCode, settings);
    }
    // After the port has finished: every byte, and the data files' sizes.
    const std::string& Wire() {
        m_peer.Finish();
        return m_wire;
    }
    const std::vector<std::size_t>& FileSizes() {
        m_peer.Finish();
        return m_fileSizes;
    }

  private:
    // false when the exchange ends here.
    bool Answer(int fd) {
        const Ack ack = m_next < m_script.size() ? m_script[m_next] : Ack::kAccept;
        ++m_next;
        switch (ack) {
            case Ack::kAccept:
                return ::send(fd, "\0", 1, MSG_NOSIGNAL) == 1;
            case Ack::kRefuse:
                ::send(fd, "\1", 1, MSG_NOSIGNAL);
                m_wire += loopback::ReadToEnd(fd);
                return false;
            case Ack::kStall:
                m_wire += loopback::ReadToEnd(fd);
                return false;
            case Ack::kClose:
                return false;
        }
        return false;
    }

    void Serve(int fd) {
        m_wire = loopback::ReadLine(fd);
        if (!Answer(fd)) {
            return;
        }
        for (;;) {
            const std::string subcommand = loopback::ReadLine(fd);
            m_wire += subcommand;
            if (subcommand.size() < 2 || !Answer(fd)) {
                return;
            }
            const std::size_t size = std::stoul(subcommand.substr(1));
            m_wire += loopback::ReadUpTo(fd, size + 1);
            m_fileSizes.push_back(size);
            if (!Answer(fd)) {
                return;
            }
        }
    }

    std::vector<Ack> m_script;
    std::size_t m_next = 0;
    std::string m_wire;
    std::vector<std::size_t> m_fileSizes;
    loopback::TcpPeer m_peer;  // last: its thread uses the members above
};

std::string DataFile(std::string_view bytes) {
    return LprDataFileSubcommand(static_cast<std::uint32_t>(bytes.size())) + std::string(bytes) +
           '\0';
}

std::string BeginUpdateWire(int entry) {
    const auto packet = BuildBootPacket();
    return std::string(kLprReceiveJob) + DataFile(kOpenCodeTable[entry]) +
           DataFile("PIPE MONITOR") + DataFile(std::string(packet.begin(), packet.end()));
}

TEST(LprNetworkPort, BeginUpdateSendsOpenCodePipeMonitorAndBootPacketAsOneJob) {
    for (int alternateCode : {0, 1, 7}) {
        SCOPED_TRACE(alternateCode);
        const int entry = alternateCode == 0 ? 0 : 1;
        FakeLprPrinter printer;
        CLprNetworkPort port = printer.MakePort(alternateCode);
        EXPECT_STREQ(port.GetOpenCode(), kOpenCodeTable[entry]);
        EXPECT_TRUE(port.BeginUpdate());
        EXPECT_EQ(printer.Wire(), BeginUpdateWire(entry));
        EXPECT_EQ(printer.FileSizes(), (std::vector<std::size_t>{510, 12, 21}));
    }
}

TEST(LprNetworkPort, AcknowledgementsDecideTheOutcome) {
    const std::string job(kLprReceiveJob);
    const std::string openCode = DataFile(kOpenCodeTable[0]);
    const std::string pipeMonitor = DataFile("PIPE MONITOR");
    const std::string pipeSubcommand = LprDataFileSubcommand(12);
    const struct {
        const char* label;
        std::vector<Ack> script;
        BOOL result;
        std::string wire;
    } cases[] = {
        {"job refused", {Ack::kRefuse}, FALSE, job},
        {"closed after the job command", {Ack::kClose}, FALSE, job},
        {"no answer to the job command", {Ack::kStall}, FALSE, job},
        {"subcommand refused",
         {Ack::kAccept, Ack::kAccept, Ack::kAccept, Ack::kRefuse},
         FALSE,
         job + openCode + pipeSubcommand},
        {"closed after a subcommand",
         {Ack::kAccept, Ack::kAccept, Ack::kAccept, Ack::kClose},
         FALSE,
         job + openCode + pipeSubcommand},
        {"finished file refused",
         {Ack::kAccept, Ack::kAccept, Ack::kAccept, Ack::kAccept, Ack::kRefuse},
         FALSE,
         job + openCode + pipeMonitor},
        {"no answer to a finished file",
         {Ack::kAccept, Ack::kAccept, Ack::kStall},
         FALSE,
         job + openCode},
        {"closed after the boot packet's end byte",
         {Ack::kAccept, Ack::kAccept, Ack::kAccept, Ack::kAccept, Ack::kAccept, Ack::kAccept,
          Ack::kClose},
         TRUE,
         BeginUpdateWire(0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        FakeLprPrinter printer(c.script);
        CLprNetworkPort port = printer.MakePort(0);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(port.BeginUpdate(), c.result);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(printer.Wire(), c.wire);
    }
}

TEST(LprNetworkPort, ClosingAfterAFileThatIsNotTheLastFailsTheNextFile) {
    FakeLprPrinter printer({Ack::kAccept, Ack::kAccept, Ack::kClose});
    CLprNetworkPort port = printer.MakePort(0);
    EXPECT_FALSE(port.BeginUpdate());
}

TEST(LprNetworkPort, SendDataSplitsThePayloadIntoDataFilesOfOneJob) {
    const struct {
        std::uint32_t length;
        std::uint32_t chunk;
        std::vector<std::size_t> files;
    } cases[] = {
        {204800, 0, {102400, 102400}},  // exact multiple: no empty file follows
        {250000, 0, {102400, 102400, 45200}}, {10, 100, {10}},
        {2500, 1000, {1000, 1000, 500}},      {0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " by " << c.chunk);
        std::string payload(c.length, '\0');
        for (std::size_t i = 0; i < payload.size(); ++i) {
            payload[i] = static_cast<char>(i * 7 + 1);
        }
        FakeLprPrinter printer;
        CLprNetworkPort port = printer.MakePort(0);
        EXPECT_TRUE(port.SendData(payload.data(), c.length, c.chunk));
        EXPECT_EQ(printer.FileSizes(), c.files);
        std::string expected(kLprReceiveJob);
        std::size_t at = 0;
        for (std::size_t size : c.files) {
            expected += DataFile(std::string_view(payload).substr(at, size));
            at += size;
        }
        EXPECT_EQ(printer.Wire(), expected);
    }
}

TEST(LprNetworkPort, SendDataStopsAtTheFirstRefusedFile) {
    // Job, first subcommand, first file, second subcommand refused.
    FakeLprPrinter printer({Ack::kAccept, Ack::kAccept, Ack::kAccept, Ack::kRefuse});
    CLprNetworkPort port = printer.MakePort(0);
    const std::string payload(3000, 'f');
    EXPECT_FALSE(port.SendData(payload.data(), 3000, 1000));
    EXPECT_EQ(printer.Wire(), std::string(kLprReceiveJob) + DataFile(payload.substr(0, 1000)) +
                                  LprDataFileSubcommand(1000));
}

TEST(LprNetworkPort, NothingListeningFailsBothOperations) {
    NetworkSettings settings{loopback::QuickTimeouts(), {}};
    settings.ports.lpr = loopback::ClosedPort();
    CLprNetworkPort port(loopback::Address(), 0, settings);
    EXPECT_FALSE(port.BeginUpdate());
    EXPECT_FALSE(port.SendData("x", 1, 0));
    EXPECT_FALSE(port.SendData("", 0, 0));
}

TEST(ServicePort, FallsBackWhenTheDatabaseHasNoEntry) {
    EXPECT_EQ(platform::ServicePort("tarnel-no-such-service", "tcp", 515), 515);
}

}  // namespace

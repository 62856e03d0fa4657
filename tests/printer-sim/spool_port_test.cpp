// Spooler jobs handed to the simulator by the spool forwarder, as a Wine printer's
// pipe port runs it.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "printer_bytes.h"
#include "sim_process.h"

namespace sim_test {
namespace {

// Runs the forwarder with `job` on its standard input; its exit code.
int Forward(const SimProcess& sim, const std::string& job, unsigned short port = 9200) {
    const auto file = sim.LogDir().parent_path() / ("spool-job-" + sim.Address() + ".bin");
    std::ofstream(file, std::ios::binary)
        .write(job.data(), static_cast<std::streamsize>(job.size()));
    const std::string command = std::string(SPOOL_FORWARD_PATH) + " " + sim.Address() + " " +
                                std::to_string(port) + " < " + file.string() + " 2>/dev/null";
    const int status = std::system(command.c_str());
    std::filesystem::remove(file);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PrinterSimSpoolPort, JobInTheLoaderModeArrivesByteExactAndIsInstalled) {
    SimProcess sim("127.77.5.1", {"--mode", "ipl", "--install-time", "0"});
    const std::string payload = FirmwarePayload("2.80", 300000);
    EXPECT_EQ(Forward(sim, payload), 0);
    EXPECT_TRUE(sim.WaitForEvent("spooler job of " + std::to_string(payload.size()) + " bytes"))
        << sim.EventLog();
    EXPECT_EQ(sim.LoggedFiles("-tcp9200.bin"), std::vector<std::string>{payload});
    EXPECT_EQ(sim.WaitFor("version", "ok 2.80"), "ok 2.80");
}

TEST(PrinterSimSpoolPort, JobOutsideTheLoaderModeIsRefused) {
    SimProcess sim("127.77.5.2", {"--install-time", "0"});
    EXPECT_EQ(Forward(sim, FirmwarePayload("2.80", 1000)), 0);
    EXPECT_TRUE(sim.WaitForEvent("refused: not in the loader mode")) << sim.EventLog();
    EXPECT_EQ(sim.Control("get version"), "ok 2.70");
}

TEST(PrinterSimSpoolPort, ForwarderFailsWhenNothingListens) {
    SimProcess sim("127.77.5.3", {"--spool-port", "9201"});
    EXPECT_EQ(Forward(sim, "job", 9200), 1);
    EXPECT_EQ(Forward(sim, "job", 9201), 0);
}

}  // namespace
}  // namespace sim_test

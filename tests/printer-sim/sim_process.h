// Runs one printer-sim process on its own address and log folder, and talks to
// it through its control port.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace sim_test {

inline constexpr unsigned short kControlPort = 10000;

class SimProcess {
  public:
    // Starts the simulator and waits until its control port answers.
    SimProcess(std::string address, std::vector<std::string> options = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& Address() const { return m_address; }
    const std::filesystem::path& LogDir() const { return m_logDir; }

    // One control command; its reply line without the line feed ("" when none came).
    std::string Control(const std::string& line);
    // Polls "get <item>" until the reply equals `expected` or the time is up; the last reply.
    std::string WaitFor(const std::string& item, const std::string& expected,
                        std::chrono::milliseconds limit = std::chrono::milliseconds(5000));
    std::string EventLog() const;
    // Polls the event log until it holds `text` or the time is up; true when it does.
    bool WaitForEvent(const std::string& text,
                      std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) const;
    // The contents of the log files whose names end in `suffix`, in order.
    std::vector<std::string> LoggedFiles(const std::string& suffix) const;

  private:
    std::string m_address;
    std::filesystem::path m_logDir;
    pid_t m_pid = -1;
};

}  // namespace sim_test

// net-snmp's snmpd as a real SNMP agent for the ports: its own loopback address,
// its own configuration (no system files read, no persistent state kept outside
// its folder) and `override` lines that serve fixed values. The destructor stops
// it; should the test process die first, the kernel stops it.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace integration {

struct ServedString {
    std::string oid;  // dotted, with the leading "."
    std::string value;
};

class SnmpdAgent {
  public:
    SnmpdAgent(std::string address, const std::vector<ServedString>& served);
    ~SnmpdAgent();
    SnmpdAgent(const SnmpdAgent&) = delete;
    SnmpdAgent& operator=(const SnmpdAgent&) = delete;

    // True once the agent has opened its address.
    bool Ready() const { return m_ready; }
    std::string Log() const;

  private:
    std::filesystem::path m_dir;
    pid_t m_pid = -1;
    bool m_ready = false;
};

}  // namespace integration

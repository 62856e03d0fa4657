#include "snmpd_agent.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace integration {
namespace {

using Clock = std::chrono::steady_clock;

// snmpd writes this line once its transports are open.
constexpr const char* kStartedLine = "NET-SNMP version";

bool Exited(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace

SnmpdAgent::SnmpdAgent(std::string address, const std::vector<ServedString>& served)
    : m_dir(std::filesystem::temp_directory_path() / ("tarnel-snmpd-" + address)) {
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir / "persistent");
    const std::string config = (m_dir / "snmpd.conf").string();
    {
        std::ofstream out(config);
        out << "agentaddress udp:" << address << ":161\n"
            << "rocommunity public 127.0.0.0/8\n";
        for (const auto& s : served) {
            out << "override " << s.oid << " octet_str \"" << s.value << "\"\n";
        }
    }
    const std::string log = (m_dir / "snmpd.log").string();
    const std::string pidFile = (m_dir / "snmpd.pid").string();
    const std::string persistent = (m_dir / "persistent").string();
    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0) {
        // The agent must not outlive a test process that crashed or was killed.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(126);
        }
        ::setenv("SNMP_PERSISTENT_DIR", persistent.c_str(), 1);
        ::setenv("MIBS", "", 1);
        ::execl(SNMPD_PATH, SNMPD_PATH, "-f", "-C", "-c", config.c_str(), "-Lf", log.c_str(), "-p",
                pidFile.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (m_pid > 0 && !m_ready && Clock::now() < deadline) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) != 0) {
            m_pid = -1;  // it ended: a bad configuration or an address in use
            break;
        }
        m_ready = Log().find(kStartedLine) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

SnmpdAgent::~SnmpdAgent() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        if (!Exited(m_pid, std::chrono::seconds(5))) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

std::string SnmpdAgent::Log() const {
    std::ifstream in(m_dir / "snmpd.log");
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace integration

#include "sim_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>

#include "net_client.h"

namespace sim_test {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace

SimProcess::SimProcess(std::string address, std::vector<std::string> options)
    : m_address(std::move(address)),
      m_logDir(std::filesystem::temp_directory_path() / ("printer-sim-test-" + m_address)) {
    std::filesystem::remove_all(m_logDir);
    std::vector<std::string> args = {PRINTER_SIM_PATH, "--address", m_address, "--log-dir",
                                     m_logDir.string()};
    args.insert(args.end(), options.begin(), options.end());
    m_pid = ::fork();
    if (m_pid == 0) {
        std::vector<char*> argv;
        for (auto& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline && Control("get mode").empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

SimProcess::~SimProcess() {
    if (m_pid <= 0) {
        return;
    }
    Control("quit");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int status = 0;
    while (::waitpid(m_pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string SimProcess::Control(const std::string& line) {
    TcpClient control(m_address, kControlPort);
    if (!control.Connected() || !control.Send(line + "\n")) {
        return {};
    }
    std::string reply;
    while (reply.find('\n') == std::string::npos) {
        const auto bytes = control.Receive();
        if (!bytes || bytes->empty()) {
            return reply;
        }
        reply += *bytes;
    }
    return reply.substr(0, reply.find('\n'));
}

std::string SimProcess::WaitFor(const std::string& item, const std::string& expected,
                                std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string reply;
    do {
        reply = Control("get " + item);
        if (reply == expected) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return reply;
}

std::string SimProcess::EventLog() const {
    return ReadFile(m_logDir / "events.log");
}

bool SimProcess::WaitForEvent(const std::string& text, std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (EventLog().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::vector<std::string> SimProcess::LoggedFiles(const std::string& suffix) const {
    std::vector<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_logDir)) {
        if (entry.path().filename().string().ends_with(suffix)) {
            names.push_back(entry.path());
        }
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> contents;
    for (const auto& name : names) {
        contents.push_back(ReadFile(name));
    }
    return contents;
}

}  // namespace sim_test

// The printer on one IPv4 address: the SNMP agent, the LPD, the raw ports, the
// stand-in libraries' channel, the spooler's port and the control port, served by
// one poll loop.
#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "event_log.h"
#include "library_session.h"
#include "lpd_session.h"
#include "sim_state.h"
#include "unique_fd.h"

namespace printer_sim {

inline constexpr std::uint16_t kSnmpPort = 161;
inline constexpr std::uint16_t kLpdPort = 515;
inline constexpr std::uint16_t kRawPort = 9100;
inline constexpr std::uint16_t kBootPort = 9101;
inline constexpr std::uint16_t kAlternateBootPort = 9500;

// The simulator's own TCP ports, chosen on its command line.
struct SimulatorPorts {
    std::uint16_t control = 10000;
    std::uint16_t library = 9600;  // the stand-in maker libraries' channel
    std::uint16_t spool = 9200;    // spooler jobs, as the spool forwarder delivers them
};

class Simulator {
  public:
    Simulator(in_addr address, SimulatorPorts ports, SimState& state, EventLog& log);

    // Binds every socket; false with the reason in `error`.
    bool Open(std::string& error);
    // Serves until "quit" arrives or `stopRequested` becomes nonzero.
    void Run(const volatile int& stopRequested);

  private:
    struct Connection {
        UniqueFd fd;
        std::uint16_t port = 0;
        std::string received;
        LpdSession lpd;
        LibrarySession library;
        bool aborted = false;  // closed by a fault or an error: nothing is acted on
    };

    bool Listen(std::uint16_t port, std::string& error);
    void UpdateListeners();
    void ServeSnmp();
    void Accept(std::uint16_t port);
    // False when the connection has ended and is to be removed.
    bool ServeConnection(Connection& connection);
    bool ServeControl(Connection& connection);
    bool ServeLibrary(Connection& connection);
    // The complete lines received so far; nothing when the peer has closed.
    std::optional<std::vector<std::string>> ReceiveLines(Connection& connection);
    void Finish(Connection& connection);
    void ActOnRaw(const Connection& connection);
    void ActOnLpdJob(const Connection& connection);
    void ReceiveFirmware(std::string_view payload);

    in_addr m_address;
    std::string m_addressText;
    SimulatorPorts m_ports;
    SimState& m_state;
    EventLog& m_log;
    UniqueFd m_snmp;
    std::map<std::uint16_t, UniqueFd> m_listeners;
    std::vector<std::unique_ptr<Connection>> m_connections;
};

}  // namespace printer_sim

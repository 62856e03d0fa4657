// One connection of a stand-in maker library: the requests of the stand-in
// channel (one line each, see --help), answered from the printer's state.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "event_log.h"
#include "sim_state.h"

namespace printer_sim {

class LibrarySession {
  public:
    // The reply line without its line feed; nothing when the fault library-silent
    // keeps the printer from answering. `printerAddress` is the dotted address that
    // CONNECT must name.
    std::optional<std::string> Handle(std::string_view line, const std::string& printerAddress,
                                      SimState& state, EventLog& log);

  private:
    std::string Answer(std::string_view line, const std::string& printerAddress, SimState& state,
                       EventLog& log);
    std::string EnterLoaderMode(const std::string& request, SimState& state, EventLog& log);

    bool m_open = false;  // OPEN or CONNECT succeeded on this connection
};

// The request summary that --help shows.
std::string LibraryChannelHelp();

}  // namespace printer_sim

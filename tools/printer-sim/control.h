// The line-based control commands: one command line in, one reply line out,
// starting with "ok" or "error".
#pragma once

#include <string>
#include <string_view>

#include "sim_state.h"

namespace printer_sim {

// The command summary that "help" and --help show.
std::string ControlHelp();

std::string ExecuteControl(std::string_view line, SimState& state);

}  // namespace printer_sim

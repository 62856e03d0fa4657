// Everything the control interface reads and changes.
#pragma once

#include <cstddef>

#include "faults.h"
#include "printer.h"

namespace printer_sim {

struct SimState {
    explicit SimState(PrinterSettings settings) : printer(std::move(settings)) {}

    Printer printer;
    Faults faults;
    // A reset-<port> fault resets the connection once this many bytes arrived.
    std::size_t resetAfterBytes = 4096;
    unsigned boots = 0;     // boot commands accepted
    unsigned installs = 0;  // installations finished
    bool quit = false;
};

}  // namespace printer_sim

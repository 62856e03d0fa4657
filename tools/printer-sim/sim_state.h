// Everything the control interface reads and changes.
#pragma once

#include <cstddef>
#include <cstdint>

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
    // The word that the maker libraries' status request answers: non-negative is
    // normal, -1 no status, other negative words carry a status class in bits 24-27.
    std::int32_t libraryStatusWord = 0;
    unsigned libraryClients = 0;  // open connections of the stand-in libraries
    unsigned clears = 0;          // condition clearings requested by a library
    bool quit = false;
};

}  // namespace printer_sim

// The log folder: a readable event log and one byte-exact file per received
// connection, job file or datagram, numbered in the order of arrival.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace printer_sim {

class EventLog {
  public:
    // Creates the folder; Ok() is false when the folder or events.log cannot be made.
    explicit EventLog(std::filesystem::path folder);

    bool Ok() const { return m_events.good(); }

    // One line of events.log, after the milliseconds since start; flushed at once so
    // that a test may read it while the simulator runs.
    void Event(std::string_view line);
    // Writes NNNN-<label>.bin and returns its file name.
    std::string Save(std::string_view label, std::string_view bytes);

  private:
    std::filesystem::path m_folder;
    std::ofstream m_events;
    unsigned m_nextNumber = 1;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

}  // namespace printer_sim

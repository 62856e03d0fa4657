// The printer's side of one LPD connection: the receive-job command, its
// subcommands and data files, each acknowledged with 0x00 unless a fault says
// otherwise.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "faults.h"

namespace printer_sim {

struct LpdFile {
    bool control = false;  // a control file; otherwise a data file
    std::string name;
    std::string data;
};

class LpdSession {
  public:
    struct Output {
        std::string reply;                // bytes to send back, in order
        bool close = false;               // end the connection after the reply
        std::vector<std::string> events;  // readable lines for the event log
    };

    // Consumes the next bytes that arrived on the connection.
    Output Feed(std::string_view bytes, const Faults& faults);

    // The files of the job received completely, in order.
    const std::vector<LpdFile>& Files() const { return m_files; }

  private:
    enum class Stage { JobCommand, Subcommand, FileData, FileEnd };

    void OnJobCommand(const std::string& line, const Faults& faults, Output& out);
    void OnSubcommand(const std::string& line, const Faults& faults, Output& out);
    void OnFileEnd(char byte, const Faults& faults, Output& out);

    Stage m_stage = Stage::JobCommand;
    std::string m_line;
    LpdFile m_file;
    std::size_t m_remaining = 0;
    std::vector<LpdFile> m_files;
};

}  // namespace printer_sim

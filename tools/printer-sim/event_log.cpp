#include "event_log.h"

#include <cstdio>
#include <system_error>

namespace printer_sim {

EventLog::EventLog(std::filesystem::path folder) : m_folder(std::move(folder)) {
    std::error_code error;
    std::filesystem::create_directories(m_folder, error);
    m_events.open(m_folder / "events.log", std::ios::app);
}

void EventLog::Event(std::string_view line) {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - m_start);
    char stamp[24];
    std::snprintf(stamp, sizeof stamp, "%10lld ", static_cast<long long>(elapsed.count()));
    m_events << stamp << line << '\n';
    m_events.flush();
}

std::string EventLog::Save(std::string_view label, std::string_view bytes) {
    char number[16];
    std::snprintf(number, sizeof number, "%04u-", m_nextNumber++);
    const std::string name = number + std::string(label) + ".bin";
    std::ofstream file(m_folder / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        Event("could not write " + name);
    }
    return name;
}

}  // namespace printer_sim

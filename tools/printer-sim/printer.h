// The simulated printer's own state: identity, loader mode, sub power switch and
// the installation of received firmware.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace printer_sim {

using Clock = std::chrono::steady_clock;

struct PrinterSettings {
    std::string model = "QZ-70";
    std::string version = "2.70";
    int statusFormat = -1;     // -1: eight hex digits; 0: type-length-value records
    bool subPowerOff = false;  // status word bit 31: the printer waits for firmware
    bool loaderMode = false;
    std::chrono::milliseconds installTime{3000};
};

class Printer {
  public:
    explicit Printer(PrinterSettings settings) : m_settings(std::move(settings)) {}

    PrinterSettings& Settings() { return m_settings; }
    const PrinterSettings& Settings() const { return m_settings; }

    // "MDL:...;VER:...;MODE:...;STATUS:...;" as the SNMP agent answers it.
    std::string Identity(bool wrongModel) const {
        return Identity(wrongModel, m_settings.statusFormat);
    }
    // The same with STATUS in the given status format, as a port type reads it.
    std::string Identity(bool wrongModel, int statusFormat) const;
    std::string Mode() const { return m_settings.loaderMode ? "IPL" : "NORMAL"; }
    std::string StatusWord() const { return StatusWord(m_settings.statusFormat); }
    std::string StatusWord(int statusFormat) const;

    void Boot() { m_settings.loaderMode = true; }

    // Takes a firmware payload; the text says why it was refused, empty when the
    // installation has started.
    std::string ReceiveFirmware(std::string_view payload, Clock::time_point now);
    bool Installing() const { return m_installDone.has_value(); }
    // Finishes an installation whose time is up; true when one finished now.
    bool Advance(Clock::time_point now, bool keepOldVersion);

  private:
    PrinterSettings m_settings;
    std::optional<Clock::time_point> m_installDone;
    std::string m_pendingVersion;
};

}  // namespace printer_sim

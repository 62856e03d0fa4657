#include "printer.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

#include "firmware_header.h"

namespace printer_sim {
namespace {

constexpr std::uint32_t kWaitingForFirmwareBit = 0x80000000u;

std::string Hex8(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

// A near miss the updater must refuse: the name in lower case, or with a suffix
// when it has no letters to change.
std::string WrongModel(const std::string& model) {
    std::string lower = model;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == model ? model + "-X" : lower;
}

}  // namespace

std::string Printer::StatusWord(int statusFormat) const {
    const std::string word = Hex8(m_settings.subPowerOff ? kWaitingForFirmwareBit : 0);
    if (statusFormat == 0) {
        // A record of another type first, so a reader must walk the records.
        return "02040000"
               "0108" +
               word;
    }
    return word;
}

std::string Printer::Identity(bool wrongModel, int statusFormat) const {
    const std::string model = wrongModel ? WrongModel(m_settings.model) : m_settings.model;
    return "MDL:" + model + ";VER:" + m_settings.version + ";MODE:" + Mode() +
           ";STATUS:" + StatusWord(statusFormat) + ";";
}

std::string Printer::ReceiveFirmware(std::string_view payload, Clock::time_point now) {
    if (!m_settings.loaderMode) {
        return "not in the loader mode";
    }
    if (Installing()) {
        return "an installation is running";
    }
    if (!HasFirmwareMagic(payload)) {
        return "no PUF1 magic";
    }
    const auto version = FirmwareVersion(payload);
    if (!version) {
        return "no version in the header";
    }
    m_pendingVersion = *version;
    m_installDone = now + m_settings.installTime;
    return {};
}

bool Printer::Advance(Clock::time_point now, bool keepOldVersion) {
    if (!m_installDone || now < *m_installDone) {
        return false;
    }
    m_installDone.reset();
    if (!keepOldVersion) {
        m_settings.version = m_pendingVersion;
    }
    m_settings.loaderMode = false;
    return true;
}

}  // namespace printer_sim

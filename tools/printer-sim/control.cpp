#include "control.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <sstream>
#include <vector>

namespace printer_sim {
namespace {

std::vector<std::string> Words(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

bool ParseOnOff(const std::string& word, bool& on) {
    if (word != "on" && word != "off") {
        return false;
    }
    on = word == "on";
    return true;
}

bool ParseNumber(const std::string& word, long long& value) {
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

// A signed decimal word, or 0x and up to eight hexadecimal digits for its bits.
bool ParseStatusWord(const std::string& word, std::int32_t& value) {
    long long number = 0;
    if (word.starts_with("0x") || word.starts_with("0X")) {
        const char* first = word.data() + 2;
        const char* last = word.data() + word.size();
        unsigned long long bits = 0;
        const auto [end, error] = std::from_chars(first, last, bits, 16);
        if (first == last || error != std::errc() || end != last || bits > 0xFFFFFFFFull) {
            return false;
        }
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        return true;
    }
    if (!ParseNumber(word, number) || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    value = static_cast<std::int32_t>(number);
    return true;
}

std::string State(const SimState& state) {
    const Printer& printer = state.printer;
    const PrinterSettings& s = printer.Settings();
    const std::string faults = state.faults.List();
    return "ok model=" + s.model + " version=" + s.version + " mode=" + printer.Mode() +
           " sub-power=" + (s.subPowerOff ? "off" : "on") + " status=" + printer.StatusWord() +
           " status-format=" + std::to_string(s.statusFormat) +
           " installing=" + (printer.Installing() ? "yes" : "no") +
           " boots=" + std::to_string(state.boots) + " installs=" + std::to_string(state.installs) +
           " faults=" + (faults.empty() ? "none" : faults) +
           " status-word=" + std::to_string(state.libraryStatusWord) +
           " library-clients=" + std::to_string(state.libraryClients) +
           " clears=" + std::to_string(state.clears);
}

std::string Get(const std::string& what, const SimState& state) {
    const Printer& printer = state.printer;
    if (what == "state") {
        return State(state);
    }
    if (what == "identity") {
        return "ok " + printer.Identity(state.faults.On("wrong-model"));
    }
    if (what == "version") {
        return "ok " + printer.Settings().version;
    }
    if (what == "model") {
        return "ok " + printer.Settings().model;
    }
    if (what == "mode") {
        return "ok " + printer.Mode();
    }
    if (what == "faults") {
        const std::string faults = state.faults.List();
        return "ok " + (faults.empty() ? std::string("none") : faults);
    }
    return "error unknown item '" + what + "'";
}

std::string Set(const std::string& what, const std::string& value, SimState& state) {
    PrinterSettings& s = state.printer.Settings();
    long long number = 0;
    bool on = false;
    if (what == "sub-power" && ParseOnOff(value, on)) {
        s.subPowerOff = !on;
    } else if (what == "mode" && (value == "normal" || value == "ipl")) {
        s.loaderMode = value == "ipl";
    } else if (what == "version") {
        s.version = value;
    } else if (what == "model") {
        s.model = value;
    } else if (what == "status-format" && (value == "-1" || value == "0")) {
        s.statusFormat = value == "0" ? 0 : -1;
    } else if (what == "install-time" && ParseNumber(value, number) && number >= 0) {
        s.installTime = std::chrono::milliseconds(number);
    } else if (what == "reset-after" && ParseNumber(value, number) && number >= 0) {
        state.resetAfterBytes = static_cast<std::size_t>(number);
    } else if (what == "status-word" && ParseStatusWord(value, state.libraryStatusWord)) {
    } else {
        return "error cannot set '" + what + "' to '" + value + "'";
    }
    return "ok";
}

}  // namespace

std::string ControlHelp() {
    std::string faults;
    for (const auto& name : Faults::Names()) {
        faults += (faults.empty() ? "" : ", ") + name;
    }
    return "Control commands (one per line; each reply is one line, \"ok ...\" or \"error ...\"):\n"
           "  get state|identity|version|model|mode|faults\n"
           "  set sub-power on|off          on: ready bit 31 clear; off: bit 31 set\n"
           "  set mode normal|ipl\n"
           "  set version TEXT | set model TEXT\n"
           "  set status-format -1|0\n"
           "  set install-time MILLISECONDS\n"
           "  set reset-after BYTES         when a reset-<port> fault strikes\n"
           "  set status-word N             the libraries' status word, decimal or 0x...:\n"
           "                                0 normal, -1 none, 0x86000000 class 6, ...\n"
           "  fault NAME on|off\n"
           "  quit\n"
           "Faults: " +
           faults + "\n";
}

std::string ExecuteControl(std::string_view line, SimState& state) {
    const std::vector<std::string> words = Words(line);
    if (words.size() == 1 && words[0] == "quit") {
        state.quit = true;
        return "ok bye";
    }
    if (words.size() == 2 && words[0] == "get") {
        return Get(words[1], state);
    }
    if (words.size() == 3 && words[0] == "set") {
        return Set(words[1], words[2], state);
    }
    bool on = false;
    if (words.size() == 3 && words[0] == "fault" && ParseOnOff(words[2], on)) {
        return state.faults.Set(words[1], on) ? "ok" : "error unknown fault '" + words[1] + "'";
    }
    return "error unknown command (try: get state, set sub-power off, fault stall-9100 on)";
}

}  // namespace printer_sim

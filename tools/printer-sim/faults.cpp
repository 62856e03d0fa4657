#include "faults.h"

#include <algorithm>

namespace printer_sim {

const std::vector<std::string>& Faults::Names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const char* kind : {"refuse-", "stall-", "reset-"}) {
            for (const char* port : {"515", "9100", "9101", "9500"}) {
                all.push_back(std::string(kind) + port);
            }
        }
        for (const char* name :
             {"lpd-close-after-job", "lpd-close-after-subcommand", "lpd-nak-job",
              "lpd-nak-subcommand", "lpd-nak-data", "snmp-silent", "snmp-error", "snmp-garbage",
              "wrong-model", "version-stuck", "library-refuse-open", "library-refuse-mode",
              "library-silent", "library-no-identity"}) {
            all.emplace_back(name);
        }
        return all;
    }();
    return names;
}

bool Faults::Set(std::string_view name, bool on) {
    const auto& names = Names();
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        return false;
    }
    if (on) {
        m_on.emplace(name);
    } else {
        m_on.erase(std::string(name));
    }
    return true;
}

std::string Faults::List() const {
    std::string out;
    for (const auto& name : m_on) {
        out += (out.empty() ? "" : ",") + name;
    }
    return out;
}

}  // namespace printer_sim

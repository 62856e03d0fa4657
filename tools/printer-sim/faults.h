// The fault switches: each named misbehaviour is on or off.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace printer_sim {

class Faults {
  public:
    // Every name that Set accepts, in the order --help lists them.
    static const std::vector<std::string>& Names();

    // False for an unknown name.
    bool Set(std::string_view name, bool on);
    bool On(std::string_view name) const { return m_on.contains(std::string(name)); }
    // The names that are on, separated by commas.
    std::string List() const;

  private:
    std::set<std::string> m_on;
};

}  // namespace printer_sim

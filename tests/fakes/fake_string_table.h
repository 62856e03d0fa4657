// A string table holding the catalogue in one language plus this build's
// configuration strings; tests remove or replace entries to model other builds.
#pragma once

#include <map>

#include "platform/string_table.h"

namespace fakes {

enum class Language { English, Japanese };

class FakeStringTable final : public platform::StringTable {
  public:
    explicit FakeStringTable(Language language = Language::English);

    std::optional<CString> Load(unsigned id) const override;
    void Set(unsigned id, const CString& text) { m_strings[id] = text; }
    void Remove(unsigned id) { m_strings.erase(id); }

  private:
    std::map<unsigned, CString> m_strings;
};

}  // namespace fakes

// A registry held in memory that records every read, so tests can check which keys
// were asked in which order and with which buffer size.
#pragma once

#include <map>
#include <tuple>
#include <vector>

#include "platform/registry.h"

namespace fakes {

class FakeRegistry final : public platform::Registry {
  public:
    struct Read {
        platform::RegistryRoot root;
        CString key;
        CString name;
        std::size_t capacity;
    };

    std::optional<CString> ReadString(platform::RegistryRoot root, const wchar_t* key,
                                      const wchar_t* name, std::size_t capacity) const override {
        m_reads.push_back({root, key, name, capacity});
        const auto found = m_values.find({root, key, name});
        if (found == m_values.end() || found->second.size() > capacity) {
            return std::nullopt;
        }
        return found->second;
    }

    // Stores a string value as the usual writer does, with its terminating NUL.
    void SetString(platform::RegistryRoot root, const CString& key, const CString& name,
                   const CString& text) {
        SetData(root, key, name, text + L'\0');
    }
    // Stores the value's data exactly as given (a writer may leave out the NUL).
    void SetData(platform::RegistryRoot root, const CString& key, const CString& name,
                 const CString& data) {
        m_values[{root, key, name}] = data;
    }

    const std::vector<Read>& Reads() const { return m_reads; }

  private:
    std::map<std::tuple<platform::RegistryRoot, CString, CString>, CString> m_values;
    mutable std::vector<Read> m_reads;
};

}  // namespace fakes

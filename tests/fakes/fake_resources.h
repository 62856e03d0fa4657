// Embedded resources held in memory; tests add the bytes a build would carry.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/resources.h"

namespace fakes {

class FakeResources final : public platform::Resources {
  public:
    std::optional<std::span<const unsigned char>> Find(unsigned id,
                                                       const wchar_t* type) const override {
        const auto found = m_resources.find({id, type});
        if (found == m_resources.end()) {
            return std::nullopt;
        }
        return std::span<const unsigned char>(found->second);
    }

    void Add(unsigned id, const std::wstring& type, std::vector<unsigned char> bytes) {
        m_resources[{id, type}] = std::move(bytes);
    }

  private:
    std::map<std::pair<unsigned, std::wstring>, std::vector<unsigned char>> m_resources;
};

}  // namespace fakes

// A port that answers GetDeviceId from a script and records every call, also its
// own destruction, in a log that outlives it.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ports/port.h"

namespace fakes {

// Entries read "<port name>.<call>", for instance "A.GetDeviceId" or "A.delete".
using PortLog = std::vector<std::string>;

class ScriptedPort final : public CPort {
  public:
    // A reply of nullopt, or the end of the script, makes GetDeviceId fail.
    ScriptedPort(std::string name, std::shared_ptr<PortLog> log,
                 std::deque<std::optional<CString>> replies)
        : m_name(std::move(name)), m_log(std::move(log)), m_replies(std::move(replies)) {}
    ~ScriptedPort() override { Record("delete"); }

    BOOL GetDeviceId(CString& out) override {
        Record("GetDeviceId");
        if (m_replies.empty()) {
            return FALSE;
        }
        const std::optional<CString> reply = m_replies.front();
        m_replies.pop_front();
        if (!reply) {
            return FALSE;
        }
        out = *reply;
        return TRUE;
    }
    BOOL BeginUpdate() override {
        Record("BeginUpdate");
        return TRUE;
    }
    BOOL SendData(const void*, std::uint32_t, std::uint32_t) override {
        Record("SendData");
        return TRUE;
    }
    void Close() override { Record("Close"); }
    const char* GetOpenCode() override {
        Record("GetOpenCode");
        return nullptr;
    }

  private:
    void Record(const char* call) { m_log->push_back(m_name + "." + call); }

    std::string m_name;
    std::shared_ptr<PortLog> m_log;
    std::deque<std::optional<CString>> m_replies;
};

}  // namespace fakes

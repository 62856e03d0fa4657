// A port that answers GetDeviceId from a script and records every call, also its
// own destruction, in a log that outlives it. BeginUpdate and SendData answer as
// set; the data handed to SendData is kept as sent.
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
        return beginUpdateResult;
    }
    BOOL SendData(const void* data, std::uint32_t length, std::uint32_t chunkSize) override {
        Record("SendData");
        sent.push_back({data, length, chunkSize});
        return sendDataResult;
    }
    void Close() override { Record("Close"); }
    const char* GetOpenCode() override {
        Record("GetOpenCode");
        return nullptr;
    }

    BOOL beginUpdateResult = TRUE;
    BOOL sendDataResult = TRUE;
    struct Sent {
        const void* data;
        std::uint32_t length;
        std::uint32_t chunkSize;
    };
    std::vector<Sent> sent;  // the arguments of every SendData

  private:
    void Record(const char* call) { m_log->push_back(m_name + "." + call); }

    std::string m_name;
    std::shared_ptr<PortLog> m_log;
    std::deque<std::optional<CString>> m_replies;
};

}  // namespace fakes

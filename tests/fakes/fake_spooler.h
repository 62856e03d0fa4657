// A print spooler in memory: queues by name, each write taking what the test's
// script allows, and a log of the calls in their order.
#pragma once

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/spooler.h"

namespace fakes {

class FakeSpooler final : public platform::Spooler {
  public:
    std::unique_ptr<platform::SpoolerPrinter> Open(const CString& queueName) override {
        calls.push_back(L"open " + queueName);
        if (queues.count(queueName) == 0) {
            return nullptr;
        }
        return std::make_unique<Printer>(*this);
    }

    std::set<CString> queues{L"Arvane QZ-70"};
    // Per write, the most bytes it takes; when the list runs out, every write takes all.
    std::deque<std::uint32_t> takes;
    // Writes fail from this one on (counting from 0); -1: never.
    int failFromWrite = -1;

    std::vector<CString> calls;
    std::vector<std::uint32_t> writeSizes;
    std::string received;

  private:
    class Printer final : public platform::SpoolerPrinter {
      public:
        explicit Printer(FakeSpooler& spooler) : m_spooler(spooler) {}
        ~Printer() override { m_spooler.calls.push_back(L"close"); }
        Printer(const Printer&) = delete;
        Printer& operator=(const Printer&) = delete;

        bool StartDocument(const CString& name, const CString& type) override {
            m_spooler.calls.push_back(L"start document " + name + L" " + type);
            return true;
        }
        bool StartPage() override {
            m_spooler.calls.push_back(L"start page");
            return true;
        }
        bool Write(const void* data, std::uint32_t size, std::uint32_t& written) override {
            m_spooler.calls.push_back(L"write");
            const int index = static_cast<int>(m_spooler.writeSizes.size());
            m_spooler.writeSizes.push_back(size);
            written = 0;
            if (m_spooler.failFromWrite >= 0 && index >= m_spooler.failFromWrite) {
                return false;
            }
            written = size;
            if (!m_spooler.takes.empty()) {
                written = std::min(size, m_spooler.takes.front());
                m_spooler.takes.pop_front();
            }
            m_spooler.received.append(static_cast<const char*>(data), written);
            return true;
        }
        bool EndPage() override {
            m_spooler.calls.push_back(L"end page");
            return true;
        }
        bool EndDocument() override {
            m_spooler.calls.push_back(L"end document");
            return true;
        }

      private:
        FakeSpooler& m_spooler;
    };
};

}  // namespace fakes

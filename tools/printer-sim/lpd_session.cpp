#include "lpd_session.h"

#include <charconv>
#include <cstdio>

namespace printer_sim {
namespace {

constexpr char kAck = 0x00;
constexpr char kNak = 0x01;
constexpr char kReceiveJob = 0x02;
constexpr char kAbortJob = 0x01;
constexpr char kControlFile = 0x02;
constexpr char kDataFile = 0x03;
// A command line longer than this is not LPD; the connection is dropped.
constexpr std::size_t kMaxLineBytes = 1024;
// Caps a data file's announced size so that a wrong count cannot exhaust memory.
constexpr std::size_t kMaxFileBytes = 64u << 20;

std::string Printable(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '\\') {
            out += c;
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", u);
            out += escape;
        }
    }
    return out;
}

void Refuse(LpdSession::Output& out, const std::string& why) {
    out.events.push_back(why + ": negative acknowledgement, closing");
    out.reply += kNak;
    out.close = true;
}

}  // namespace

LpdSession::Output LpdSession::Feed(std::string_view bytes, const Faults& faults) {
    Output out;
    while (!bytes.empty() && !out.close) {
        if (m_stage == Stage::FileData) {
            const std::size_t n = std::min(bytes.size(), m_remaining);
            m_file.data.append(bytes.substr(0, n));
            bytes.remove_prefix(n);
            m_remaining -= n;
            if (m_remaining == 0) {
                m_stage = Stage::FileEnd;
            }
            continue;
        }
        if (m_stage == Stage::FileEnd) {
            OnFileEnd(bytes.front(), faults, out);
            bytes.remove_prefix(1);
            continue;
        }
        const std::size_t newline = bytes.find('\n');
        const std::size_t take = newline == std::string_view::npos ? bytes.size() : newline + 1;
        m_line.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (m_line.size() > kMaxLineBytes) {
            out.events.push_back("command line too long: closing");
            out.close = true;
            break;
        }
        if (newline == std::string_view::npos) {
            break;
        }
        const std::string line = m_line.substr(0, m_line.size() - 1);
        m_line.clear();
        if (m_stage == Stage::JobCommand) {
            OnJobCommand(line, faults, out);
        } else {
            OnSubcommand(line, faults, out);
        }
    }
    return out;
}

void LpdSession::OnJobCommand(const std::string& line, const Faults& faults, Output& out) {
    if (line.empty() || line[0] != kReceiveJob) {
        out.events.push_back("unsupported command '" + Printable(line) + "': closing");
        out.close = true;
        return;
    }
    out.events.push_back("receive-job command, queue '" + Printable(line.substr(1)) + "'");
    if (faults.On("lpd-close-after-job")) {
        out.events.push_back("fault lpd-close-after-job: closing without an answer");
        out.close = true;
    } else if (faults.On("lpd-nak-job")) {
        Refuse(out, "fault lpd-nak-job");
    } else {
        out.reply += kAck;
        m_stage = Stage::Subcommand;
    }
}

void LpdSession::OnSubcommand(const std::string& line, const Faults& faults, Output& out) {
    const char kind = line.empty() ? '\0' : line[0];
    if (kind == kAbortJob) {
        out.events.push_back("abort-job subcommand: files dropped");
        m_files.clear();
        out.reply += kAck;
        return;
    }
    if (kind != kControlFile && kind != kDataFile) {
        Refuse(out, "unsupported subcommand '" + Printable(line) + "'");
        return;
    }
    const std::string_view rest = std::string_view(line).substr(1);
    const std::size_t space = rest.find(' ');
    std::size_t count = 0;
    const std::string_view digits = rest.substr(0, space);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (space == std::string_view::npos || digits.empty() || error != std::errc() ||
        end != digits.data() + digits.size() || count > kMaxFileBytes) {
        Refuse(out, "malformed subcommand '" + Printable(line) + "'");
        return;
    }
    m_file = LpdFile{kind == kControlFile, std::string(rest.substr(space + 1)), {}};
    out.events.push_back(std::string(m_file.control ? "control" : "data") + " file '" +
                         Printable(m_file.name) + "' of " + std::to_string(count) + " bytes");
    if (faults.On("lpd-close-after-subcommand")) {
        out.events.push_back("fault lpd-close-after-subcommand: closing without an answer");
        out.close = true;
    } else if (faults.On("lpd-nak-subcommand")) {
        Refuse(out, "fault lpd-nak-subcommand");
    } else {
        out.reply += kAck;
        m_remaining = count;
        m_stage = count == 0 ? Stage::FileEnd : Stage::FileData;
    }
}

void LpdSession::OnFileEnd(char byte, const Faults& faults, Output& out) {
    if (byte != '\0') {
        Refuse(out, "file not ended by a 0x00 byte");
        return;
    }
    if (faults.On("lpd-nak-data")) {
        Refuse(out, "fault lpd-nak-data");
        return;
    }
    m_files.push_back(std::move(m_file));
    m_file = {};
    out.reply += kAck;
    m_stage = Stage::Subcommand;
}

}  // namespace printer_sim

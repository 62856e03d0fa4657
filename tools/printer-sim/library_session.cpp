#include "library_session.h"

namespace printer_sim {
namespace {

// Both library port types read STATUS as type-length-value records.
constexpr int kLibraryStatusFormat = 0;
constexpr int kLoaderMode = 1;

}  // namespace

std::string LibraryChannelHelp() {
    return "Library channel (--library-port; one request line, one reply line \"OK ...\" or\n"
           "\"ERR ...\"; every request before a successful OPEN or CONNECT is refused):\n"
           "  OPEN                     the controller library opens the printer\n"
           "  CONNECT A.B.C.D          the remote-connect library; A.B.C.D must be --address\n"
           "  IDENTITY                 OK MDL:...;VER:...;MODE:...;STATUS:<records>;\n"
           "  STATUS                   OK <status word, signed decimal> (set status-word)\n"
           "  MODE 1 MS                enter the loader mode, like a boot command\n"
           "  UPDATE ARG               the same for the remote-connect library\n"
           "  CLEAR                    clear the printer's condition (logged, counted)\n"
           "Its faults: library-refuse-open (OPEN and CONNECT refused), library-refuse-mode\n"
           "(MODE and UPDATE refused), library-silent (no reply at all), library-no-identity\n"
           "(IDENTITY refused, so a library writes nothing).\n";
}

std::optional<std::string> LibrarySession::Handle(std::string_view line,
                                                  const std::string& printerAddress,
                                                  SimState& state, EventLog& log) {
    if (state.faults.On("library-silent")) {
        log.Event("library: " + std::string(line) + " not answered: fault library-silent");
        return std::nullopt;
    }
    const std::string reply = Answer(line, printerAddress, state, log);
    log.Event("library: " + std::string(line) + " -> " + reply);
    return reply;
}

std::string LibrarySession::Answer(std::string_view line, const std::string& printerAddress,
                                   SimState& state, EventLog& log) {
    const std::size_t space = line.find(' ');
    const std::string verb(line.substr(0, space));
    const std::string argument(space == std::string_view::npos ? "" : line.substr(space + 1));
    if (verb == "OPEN" || verb == "CONNECT") {
        if (state.faults.On("library-refuse-open")) {
            return "ERR refused (fault library-refuse-open)";
        }
        if (verb == "CONNECT" && argument != printerAddress) {
            return "ERR no printer at '" + argument + "'";
        }
        m_open = true;
        return "OK";
    }
    if (!m_open) {
        return "ERR not open";
    }
    if (verb == "IDENTITY") {
        if (state.faults.On("library-no-identity")) {
            return "ERR no identity (fault library-no-identity)";
        }
        return "OK " + state.printer.Identity(state.faults.On("wrong-model"), kLibraryStatusFormat);
    }
    if (verb == "STATUS") {
        return "OK " + std::to_string(state.libraryStatusWord);
    }
    if (verb == "MODE") {
        const bool loader = argument.starts_with(std::to_string(kLoaderMode) + " ");
        return loader ? EnterLoaderMode(verb, state, log) : "ERR unknown mode '" + argument + "'";
    }
    if (verb == "UPDATE") {
        return EnterLoaderMode(verb, state, log);
    }
    if (verb == "CLEAR") {
        ++state.clears;
        log.Event("library: condition cleared");
        return "OK";
    }
    return "ERR unknown request '" + verb + "'";
}

std::string LibrarySession::EnterLoaderMode(const std::string& request, SimState& state,
                                            EventLog& log) {
    if (state.faults.On("library-refuse-mode")) {
        return "ERR refused (fault library-refuse-mode)";
    }
    ++state.boots;
    state.printer.Boot();
    log.Event("library " + request + " request: loader mode");
    return "OK";
}

}  // namespace printer_sim

#include "app/command_line.h"

#include <cwctype>

#include "app/exit_code.h"

namespace {

[[noreturn]] void Reject() {
    throw TarnelExitCode::EXIT_ILLEGAL_PARAMETER;
}

// The option text that an argument selects, or null when the argument is no option
// we know (such arguments are skipped without complaint).
CString* SelectOption(const CString& argument, CommandLineTexts& texts) {
    if (argument.size() < 2 || (argument[0] != L'-' && argument[0] != L'/')) {
        return nullptr;
    }
    switch (std::towlower(argument[1])) {
        case L'i':
            return &texts.address;
        case L'u':
            return &texts.usbPort;
        default:
            return nullptr;
    }
}

}  // namespace

CommandLineTexts ParseCommandLine(const std::vector<CString>& arguments) {
    CommandLineTexts texts;
    if (arguments.size() <= 1) {
        return texts;
    }
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        CString* option = SelectOption(arguments[i], texts);
        if (option == nullptr) {
            continue;
        }
        CString value;
        if (arguments[i].size() > 2) {
            value = arguments[i].substr(2);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            Reject();
        }
        if (!option->empty()) {
            Reject();
        }
        *option = value;
    }
    if (texts.address.empty() == texts.usbPort.empty()) {
        Reject();
    }
    return texts;
}

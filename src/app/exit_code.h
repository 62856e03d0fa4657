// Process exit codes: the program's whole answer to a deployment tool that starts
// it with a printer on the command line.
#pragma once

namespace TarnelExitCode {

enum EXITCODE {
    EXIT_SUCCEEDED = 0,          // firmware sent, installed and confirmed by the printer
    EXIT_CANCELED = 1,           // the user left without installing
    EXIT_ALREADY_RUNNING = 2,    // another installer holds the single-instance mutex
    EXIT_ILLEGAL_PARAMETER = 3,  // the command line is not acceptable
    EXIT_INSTALL_FAILED = 4,     // sending or installing the firmware failed
    EXIT_FATAL_ERROR = 5,        // the main dialog could not start; the initial value
};

}  // namespace TarnelExitCode

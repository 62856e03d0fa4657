// The two command-line options by which another program names the printer.
#pragma once

#include <vector>

#include "platform/tarnel_types.h"

struct CommandLineTexts {
    CString address;  // value of -i, taken as it stands
    CString usbPort;  // value of -u, never interpreted
};

// Reads -i ADDRESS or -u PORT (with - or /, either case, the value attached or in the
// next argument) from the whole argument vector, program name first. Without
// arguments both texts stay empty. Throws TarnelExitCode::EXITCODE 3 when the
// command line is not acceptable.
CommandLineTexts ParseCommandLine(const std::vector<CString>& arguments);

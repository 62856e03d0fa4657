// How the main window reports the end code of the progress dialog: the message,
// its icon and the process exit code.
#pragma once

struct InstallOutcome {
    unsigned message;  // 0: no message
    unsigned icon;     // platform::mb icon bits
    int exitCode;
};

InstallOutcome OutcomeOfProgress(int progressResult, int portType);

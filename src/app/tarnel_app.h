// The application object: single-instance guard, common controls, sockets, the
// command line, the modal main dialog, and the exit code that comes of it.
#pragma once

#include <vector>

#include "app/exit_code.h"
#include "platform/services.h"
#include "platform/tarnel_types.h"

class CUpdater;
class PortFactory;

inline constexpr wchar_t kSingleInstanceMutexName[] = L"Arvane Firmware Installer";

class CTarnelApp {
  public:
    // `arguments` is the process's wide argument vector, program name first.
    // The main dialog works on `updater` (the process's one updater in the product)
    // and makes its ports with `ports`.
    CTarnelApp(platform::Services& services, CUpdater& updater, PortFactory& ports,
               std::vector<CString> arguments);

    // Runs the whole program; always FALSE, since there is no message loop beyond
    // the modal dialog.
    BOOL InitInstance();
    // The process exit code.
    int ExitInstance();

    int m_nExitCode = TarnelExitCode::EXIT_FATAL_ERROR;

  private:
    platform::Services& m_services;
    CUpdater& m_updater;
    PortFactory& m_ports;
    std::vector<CString> m_arguments;
};

// Constructs the application object, runs it and returns the process exit code.
int RunTarnelApp(platform::Services& services, CUpdater& updater, PortFactory& ports,
                 std::vector<CString> arguments);

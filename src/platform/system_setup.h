// Process-wide start-up services: common controls, Windows Sockets and the
// library search path.
#pragma once

namespace platform {

class SystemSetup {
  public:
    virtual ~SystemSetup() = default;
    // Registers the common control classes that the dialogs use.
    virtual void InitCommonControls() = 0;
    // Starts the socket layer; false when it is unavailable. Stays started until exit.
    [[nodiscard]] virtual bool InitSockets() = 0;
};

}  // namespace platform

// The named mutex that keeps a second installer from starting.
#pragma once

namespace platform {

class SingleInstance {
  public:
    virtual ~SingleInstance() = default;
    // Creates the named mutex, initially owned, and keeps it for the life of the
    // process. False when it could not be created or another process holds it.
    [[nodiscard]] virtual bool Acquire(const wchar_t* name) = 0;
};

}  // namespace platform

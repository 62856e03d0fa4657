// The port contract: the installer reaches the printer only through a port.
// Every operation is self-contained: it opens its device, socket or library and
// releases it before returning (the maker-library ports keep their library loaded
// between operations until Close). Results: nonzero success, 0 failure.
//
// Ownership: a factory allocates a port and its caller owns it until the updater
// accepts it. A port is released by Close() followed by deleting it through a
// CPort pointer.
#pragma once

#include <cstdint>

#include "platform/tarnel_types.h"

class CPort {
  public:
    // Owners delete ports through this base.
    virtual ~CPort() = default;

    // The printer's identity and status reply (KEY:VALUE pairs) into `out`, which the
    // caller passes empty. 0 when the printer did not answer or gave nothing.
    [[nodiscard]] virtual BOOL GetDeviceId(CString& out) = 0;
    // Asks the printer to enter its firmware-receiving mode, sending the open code
    // first where the port has one.
    [[nodiscard]] virtual BOOL BeginUpdate() = 0;
    // Delivers `length` bytes in order, at most `chunkSize` per write (0 selects the
    // port's default). Nonzero only when every byte was accepted.
    [[nodiscard]] virtual BOOL SendData(const void* data, std::uint32_t length,
                                        std::uint32_t chunkSize) = 0;
    // Releases what the port holds between operations; may be called any number of
    // times, and the port stays usable.
    virtual void Close() = 0;
    // The open-code command that BeginUpdate sends first, or null.
    virtual const char* GetOpenCode() = 0;
};

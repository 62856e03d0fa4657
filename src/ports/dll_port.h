// The ports that drive the printer through a maker library loaded at run time.
//
// The library is used load-use-unload: each operation makes sure it is loaded, does
// its work and at its end unloads it and deletes its temporary file. Only the
// constructor loads without unloading, so the first operation finds it ready. Early
// exits that keep it loaded: Open false, a failed version or interface step, a
// spooler queue that cannot be opened; Close releases it.
#pragma once

#include <cstdint>

#include "platform/dynamic_libraries.h"
#include "ports/controller_api.h"
#include "ports/dll_port_services.h"
#include "ports/library_file.h"
#include "ports/port.h"

class CDllPort : public CPort {};

// The controller library with the print spooler (port type "DLL_USB").
class CQZ70Port : public CDllPort {
  public:
    explicit CQZ70Port(const DllPortServices& services);

    BOOL GetDeviceId(CString& out) override;
    // The library's mode request; 0 when the library is not ready.
    BOOL BeginUpdate() override;
    // One RAW job on the spooler queue; `chunkSize` plays no part.
    BOOL SendData(const void* data, std::uint32_t length, std::uint32_t chunkSize) override;
    // Unloads the library and deletes its file; a failed deletion raises the FileError.
    void Close() override;
    const char* GetOpenCode() override { return nullptr; }

    platform::LibraryHandle m_hLibrary = nullptr;
    CString m_strLibraryPath;  // the temporary library file; empty when there is none
    IControllerAPI* m_pController = nullptr;  // owned by the library

  protected:
    [[nodiscard]] int ExtractLibrary();
    [[nodiscard]] int LoadLibraryInterface();
    void UnloadLibrary();
    // Extracts and loads unless the port is ready; 0 leaves the members as they are.
    [[nodiscard]] int MakeReady();

  private:
    LibraryFile m_library;
};

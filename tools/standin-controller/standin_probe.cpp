// standin-probe: loads a controller library under Windows (or Wine) as the
// controller-library port does, runs each operation once and unloads it, printing
// one line per step. For a quick check that the DLL loads and reaches the printer
// simulator; the port's own tests cover the port.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "ports/controller_api.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: standin-probe LIBRARY.DLL\n");
        return 2;
    }
    const HMODULE library = ::LoadLibraryW(argv[1]);
    if (library == nullptr) {
        std::printf("load failed %lu\n", ::GetLastError());
        return 1;
    }
    // The exports are plain functions; the cast through void keeps GCC quiet about it.
    const auto version = reinterpret_cast<GetAPIVersionFunction>(
        reinterpret_cast<void*>(::GetProcAddress(library, kGetApiVersionExport)));
    const auto controller = reinterpret_cast<ControllerApiFunction>(
        reinterpret_cast<void*>(::GetProcAddress(library, kControllerApiExport)));
    IControllerAPI* api = controller != nullptr ? controller() : nullptr;
    bool ok = version != nullptr && std::memcmp(version(), "V141", 5) == 0 && api != nullptr;
    std::printf("version %s\n", version != nullptr ? version() : "(missing)");
    if (ok) {
        ok = api->Open();
        std::printf("open %d\n", ok ? 1 : 0);
        char identity[301] = {};
        std::printf("identity %s\n", api->ReadDeviceId(identity, 300) >= 0 ? identity : "(none)");
        std::printf("status %ld\n", static_cast<long>(api->GetStatus()));
        const bool mode = api->RequestMode(10000, 1);
        std::printf("mode %d\n", mode ? 1 : 0);
        ok = ok && mode;
    }
    ::FreeLibrary(library);
    std::printf("unloaded\n");
    return ok ? 0 : 1;
}

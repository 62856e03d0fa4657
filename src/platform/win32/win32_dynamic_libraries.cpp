#include "platform/win32/win32_port_services.h"

namespace platform::win32 {

LibraryHandle Win32DynamicLibraries::Load(const CString& path) {
    // The library's dependencies come only from its own folder and System32, never
    // from the download folder or the current directory.
    return LoadLibraryExW(path.c_str(), nullptr,
                          LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void* Win32DynamicLibraries::Symbol(LibraryHandle library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void Win32DynamicLibraries::Free(LibraryHandle library) {
    FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace platform::win32

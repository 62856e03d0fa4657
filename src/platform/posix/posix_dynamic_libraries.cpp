#include "platform/posix/posix_dynamic_libraries.h"

#include <dlfcn.h>

#include "platform/text_codec.h"

namespace platform::posix {

LibraryHandle PosixDynamicLibraries::Load(const CString& path) {
    // A path with a slash is never searched for. RTLD_LOCAL keeps the exports of two
    // libraries with the same names apart.
    return ::dlopen(WideToAnsi(path).c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* PosixDynamicLibraries::Symbol(LibraryHandle library, const char* name) {
    return ::dlsym(library, name);
}

void PosixDynamicLibraries::Free(LibraryHandle library) {
    ::dlclose(library);
}

}  // namespace platform::posix

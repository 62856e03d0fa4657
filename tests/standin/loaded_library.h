// A stand-in library loaded through dlopen for one test, unloaded at its end or
// when the test says so.
#pragma once

#include <dlfcn.h>

#include <string>

namespace standin_test {

class LoadedLibrary {
  public:
    explicit LoadedLibrary(const std::string& path)
        : m_handle(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~LoadedLibrary() { Unload(); }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool Loaded() const { return m_handle != nullptr; }
    // The export as the function type the port uses; null when it is missing.
    template <typename Function>
    Function Export(const char* name) const {
        return m_handle == nullptr ? nullptr : reinterpret_cast<Function>(::dlsym(m_handle, name));
    }
    void Unload() {
        if (m_handle != nullptr) {
            ::dlclose(m_handle);
        }
        m_handle = nullptr;
    }

  private:
    void* m_handle;
};

}  // namespace standin_test

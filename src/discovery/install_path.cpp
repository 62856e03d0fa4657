#include "discovery/install_path.h"

#include <cstddef>

namespace {

struct InstallPathKey {
    platform::RegistryRoot root;
    const wchar_t* key;
};

// Per generation, in the order they are tried.
constexpr InstallPathKey kInstallPathKeys[2][2] = {
    {{platform::RegistryRoot::LocalMachine, L"SOFTWARE\\Arvane\\Arvane Inkomar Velmo\\Installer"},
     {platform::RegistryRoot::Users,
      L".DEFAULT\\SOFTWARE\\Arvane\\Arvane Inkomar Velmo\\Installer"}},
    {{platform::RegistryRoot::LocalMachine, L"SOFTWARE\\Arvane\\Inkomar\\1.0\\Installer"},
     {platform::RegistryRoot::Users, L".DEFAULT\\SOFTWARE\\Arvane\\Inkomar\\1.0\\Installer"}},
};

// A path buffer of MAX_PATH characters, its NUL included.
constexpr std::size_t kInstallPathCapacity = 260;

}  // namespace

CString ReadInstallPath(const platform::Registry& registry, int generation,
                        DeviceInfoLocation& location) {
    if (generation != 0 && generation != 1) {
        return {};
    }
    if (location.installPath) {
        return *location.installPath;
    }
    CString path;
    for (const InstallPathKey& source : kInstallPathKeys[generation]) {
        const auto value =
            registry.ReadString(source.root, source.key, L"InstallPath", kInstallPathCapacity);
        if (value) {
            path = value->substr(0, value->find(L'\0'));
            break;
        }
    }
    location.installPath = path;
    return path;
}

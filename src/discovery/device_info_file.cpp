#include "discovery/device_info_file.h"

#include "discovery/install_path.h"
#include "discovery/path_append.h"

namespace {

constexpr const wchar_t* kDeviceInfoNames[] = {
    L"Inkomar\\Device\\DeviceInfo.xml",
    L"Inkomar 1.0\\Device\\DeviceInfo.xml",
};

}  // namespace

CString FindDeviceInfoFile(const platform::Registry& registry, const platform::FileSystem& files,
                           int generation, DeviceInfoLocation& location) {
    if (generation != 0 && generation != 1) {
        return {};
    }
    const CString installPath = ReadInstallPath(registry, generation, location);
    if (location.filePath) {
        return *location.filePath;
    }
    CString found;
    for (const wchar_t* name : kDeviceInfoNames) {
        const auto candidate = AppendPath(installPath, name);
        if (candidate && files.Exists(*candidate)) {
            found = *candidate;
            break;
        }
    }
    location.filePath = found;
    return found;
}
